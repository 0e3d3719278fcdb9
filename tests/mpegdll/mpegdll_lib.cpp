#include "mpegdll_lib.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "mp3/mp3builder.h"
#include "support/tempdir.h"

namespace tovix::test {
namespace {

template <class F>
bool Find(void* handle, const char* name, F& entry) {
  entry = reinterpret_cast<F>(dlsym(handle, name));
  EXPECT_NE(entry, nullptr) << "entry point missing: " << name;
  return entry != nullptr;
}

MpegDll Load(bool& ok) {
  MpegDll dll;
  const std::string path = ProgramDir() + "libmpegdll.so";
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  ok = handle != nullptr;
  EXPECT_TRUE(ok) << path << ": " << dlerror();
  if (!ok) return dll;
  ok = Find(handle, "init", dll.init) & Find(handle, "deinit", dll.deinit) &
       Find(handle, "Open", dll.Open) & Find(handle, "Pause", dll.Pause) &
       Find(handle, "Restart", dll.Restart) & Find(handle, "Stop", dll.Stop) &
       Find(handle, "SetPriority", dll.SetPriority) &
       Find(handle, "SetOutputDevice", dll.SetOutputDevice) & Find(handle, "Play", dll.Play) &
       Find(handle, "Close", dll.Close) & Find(handle, "GetFrequency", dll.GetFrequency) &
       Find(handle, "GetBitrate", dll.GetBitrate) & Find(handle, "GetLayer", dll.GetLayer) &
       Find(handle, "GetPlayerMode", dll.GetPlayerMode) &
       Find(handle, "GetCurrentPos", dll.GetCurrentPos) & Find(handle, "GetLength", dll.GetLength) &
       Find(handle, "ResetPlayerMode", dll.ResetPlayerMode) & Find(handle, "Seek", dll.Seek) &
       Find(handle, "LastError", dll.LastError);
  if (ok) {
    ok = dll.init() != 0;
    EXPECT_TRUE(ok) << "init refused, error " << dll.LastError();
  }
  return dll;
}

}  // namespace

const MpegDll* MpegDll::Get() {
  static bool ok = false;
  static const MpegDll dll = Load(ok);
  EXPECT_TRUE(ok) << "decoder library not usable";
  return ok ? &dll : nullptr;
}

void MpegDll::OpenFile(const std::string& nativeName) const {
  Open(nativeName.c_str(), 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
}

int WaitWhilePlaying(const MpegDll& dll) {
  int mode = MPEGDLL_MODE_PLAYING;
  EXPECT_TRUE(WaitFor([&] {
    mode = dll.GetPlayerMode();
    return mode != MPEGDLL_MODE_PLAYING;
  })) << "still playing after a minute";
  return mode;
}

std::string EncodeSong(const std::string& dir, const std::string& name, int rate, int channels,
                       double seconds, const std::string& lameArgs) {
  TempDir work;
  std::string mp3 = EncodeWithLame(ToneWav(rate, channels, seconds), lameArgs, work.path());
  EXPECT_FALSE(mp3.empty()) << "lame " << lameArgs;
  const std::string path = dir + "/" + name;
  WriteFile(path, mp3);
  return path;
}

std::string Mpg123Wave(const std::string& mp3, const std::string& wav) {
  const std::string command = "mpg123 -q -w '" + wav + "' '" + mp3 + "'";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  return ReadFile(wav);
}

std::string LibraryWave(const MpegDll& dll, const std::string& wav, std::uint8_t& endByte,
                        std::int32_t startMs, std::int32_t endMs) {
  dll.SetOutputDevice(MPEGDLL_DEVICE_WAVEFILE, wav.c_str());
  EXPECT_EQ(dll.LastError(), 0);
  EXPECT_EQ(dll.Play(startMs, endMs, &endByte), 0) << "error " << dll.LastError();
  EXPECT_NE(WaitWhilePlaying(dll), MPEGDLL_MODE_PLAYING);
  EXPECT_EQ(dll.LastError(), 0);
  EXPECT_TRUE(Ended(endByte));
  return ReadFile(wav);
}

}  // namespace tovix::test
