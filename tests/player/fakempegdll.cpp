// A test double of the decoder library: the 19 entry points record their
// calls in a log, the mode follows the calls, and the fake_ functions let a
// test set answers and errors and play the library's part (the end of the
// stream, the stream callbacks).
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>

#define EXPORT extern "C" __attribute__((visibility("default")))

namespace {

using Boolean = std::uint8_t;
using OpenCb = void (*)(void*, Boolean*, void**);
using CloseCb = void (*)(void*, void*);
using RestartCb = void (*)(void*, void*, Boolean*);
using ReadCb = void (*)(void*, void*, void*, std::int32_t, std::int32_t*, Boolean*);
using SeekCb = void (*)(void*, void*, std::int32_t, std::int32_t, std::int32_t*);
using SizeCb = void (*)(void*, void*, std::int32_t*);

struct State {
  std::string log;
  std::map<std::string, int> failures;  // entry point -> error after its call
  int lastError = 0;
  bool initOk = true;
  int initError = 0;
  int playResult = 0;
  int mode = 0;
  int failure = 0;  // of a playing that ended, reported by GetPlayerMode
  int pos = 0;
  int length = 0;
  std::uint8_t* endReached = nullptr;
  OpenCb open = nullptr;
  CloseCb close = nullptr;
  RestartCb restart = nullptr;
  ReadCb read = nullptr;
  SeekCb seek = nullptr;
  SizeCb size = nullptr;
  void* ctx = nullptr;
};

State& S() {
  static State state;
  return state;
}

void Record(const std::string& name, const std::string& args = "") {
  S().log += name + "(" + args + ");";
  auto it = S().failures.find(name);
  S().lastError = it == S().failures.end() ? 0 : it->second;
}

bool Failed() {
  return S().lastError != 0;
}

}  // namespace

// --- The 19 entry points ----------------------------------------------------
EXPORT Boolean init() {
  Record("init");
  if (!S().initOk) S().lastError = S().initError;
  return S().initOk ? 1 : 0;
}
EXPORT void deinit() {
  Record("deinit");
}
EXPORT void Open(const char* name, std::int32_t stream, OpenCb open, CloseCb close,
                 RestartCb restart, ReadCb read, SeekCb seek, SizeCb size, void* ctx) {
  const bool callbacks = open && close && restart && read && seek && size;
  Record("Open", std::string(name ? name : "null") + "," + std::to_string(stream) + "," +
                     (callbacks ? "cb" : "nocb") + "," + (ctx ? "ctx" : "null"));
  S().open = open;
  S().close = close;
  S().restart = restart;
  S().read = read;
  S().seek = seek;
  S().size = size;
  S().ctx = ctx;
  S().failure = 0;
  if (!Failed()) S().mode = 1;
}
EXPORT void Pause(std::int32_t flag) {
  Record("Pause", std::to_string(flag));
  if (!Failed()) S().mode = flag == 0 ? 4 : 3;
}
EXPORT void Restart() {
  Record("Restart");
  if (!Failed()) S().mode = 3;
}
EXPORT void Stop() {
  Record("Stop");
  if (!Failed()) S().mode = 1;
}
EXPORT void SetPriority(std::int32_t value) {
  Record("SetPriority", std::to_string(value));
}
EXPORT void SetOutputDevice(std::int32_t device, const char* file) {
  Record("SetOutputDevice", std::to_string(device) + "," + (file ? file : "null"));
}
EXPORT std::int32_t Play(std::int32_t start, std::int32_t end, std::uint8_t* endReached) {
  Record("Play", std::to_string(start) + "," + std::to_string(end));
  S().endReached = endReached;
  if (!Failed() && S().playResult == 0) S().mode = 3;
  return S().playResult;
}
EXPORT void Close() {
  Record("Close");
  S().mode = 0;
  S().failure = 0;
  S().endReached = nullptr;
}
EXPORT std::int32_t GetFrequency() {
  Record("GetFrequency");
  return 44100;
}
EXPORT std::int32_t GetBitrate() {
  Record("GetBitrate");
  return 128;
}
EXPORT std::int32_t GetLayer() {
  Record("GetLayer");
  return 3;
}
EXPORT std::int32_t GetPlayerMode() {
  Record("GetPlayerMode");
  if (S().mode == 2 && S().failure) S().lastError = S().failure;
  return S().mode;
}
EXPORT std::int32_t GetCurrentPos() {
  Record("GetCurrentPos");
  return S().pos;
}
EXPORT std::int32_t GetLength() {
  Record("GetLength");
  return S().length;
}
EXPORT void ResetPlayerMode() {
  Record("ResetPlayerMode");
}
#ifndef FAKE_WITHOUT_SEEK
EXPORT void Seek() {
  Record("Seek");
}
#endif
EXPORT std::int32_t LastError() {
  // Not logged: the component asks after every call.
  return S().lastError;
}

// --- Control of the double ----------------------------------------------
EXPORT void fake_reset() {
  S() = State{};
}
EXPORT const char* fake_log() {
  return S().log.c_str();
}
EXPORT void fake_clear_log() {
  S().log.clear();
}
EXPORT void fake_fail(const char* entry, int code) {
  S().failures[entry] = code;
}
EXPORT void fake_init(int ok, int error) {
  S().initOk = ok != 0;
  S().initError = error;
}
EXPORT void fake_play_result(int result) {
  S().playResult = result;
}
EXPORT void fake_position(int pos, int length) {
  S().pos = pos;
  S().length = length;
}
// The stream has been played out: the end byte is written, the mode leaves 3.
EXPORT void fake_end() {
  if (S().endReached) *S().endReached = 1;
  S().mode = 1;
}
// Playing ended by a failure (code): the end byte is written, the mode is
// "ended", and GetPlayerMode reports the code until the stream is closed.
EXPORT void fake_end_failed(int code) {
  if (S().endReached) *S().endReached = 1;
  S().mode = 2;
  S().failure = code;
}
// Calls the six stream callbacks as the decoder would and logs what they
// answered.
EXPORT void fake_run_callbacks() {
  State& s = S();
  if (!s.open) return;
  Boolean nonseekable = 0;
  void* context = reinterpret_cast<void*>(0x1);
  s.open(s.ctx, &nonseekable, &context);
  std::int32_t size = 0;
  s.size(s.ctx, context, &size);
  char buffer[8] = {};
  std::int32_t got = 0;
  Boolean readOk = 0;
  s.read(s.ctx, context, buffer, sizeof buffer, &got, &readOk);
  std::int32_t seekRes = 0;
  s.seek(s.ctx, context, 5, 1, &seekRes);
  Boolean restartOk = 0;
  s.restart(s.ctx, context, &restartOk);
  s.close(s.ctx, context);
  char line[160];
  std::snprintf(line, sizeof line, "cb(%d,%s,%d,%d,%.*s,%d,%d,%d);", nonseekable,
                context ? "ctx" : "null", size, got, got > 0 ? got : 0, buffer, readOk, seekRes,
                restartOk);
  s.log += line;
}
