#pragma once
// The decoder library as the player component sees it: loaded with dlopen,
// its entry points looked up by name; and the helpers the library tests
// share (encoded songs, mpg123's own wave file, waiting for the end).
#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <thread>

#include "mpegdll.h"

namespace tovix::test {

struct MpegDll {
  decltype(&::init) init = nullptr;
  decltype(&::deinit) deinit = nullptr;
  decltype(&::Open) Open = nullptr;
  decltype(&::Pause) Pause = nullptr;
  decltype(&::Restart) Restart = nullptr;
  decltype(&::Stop) Stop = nullptr;
  decltype(&::SetPriority) SetPriority = nullptr;
  decltype(&::SetOutputDevice) SetOutputDevice = nullptr;
  decltype(&::Play) Play = nullptr;
  decltype(&::Close) Close = nullptr;
  decltype(&::GetFrequency) GetFrequency = nullptr;
  decltype(&::GetBitrate) GetBitrate = nullptr;
  decltype(&::GetLayer) GetLayer = nullptr;
  decltype(&::GetPlayerMode) GetPlayerMode = nullptr;
  decltype(&::GetCurrentPos) GetCurrentPos = nullptr;
  decltype(&::GetLength) GetLength = nullptr;
  decltype(&::ResetPlayerMode) ResetPlayerMode = nullptr;
  decltype(&::Seek) Seek = nullptr;
  decltype(&::LastError) LastError = nullptr;

  // The library from the program folder, every entry point found and "init"
  // called; fails the test otherwise (and returns null).
  static const MpegDll* Get();

  void OpenFile(const std::string& nativeName) const;
};

// The end byte, read as the library writes it.
inline bool Ended(std::uint8_t& endByte) {
  return std::atomic_ref<std::uint8_t>(endByte).load(std::memory_order_acquire) != 0;
}

// Waits until the mode is no longer playing (or a minute has passed, which
// fails the test); the mode then.
int WaitWhilePlaying(const MpegDll& dll);
// Waits until pred holds, polling; false after a minute.
template <class Pred>
bool WaitFor(Pred pred) {
  const auto limit = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  while (!pred()) {
    if (std::chrono::steady_clock::now() > limit) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

// A song of seconds of two tones, encoded by lame with lameArgs (rate in Hz).
std::string EncodeSong(const std::string& dir, const std::string& name, int rate, int channels,
                       double seconds, const std::string& lameArgs);
// What mpg123 -w writes for mp3; fails the test when mpg123 cannot run.
std::string Mpg123Wave(const std::string& mp3, const std::string& wav);
// Decodes through device 2 and returns the wave file's bytes. The library
// keeps endByte for "Restart": it must outlive the open stream.
std::string LibraryWave(const MpegDll& dll, const std::string& wav, std::uint8_t& endByte,
                        std::int32_t startMs = 0, std::int32_t endMs = 0);

}  // namespace tovix::test
