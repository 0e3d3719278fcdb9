#pragma once
// The command interpreter for the program's batch files: the part of the
// Windows command interpreter that they use, on this system.
#include <string>
#include <string_view>
#include <vector>

#include "cmd/parse.h"

namespace tovix::cmd {

// The descriptors a batch reads from and writes to.
struct Streams {
  int in = 0;
  int out = 1;
  int err = 2;
};

// errorlevel of a program that cannot be found.
inline constexpr int kNotFound = 9009;
// The Windows interpreter's longest line, before and after expansion.
inline constexpr std::size_t kMaxLineLength = 8191;
// Batch files running inside one another (call, or a batch named as a
// command); a batch that calls itself stops here instead of exhausting memory.
inline constexpr int kMaxBatchDepth = 100;

class Interpreter {
 public:
  explicit Interpreter(Streams streams = {});

  // Runs a batch file (its name Windows-1252, as called; its text read in
  // code page 850) with its arguments (Windows-1252). Returns the last
  // errorlevel.
  int RunFile(const std::string& batchPath, const std::vector<std::string>& args);
  // Runs batch text given as the bytes of a file.
  int RunText(std::string_view fileBytes, const std::string& batchName,
              const std::vector<std::string>& args);

  int errorlevel() const { return errorlevel_; }

 private:
  void RunLine(const std::string& raw);
  void RunStatement(std::string text);
  bool RunSimple(const std::string& text);
  bool Dispatch(const CommandWord& cw, const Streams& io);
  bool Fail(const Streams& io, const std::string& message, int level = 1);

  // Built-in commands; each returns whether it succeeded.
  // Evaluates the condition; *then receives the command to run (empty when
  // the condition is false or the if is malformed).
  bool If(const std::string& rest, std::string* then);
  bool Goto(const std::string& rest, const Streams& io);
  bool Echo(const CommandWord& cw, const Streams& io);
  bool Pause(const Streams& io);
  bool Set(const std::string& rest, const Streams& io);
  bool ChangeDir(const std::string& rest, const Streams& io);
  bool Exit(const std::string& rest, const Streams& io);
  bool Call(const std::string& rest, const Streams& io);
  bool Move(const std::string& rest, const Streams& io);
  bool Delete(const std::string& rest, const Streams& io);
  bool MakeDir(const std::string& rest, const Streams& io);
  bool RemoveDir(const std::string& rest, const Streams& io);
  bool Rename(const std::string& rest, const Streams& io);
  bool RunProgram(const std::string& word, const std::string& rest, const Streams& io,
                  bool viaCall);
  bool RunBatch(const std::string& nativePath, const std::string& word, const std::string& rest,
                const Streams& io);

  Streams base_;
  std::vector<std::string> lines_;
  std::vector<std::string> args_;
  std::size_t shift_ = 0;
  std::size_t next_ = 0;  // the line to run next
  int errorlevel_ = 0;
  bool echo_ = true;
  bool jumped_ = false;  // goto or exit: the rest of the line is skipped
  bool ended_ = false;
  int depth_ = 0;  // batch files this one runs inside
};

}  // namespace tovix::cmd
