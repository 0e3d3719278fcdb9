// The built-in commands that do not touch files: echo, pause, set, cd,
// exit, call.
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>

#include "cmd/diskpath.h"
#include "cmd/expand.h"
#include "cmd/interpreter.h"
#include "cmd/output.h"
#include "cmd/textutil.h"
#include "platform/codepage.h"

extern char** environ;

namespace tovix::cmd {
namespace {

std::vector<std::string> EnvironmentLines() {
  std::vector<std::string> lines;
  for (char** e = environ; e && *e; ++e) {
    auto ansi = platform::Utf8ToAnsi(*e);
    lines.push_back(ansi ? *ansi : std::string(*e));
  }
  std::sort(lines.begin(), lines.end(),
            [](const std::string& a, const std::string& b) { return Lower(a) < Lower(b); });
  return lines;
}

}  // namespace

bool Interpreter::Echo(const CommandWord& cw, const Streams& io) {
  Output out(io.out);
  bool written = true;
  if (cw.echoMark) {
    written = out.Line(cw.rest);
  } else {
    std::string text = cw.rest.empty() ? cw.rest : cw.rest.substr(1);
    std::string t = Trim(text);
    if (t.empty())
      written = out.Line(echo_ ? "ECHO is on." : "ECHO is off.");
    else if (SameNoCase(t, "off"))
      echo_ = false;
    else if (SameNoCase(t, "on"))
      echo_ = true;
    else
      written = out.Line(text);  // trailing blanks stay, as the Windows interpreter writes them
  }
  // An echo into a file on a full disk must not pass for a written file.
  if (!written) return Fail(io, "The text of echo could not be written.");
  return true;
}

bool Interpreter::Pause(const Streams& io) {
  Output out(io.out);
  out.Write("Press any key to continue . . . ");
  // Without a terminal nobody can press a key: a hidden batch goes on at once.
  if (isatty(io.in) == 1) {
    termios saved;
    bool raw = tcgetattr(io.in, &saved) == 0;
    if (raw) {
      termios t = saved;
      t.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
      t.c_cc[VMIN] = 1;
      t.c_cc[VTIME] = 0;
      tcsetattr(io.in, TCSANOW, &t);
    }
    char key;
    while (read(io.in, &key, 1) < 0 && errno == EINTR) {
    }
    if (raw) tcsetattr(io.in, TCSANOW, &saved);
  }
  out.Line("");
  return true;
}

bool Interpreter::Set(const std::string& rest, const Streams& io) {
  std::string t = TrimLeft(rest);
  Output out(io.out);
  if (Trim(t).empty()) {
    for (const std::string& line : EnvironmentLines()) out.Line(line);
    return true;
  }
  if (t[0] == '/')
    return Fail(io, "The form \"set " + Trim(t) + "\" is not supported by tovix-cmd.");
  if (t[0] == '"') {
    std::size_t close = t.rfind('"');
    t = close > 0 ? t.substr(1, close - 1) : t.substr(1);
  }
  std::size_t eq = t.find('=');
  if (eq == std::string::npos) {
    std::string prefix = Trim(t);
    bool any = false;
    for (const std::string& line : EnvironmentLines()) {
      if (SameNoCase(line.substr(0, prefix.size()), prefix)) {
        out.Line(line);
        any = true;
      }
    }
    return any ? true : Fail(io, "Environment variable " + prefix + " not defined");
  }
  std::string name = t.substr(0, eq), value = t.substr(eq + 1);
  if (name.empty()) return Fail(io, "The syntax of the command is incorrect: set needs a name.");
  // Names are one variable whatever their case: replace the old spelling.
  for (char** e = environ; e && *e; ++e) {
    std::string entry(*e);
    std::size_t q = entry.find('=');
    auto ansi = platform::Utf8ToAnsi(entry.substr(0, q));
    if (q != std::string::npos && ansi && SameNoCase(*ansi, name)) {
      unsetenv(entry.substr(0, q).c_str());
      break;
    }
  }
  if (!value.empty())
    setenv(platform::AnsiToUtf8(name).c_str(), platform::AnsiToUtf8(value).c_str(), 1);
  return true;
}

bool Interpreter::ChangeDir(const std::string& rest, const Streams& io) {
  std::string t = Trim(rest);
  if (SameNoCase(t.substr(0, 3), "/d ")) t = Trim(t.substr(3));
  t = Unquote(t);
  if (t.empty()) {
    Output(io.out).Line(CurrentFolder());
    return true;
  }
  std::string path = ResolvePath(NativePath(t));
  if (chdir(path.c_str()) != 0) return Fail(io, "The system cannot find the path specified: " + t);
  return true;
}

bool Interpreter::Exit(const std::string& rest, const Streams& io) {
  for (const std::string& w : SplitWords(rest)) {
    if (SameNoCase(w, "/b")) continue;
    int code = 0;
    auto [p, ec] = std::from_chars(w.data(), w.data() + w.size(), code);
    if (ec != std::errc() || p != w.data() + w.size())
      return Fail(io, "The syntax of the command is incorrect: exit takes a number.");
    errorlevel_ = code;
    break;
  }
  ended_ = jumped_ = true;
  return true;
}

bool Interpreter::Call(const std::string& rest, const Streams& io) {
  CommandWord cw = SplitCommandWord(rest);
  if (cw.word.empty()) return true;
  if (cw.word[0] == ':')
    return Fail(io, "Calling a label (call :label) is not supported by tovix-cmd.");
  static constexpr const char* kBuiltins[] = {"echo",  "move",  "del",   "erase", "md",
                                              "mkdir", "rd",    "rmdir", "ren",   "rename",
                                              "cd",    "chdir", "set"};
  for (const char* b : kBuiltins)
    if (SameNoCase(cw.word, b)) return Dispatch(cw, io);
  return RunProgram(cw.word, cw.rest, io, true);
}

}  // namespace tovix::cmd
