#pragma once
// The controls of the decoder library's test double, reached through the
// same file the player loads (so the same library in the process).
#include <dlfcn.h>

#include <string>
#include <type_traits>

namespace tovix::test {

struct Fake {
  void* handle = nullptr;
  void (*reset)() = nullptr;
  const char* (*log)() = nullptr;
  void (*clearLog)() = nullptr;
  void (*fail)(const char*, int) = nullptr;
  void (*init)(int, int) = nullptr;
  void (*playResult)(int) = nullptr;
  void (*position)(int, int) = nullptr;
  void (*end)() = nullptr;
  void (*endFailed)(int) = nullptr;
  void (*runCallbacks)() = nullptr;
};

// Opens libmpegdll.so of folder; handle is null when that fails.
inline Fake OpenFake(const std::string& folder) {
  Fake f;
  f.handle = dlopen((folder + "/libmpegdll.so").c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!f.handle) return f;
  auto sym = [&](auto& fn, const char* name) {
    fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(dlsym(f.handle, name));
  };
  sym(f.reset, "fake_reset");
  sym(f.log, "fake_log");
  sym(f.clearLog, "fake_clear_log");
  sym(f.fail, "fake_fail");
  sym(f.init, "fake_init");
  sym(f.playResult, "fake_play_result");
  sym(f.position, "fake_position");
  sym(f.end, "fake_end");
  sym(f.endFailed, "fake_end_failed");
  sym(f.runCallbacks, "fake_run_callbacks");
  return f;
}

}  // namespace tovix::test
