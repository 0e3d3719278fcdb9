#pragma once
// Child processes: start a program with its arguments, working folder,
// environment and standard streams, and wait for it with a time limit.
// Unlike the file layer, everything here is in the system's own encoding
// (UTF-8 on Linux): callers convert with ToNative / AnsiToUtf8 first.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tovix::platform {

// Where one standard stream of a child comes from or goes to.
struct StdStream {
  enum class Kind { Inherit, Null, File, Descriptor };
  Kind kind = Kind::Inherit;
  std::string path;     // File: native path
  bool append = false;  // File, output streams: append instead of truncating
  int fd = -1;          // Descriptor: an open descriptor of this process

  static StdStream Inherit() { return {}; }
  static StdStream Null() { return {Kind::Null, {}, false, -1}; }
  static StdStream ToFile(std::string path, bool append = false) {
    return {Kind::File, std::move(path), append, -1};
  }
  static StdStream FromDescriptor(int fd) { return {Kind::Descriptor, {}, false, fd}; }
};

struct ProcessSpec {
  // Native path of the executable; never searched for, never run by a shell.
  std::string program;
  // The child's argv; when empty the child gets just the program path.
  std::vector<std::string> args;
  // Native working folder; empty: this process's current folder.
  std::string workDir;
  // "NAME=value" entries; nullopt: this process's environment as it is now.
  std::optional<std::vector<std::string>> env;
  StdStream in, out, err;
};

inline constexpr int kWaitForever = -1;

// One started child. A child that has not been waited for to its end when
// its Process goes away runs on and is reaped in the background, so no
// zombie is left behind.
class Process {
 public:
  Process() = default;
  ~Process();
  Process(Process&& other) noexcept;
  Process& operator=(Process&& other) noexcept;
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  // Starts the child. False when it cannot be started (program missing or
  // not executable, a stream file that cannot be opened, a bad working
  // folder); error() then holds the errno and nothing is left running.
  bool Start(const ProcessSpec& request);
  int error() const { return error_; }

  // Waits up to timeoutMs milliseconds (negative: without limit, 0: just
  // looks). True once the child has ended.
  bool Wait(int timeoutMs);
  bool finished() const { return finished_; }
  // Once finished: the exit status, or 128 + the signal that ended it.
  int exitCode() const { return exitCode_; }

  // Lets the child run on without this object; it is reaped when it ends.
  void Detach();

 private:
  void Reset();

  int pid_ = -1;
  int pidfd_ = -1;
  int error_ = 0;
  int exitCode_ = -1;
  bool finished_ = false;
};

// True for a regular file this process may execute.
bool IsExecutable(const std::string& nativePath);
// The folders of PATH, in order (empty entries mean the current folder).
std::vector<std::string> ExecutableSearchPath();
// The words of a command line, split at blanks and tabs outside double
// quotes; the quotes stay in the words (a batch file sees them in %1 ... %9).
std::vector<std::string> SplitCommandWords(std::string_view line);
// Children given up while running and not yet reaped (for tests).
std::size_t PendingChildren();

}  // namespace tovix::platform
