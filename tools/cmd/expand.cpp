#include "cmd/expand.h"

#include <unistd.h>

#include <cctype>

#include "cmd/textutil.h"
#include "platform/codepage.h"

extern char** environ;

namespace tovix::cmd {
namespace {

std::string ToAnsi(const std::string& native) {
  auto ansi = platform::Utf8ToAnsi(native);
  return ansi ? *ansi : native;
}

std::string Argument(const ExpandContext& c, std::size_t n) {
  if (!c.args) return {};
  std::size_t i = n + c.shift;
  return i < c.args->size() ? (*c.args)[i] : std::string();
}

// Drops one leading and one trailing double quote.
std::string WithoutQuotes(std::string_view v) {
  if (!v.empty() && v.front() == '"') v.remove_prefix(1);
  if (!v.empty() && v.back() == '"') v.remove_suffix(1);
  return std::string(v);
}

std::string Modified(std::string v, const std::string& mods) {
  v = WithoutQuotes(v);
  bool f = false, d = false, p = false, n = false, x = false;
  for (char m : mods) {
    switch (std::tolower(static_cast<unsigned char>(m))) {
      case 'f':
        f = true;
        break;
      case 'd':
        d = true;
        break;
      case 'p':
        p = true;
        break;
      case 'n':
        n = true;
        break;
      case 'x':
        x = true;
        break;
      default:
        break;  // s, a, t, z: no meaning here
    }
  }
  if (!(f || d || p || n || x) || v.empty()) return v;
  std::string path = v;
  for (char& ch : path)
    if (ch == '\\') ch = '/';
  if (path[0] != '/') path = CurrentFolder() + "/" + path;
  if (f && !(d || p || n || x)) return path;
  std::size_t slash = path.rfind('/');
  std::string dir = path.substr(0, slash + 1);
  std::string name = path.substr(slash + 1);
  std::size_t dot = name.rfind('.');
  std::string base = dot == std::string::npos ? name : name.substr(0, dot);
  std::string ext = dot == std::string::npos ? "" : name.substr(dot);
  std::string out;
  if (p) out += dir;
  if (n) out += base;
  if (x) out += ext;
  return out;
}

}  // namespace

std::string CurrentFolder() {
  std::string buf(4096, '\0');
  if (!getcwd(buf.data(), buf.size())) return ".";
  buf.resize(buf.find('\0'));
  return ToAnsi(buf);
}

std::optional<std::string> GetVariable(std::string_view name) {
  for (char** e = environ; e && *e; ++e) {
    std::string_view entry(*e);
    std::size_t eq = entry.find('=');
    if (eq == std::string_view::npos || eq == 0) continue;
    if (SameNoCase(entry.substr(0, eq), name)) return ToAnsi(std::string(entry.substr(eq + 1)));
  }
  return std::nullopt;
}

std::string ExpandPercents(std::string_view line, const ExpandContext& c, std::size_t limit) {
  std::string out;
  for (std::size_t i = 0; i < line.size() && out.size() <= limit; ++i) {
    char ch = line[i];
    if (ch != '%') {
      out += ch;
      continue;
    }
    if (i + 1 >= line.size()) break;  // a lone % at the end is dropped
    char next = line[i + 1];
    if (next == '%') {
      out += '%';
      ++i;
    } else if (next >= '0' && next <= '9') {
      out += Argument(c, static_cast<std::size_t>(next - '0'));
      ++i;
    } else if (next == '*') {
      if (c.args)
        for (std::size_t k = 1; k < c.args->size() && out.size() <= limit; ++k)
          out += (k > 1 ? " " : "") + (*c.args)[k];
      ++i;
    } else if (next == '~') {
      std::size_t j = i + 2;
      std::string mods;
      while (j < line.size() &&
             std::string_view("fdpnxsatzFDPNXSATZ").find(line[j]) != std::string_view::npos)
        mods += line[j++];
      if (j < line.size() && line[j] >= '0' && line[j] <= '9') {
        out += Modified(Argument(c, static_cast<std::size_t>(line[j] - '0')), mods);
        i = j;
      } else {
        out += "%~";  // not a parameter form; left as written
        ++i;
      }
    } else {
      std::size_t close = line.find('%', i + 1);
      if (close == std::string_view::npos) continue;  // lone %: dropped
      std::string_view name = line.substr(i + 1, close - i - 1);
      if (auto value = GetVariable(name))
        out += *value;
      else if (SameNoCase(name, "errorlevel"))
        out += std::to_string(c.errorlevel);
      else if (SameNoCase(name, "cd"))
        out += CurrentFolder();
      i = close;
    }
  }
  return out;
}

}  // namespace tovix::cmd
