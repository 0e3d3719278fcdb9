// Running other programs and batch files: found in the current folder
// first, then along PATH, and started directly, never through a shell.
#include <cstring>
#include <optional>

#include "cmd/diskpath.h"
#include "cmd/interpreter.h"
#include "cmd/textutil.h"
#include "platform/codepage.h"
#include "platform/process.h"

namespace tovix::cmd {
namespace {

bool IsBatchName(const std::string& name) {
  std::string l = Lower(name);
  return l.size() > 4 && (l.ends_with(".bat") || l.ends_with(".cmd"));
}

bool Runnable(const std::string& path) {
  return IsBatchName(path) ? Exists(path) && !IsDir(path) : platform::IsExecutable(path);
}

// The spellings to look for: "lame.exe" of a Windows batch is "lame" here.
std::vector<std::string> Candidates(const std::string& native) {
  std::vector<std::string> names{native};
  std::string l = Lower(native);
  if (l.size() > 4 && (l.ends_with(".exe") || l.ends_with(".com")))
    names.push_back(native.substr(0, native.size() - 4));
  return names;
}

std::optional<std::string> Locate(const std::string& native) {
  if (native.find('/') != std::string::npos) {
    for (const std::string& c : Candidates(native)) {
      std::string real = ResolvePath(c);
      if (Runnable(real)) return real;
    }
    return std::nullopt;
  }
  std::vector<std::string> dirs{"."};
  for (const std::string& d : platform::ExecutableSearchPath()) dirs.push_back(d);
  for (const std::string& dir : dirs) {
    for (const std::string& c : Candidates(native)) {
      auto entry = FindEntry(dir, c);
      if (!entry) continue;
      std::string path = dir == "." ? "./" + *entry : JoinPath(dir, *entry);
      if (Runnable(path)) return path;
    }
  }
  return std::nullopt;
}

// An argument for a program of this system. A Windows path ("dir\name")
// gets "/" separators and its existing parts spelled as on disk; anything
// else that names an existing file under another letter case gets the
// spelling on disk. Other words pass unchanged.
std::string ProgramArgument(const std::string& ansi) {
  std::string native = platform::AnsiToUtf8(ansi);
  if (ansi.empty() || ansi[0] == '-') return native;
  if (ansi.find('\\') != std::string::npos) {
    std::string real = ResolvePath(NativePath(ansi));
    if (Exists(real) || IsDir(DirPart(real))) return real;
    return native;
  }
  if (Exists(native)) return native;
  std::string real = ResolvePath(native);
  if (Exists(real) || (native.find('/') != std::string::npos && IsDir(DirPart(real)))) return real;
  return native;
}

}  // namespace

bool Interpreter::RunProgram(const std::string& word, const std::string& rest, const Streams& io,
                             bool viaCall) {
  std::string native = NativePath(word);
  auto path = Locate(native);
  if (!path)
    return Fail(io,
                "'" + word +
                    "' is not recognized as an internal or external command, operable program or "
                    "batch file.",
                kNotFound);
  if (IsBatchName(*path)) {
    bool ok = RunBatch(*path, word, rest, io);
    // Without call, control passes to the other batch for good.
    if (!viaCall) ended_ = jumped_ = true;
    return ok;
  }
  platform::ProcessSpec request;
  request.program = *path;
  request.args.push_back(platform::AnsiToUtf8(word));
  for (const std::string& w : SplitWords(rest)) request.args.push_back(ProgramArgument(Unquote(w)));
  request.in = platform::StdStream::FromDescriptor(io.in);
  request.out = platform::StdStream::FromDescriptor(io.out);
  request.err = platform::StdStream::FromDescriptor(io.err);
  platform::Process child;
  if (!child.Start(request))
    return Fail(io, "'" + word + "' cannot be started: " + std::strerror(child.error()) + ".");
  child.Wait(platform::kWaitForever);
  errorlevel_ = child.exitCode();
  return errorlevel_ == 0;
}

bool Interpreter::RunBatch(const std::string& nativePath, const std::string& word,
                           const std::string& rest, const Streams& io) {
  if (depth_ + 1 >= kMaxBatchDepth)
    return Fail(io, "Batch recursion exceeds the limit of " + std::to_string(kMaxBatchDepth) +
                        " nested batch files; \"" + word + "\" is not run.");
  Interpreter nested(io);
  nested.depth_ = depth_ + 1;
  nested.errorlevel_ = errorlevel_;
  nested.echo_ = echo_;
  // The nested file is read by its native path; %0 is the name as called.
  std::string bytes;
  if (!ReadFileBytes(nativePath, &bytes))
    return Fail(io, "The batch file \"" + word + "\" cannot be read.");
  errorlevel_ = nested.RunText(bytes, word, SplitWords(rest));
  echo_ = nested.echo_;
  return errorlevel_ == 0;
}

}  // namespace tovix::cmd
