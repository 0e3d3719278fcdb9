#include "cmd/interpreter.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cmd/diskpath.h"
#include "cmd/expand.h"
#include "cmd/output.h"
#include "cmd/textutil.h"
#include "platform/codepage.h"

namespace tovix::cmd {
namespace {

// Name of a label line (":name ..."), empty for any other line.
std::string LabelOf(const std::string& line) {
  std::string t = TrimLeft(line);
  if (t.empty() || t[0] != ':') return {};
  std::size_t end = t.find_first_of(" \t+=;,", 1);
  return t.substr(1, end == std::string::npos ? end : end - 1);
}

bool IsNulDevice(const std::string& name) {
  return SameNoCase(name, "nul") || SameNoCase(name, "nul:");
}

}  // namespace

Interpreter::Interpreter(Streams streams) : base_(streams) {}

bool Interpreter::Fail(const Streams& io, const std::string& message, int level) {
  Output(io.err).Line(message);
  errorlevel_ = level;
  return false;
}

int Interpreter::RunFile(const std::string& batchPath, const std::vector<std::string>& args) {
  std::string native = ResolvePath(NativePath(batchPath));
  std::string bytes;
  if (IsDir(native) || !ReadFileBytes(native, &bytes)) {
    Fail(base_, "The batch file \"" + batchPath + "\" cannot be found or read.");
    return errorlevel_;
  }
  return RunText(bytes, batchPath, args);
}

int Interpreter::RunText(std::string_view fileBytes, const std::string& batchName,
                         const std::vector<std::string>& args) {
  lines_.clear();
  std::size_t start = 0;
  while (start < fileBytes.size()) {
    std::size_t end = fileBytes.find('\n', start);
    std::string_view line =
        fileBytes.substr(start, end == std::string_view::npos ? end : end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    // The file is in the console code page, as the Windows interpreter reads it.
    lines_.push_back(platform::OemToAnsi(line));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  args_.assign(1, batchName);
  args_.insert(args_.end(), args.begin(), args.end());
  shift_ = 0;
  next_ = 0;
  ended_ = false;
  while (!ended_ && next_ < lines_.size()) RunLine(lines_[next_++]);
  return errorlevel_;
}

void Interpreter::RunLine(const std::string& raw) {
  jumped_ = false;
  std::string first = TrimLeft(raw);
  if (first.empty() || first[0] == ':') return;  // labels (and :: remarks)
  const std::string kTooLong = "The input line is too long.";
  if (raw.size() > kMaxLineLength) {
    Fail(base_, kTooLong);
    return;
  }
  ExpandContext context{&args_, shift_, errorlevel_};
  std::string text = ExpandPercents(raw, context, kMaxLineLength + 1);
  if (text.size() > kMaxLineLength) {
    Fail(base_, kTooLong);
    return;
  }
  text = TrimLeft(text);
  bool quiet = false;
  while (!text.empty() && text[0] == '@') {
    quiet = true;
    text = TrimLeft(text.substr(1));
  }
  if (text.empty()) return;
  if (echo_ && !quiet) Output(base_.out).Line(CurrentFolder() + ">" + text);
  RunStatement(std::move(text));
}

// A loop, not a recursion: a line of thousands of chained or nested
// commands needs no more memory than a few copies of itself.
void Interpreter::RunStatement(std::string text) {
  while (!jumped_ && !ended_) {
    CommandWord cw = SplitCommandWord(text);
    if (cw.word.empty() || SameNoCase(cw.word, "rem")) return;
    // if takes the whole rest of the line, chains included, as its command.
    if (SameNoCase(cw.word, "if")) {
      std::string then;
      If(cw.rest, &then);
      if (then.empty()) return;
      text = std::move(then);
      continue;
    }
    ChainPart part = SplitChain(text);
    bool ok = RunSimple(part.head);
    if (part.op == ChainOp::None || jumped_ || ended_) return;
    if (!(part.op == ChainOp::Always || (part.op == ChainOp::IfOk && ok) ||
          (part.op == ChainOp::IfFailed && !ok)))
      return;
    text = TrimLeft(part.tail);
  }
}

bool Interpreter::RunSimple(const std::string& text) {
  SimpleCommand sc;
  std::string error;
  if (!ParseRedirections(text, &sc, &error)) return Fail(base_, error);
  Streams io = base_;
  std::vector<int> opened;
  auto closeOpened = [&opened] {
    for (int fd : opened) close(fd);
  };
  for (const Redirection& r : sc.redirections) {
    int fd;
    if (r.dupOf >= 0) {
      fd = r.dupOf == 1 ? io.out : r.dupOf == 2 ? io.err : io.in;
    } else if (IsNulDevice(r.target)) {
      fd = open("/dev/null", (r.handle == 0 ? O_RDONLY : O_WRONLY) | O_CLOEXEC);
    } else if (SameNoCase(r.target, "con")) {
      fd = r.handle == 0 ? base_.in : r.handle == 1 ? base_.out : base_.err;
    } else {
      std::string path = ResolvePath(NativePath(r.target));
      int flags = r.handle == 0 ? O_RDONLY : O_WRONLY | O_CREAT | (r.append ? O_APPEND : O_TRUNC);
      fd = IsDir(path) ? (errno = EISDIR, -1) : open(path.c_str(), flags | O_CLOEXEC, 0666);
      if (fd < 0) {
        std::string why = std::strerror(errno);
        closeOpened();
        return Fail(base_, "Cannot open \"" + r.target + "\" for redirection: " + why + ".");
      }
    }
    if (r.dupOf < 0 && fd >= 0 && !SameNoCase(r.target, "con")) opened.push_back(fd);
    if (r.handle == 0)
      io.in = fd;
    else if (r.handle == 1)
      io.out = fd;
    else
      io.err = fd;
  }
  CommandWord cw = SplitCommandWord(sc.text);
  bool ok = cw.word.empty() || Dispatch(cw, io);
  closeOpened();
  return ok;
}

bool Interpreter::Dispatch(const CommandWord& cw, const Streams& io) {
  const std::string w = Lower(cw.word);
  if (w == "echo") return Echo(cw, io);
  if (w == "goto") return Goto(cw.rest, io);
  if (w == "pause") return Pause(io);
  if (w == "move") return Move(cw.rest, io);
  if (w == "del" || w == "erase") return Delete(cw.rest, io);
  if (w == "md" || w == "mkdir") return MakeDir(cw.rest, io);
  if (w == "rd" || w == "rmdir") return RemoveDir(cw.rest, io);
  if (w == "ren" || w == "rename") return Rename(cw.rest, io);
  if (w == "cd" || w == "chdir") return ChangeDir(cw.rest, io);
  if (w == "set") return Set(cw.rest, io);
  if (w == "exit") return Exit(cw.rest, io);
  if (w == "call") return Call(cw.rest, io);
  if (w == "if") {
    // Only an if behind a redirection gets here; its command holds no
    // chain and no redirection left, so this does not nest further.
    std::string then;
    bool ok = If(cw.rest, &then);
    if (!then.empty()) RunStatement(std::move(then));
    return ok;
  }
  if (w == "shift") {
    ++shift_;
    return true;
  }
  // Harmless here: no screen to clear, no title, the environment ends with us.
  if (w == "rem" || w == "cls" || w == "title" || w == "setlocal" || w == "endlocal" || w == "ver")
    return true;
  static constexpr const char* kUnsupported[] = {
      "for",   "copy", "type", "dir", "pushd",  "popd",  "path",  "prompt", "start",
      "color", "date", "time", "vol", "verify", "assoc", "ftype", "mklink", "break"};
  for (const char* name : kUnsupported)
    if (w == name)
      return Fail(io, "The command \"" + cw.word +
                          "\" of the Windows command interpreter is not supported by tovix-cmd.");
  if (w[0] == '(' || w[0] == ')')
    return Fail(io, "Blocks in parentheses are not supported by tovix-cmd.");
  return RunProgram(cw.word, cw.rest, io, false);
}

bool Interpreter::Goto(const std::string& rest, const Streams& io) {
  std::string t = Trim(rest);
  bool colon = !t.empty() && t[0] == ':';
  if (colon) t.erase(0, 1);
  std::size_t end = t.find_first_of(" \t+=;,");
  std::string label = t.substr(0, end);
  if (label.empty()) return Fail(io, "No batch label specified to GOTO command.");
  if (colon && SameNoCase(label, "eof")) {
    ended_ = jumped_ = true;
    return true;
  }
  // The search starts after the current line and wraps round, as on Windows.
  const std::size_t n = lines_.size();
  for (std::size_t k = 0; k < n; ++k) {
    std::size_t i = (next_ + k) % n;
    if (SameNoCase(LabelOf(lines_[i]), label)) {
      next_ = i + 1;
      jumped_ = true;
      return true;
    }
  }
  ended_ = jumped_ = true;
  return Fail(io, "The system cannot find the batch label specified - " + label);
}

}  // namespace tovix::cmd
