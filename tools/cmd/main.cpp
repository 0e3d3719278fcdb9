// tovix-cmd BATCH [ARGS...]: runs a batch file of the program.
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "cmd/interpreter.h"
#include "platform/codepage.h"
#include "platform/signals.h"

namespace {

std::string ToAnsi(const char* native) {
  auto ansi = tovix::platform::Utf8ToAnsi(native);
  return ansi ? *ansi : std::string(native);
}

// An argument that holds a delimiter arrives here already split off by the
// caller; the batch sees it quoted, as the Windows interpreter would.
std::string AsBatchArgument(std::string arg) {
  bool quoted = !arg.empty() && arg.front() == '"';
  if (!quoted && (arg.empty() || arg.find_first_of(" \t,;=") != std::string::npos))
    arg = "\"" + arg + "\"";
  return arg;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("usage: tovix-cmd BATCHFILE [ARGUMENTS...]\n", stderr);
    return 1;
  }
  // A batch may loop for ever, as on Windows; Ctrl+C and SIGTERM must end
  // it even when the caller started us with them ignored.
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
  tovix::platform::IgnoreFileSizeSignal();
  std::vector<std::string> args;
  for (int i = 2; i < argc; ++i) args.push_back(AsBatchArgument(ToAnsi(argv[i])));
  tovix::cmd::Interpreter interpreter;
  int level = interpreter.RunFile(ToAnsi(argv[1]), args);
  // An exit code holds 0..255 only; a larger errorlevel must not read as success.
  return level >= 0 && level <= 255 ? level : 255;
}
