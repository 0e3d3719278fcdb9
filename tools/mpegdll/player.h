#pragma once
// The one player behind the library's entry points: the open stream, the
// output chosen for it, and the thread that decodes while playing.
//
// Calls are serialised by api_. While the thread runs it alone touches the
// stream and the output; the caller's side sees positions and the mode
// through atomics, and pause and stop go through m_ and cv_. The caller waits
// for the thread at most one decode step.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "errors.h"
#include "sink.h"
#include "source.h"

namespace mpegdll {

class Player {
 public:
  Player() = default;
  ~Player();
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  // name: Windows-1252 file name (file mode); stream: the callbacks instead.
  Error Open(const char* name, bool stream, const StreamCallbacks& callbacks);
  Error Play(std::int32_t startMs, std::int32_t endMs, std::uint8_t* endByte);
  Error Pause(bool resume);
  Error Restart();
  Error Stop();
  Error Close();
  Error SetPriority(std::int32_t priority);
  Error SetOutputDevice(std::int32_t device, const char* name);
  Error Seek(std::int32_t positionMs);
  void ResetMode();

  // The mode, and the failure that ended playing (None otherwise).
  std::int32_t Mode(Error& failure);
  std::int32_t PositionMs();
  std::int32_t LengthMs();
  std::int32_t Frequency();
  std::int32_t Bitrate();
  std::int32_t Layer();

 private:
  void Run();  // the decoding thread
  Error StartThread();
  void EndThread();  // asks the thread to stop and waits for it
  void ApplyPriority(int& applied, int baseNice);
  std::int64_t HeardSample() const;
  std::int32_t ToMs(std::int64_t samples) const;

  std::mutex api_;

  // Caller's side; the thread reads them, never while the caller may write.
  std::unique_ptr<Source> source_;
  std::unique_ptr<Sink> sink_;
  std::thread thread_;
  int device_ = 0;
  std::string deviceFile_;  // native
  std::int32_t startMs_ = 0;
  std::int32_t endMs_ = 0;
  std::uint8_t* endByte_ = nullptr;
  long rate_ = 0;  // of the open stream

  // Between the caller and the thread.
  std::mutex m_;
  std::condition_variable cv_;
  bool stop_ = false;
  bool pause_ = false;
  bool threadPaused_ = false;
  bool done_ = false;
  Error failure_ = Error::None;

  std::atomic<int> mode_{MPEGDLL_MODE_CLOSED};
  std::atomic<int> priority_{0};
  std::atomic<std::int64_t> seekTo_{-1};
  std::atomic<std::int64_t> written_{0};  // sample after the last one handed to the output
  std::atomic<std::int64_t> shown_{0};    // position while not playing
  std::atomic<std::int64_t> baseNs_{0};   // steady clock when sample 0 would have been heard
};

}  // namespace mpegdll
