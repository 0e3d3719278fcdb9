#include "platform/inilines.h"

#include <optional>
#include <vector>

namespace tovix::platform {
namespace {

struct Line {
  std::string_view body;  // without its line end
  std::string_view end;   // "\r\n", "\n" or "" for an unended last line
};

std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t nl = text.find('\n', start);
    if (nl == std::string_view::npos) {
      lines.push_back({text.substr(start), {}});
      break;
    }
    std::size_t bodyEnd = nl > start && text[nl - 1] == '\r' ? nl - 1 : nl;
    lines.push_back({text.substr(start, bodyEnd - start), text.substr(bodyEnd, nl + 1 - bodyEnd)});
    start = nl + 1;
  }
  return lines;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool SameNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 32);
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + 32);
    if (x != y) return false;
  }
  return true;
}

// The name of a "[section]" line.
std::optional<std::string_view> SectionName(std::string_view body) {
  std::string_view t = Trim(body);
  if (t.empty() || t.front() != '[') return std::nullopt;
  std::size_t close = t.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(t.substr(1, close - 1));
}

// The key of a "key=value" line; comments and other lines have none.
std::optional<std::string_view> KeyName(std::string_view body) {
  std::string_view t = Trim(body);
  if (t.empty() || t.front() == ';' || t.front() == '#') return std::nullopt;
  std::size_t eq = t.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return Trim(t.substr(0, eq));
}

}  // namespace

std::string SetIniValue(std::string_view text, std::string_view section, std::string_view key,
                        std::string_view value) {
  const std::vector<Line> lines = SplitLines(text);
  const std::string_view eol = !lines.empty() && lines[0].end == "\r\n" ? "\r\n" : "\n";
  const std::string entry = std::string(key) + "=" + std::string(value);

  std::optional<std::size_t> sectionAt, lastEntry, keyAt;
  for (std::size_t i = 0; i < lines.size() && !keyAt; ++i) {
    if (auto name = SectionName(lines[i].body)) {
      if (sectionAt) break;  // past the end of the first matching section
      if (SameNoCase(*name, section)) sectionAt = lastEntry = i;
      continue;
    }
    if (!sectionAt) continue;
    if (auto name = KeyName(lines[i].body)) {
      lastEntry = i;
      if (SameNoCase(*name, key)) keyAt = i;
    }
  }

  std::string out;
  out.reserve(text.size() + entry.size() + section.size() + 8);
  auto put = [&out](const Line& l) {
    out += l.body;
    out += l.end;
  };
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (keyAt && i == *keyAt) {
      out += entry;
      out += lines[i].end.empty() ? eol : lines[i].end;
      continue;
    }
    put(lines[i]);
    if (!keyAt && lastEntry && i == *lastEntry) {
      if (lines[i].end.empty()) out += eol;
      out += entry;
      out += eol;
    }
  }
  if (!sectionAt) {
    if (!out.empty() && out.back() != '\n') out += eol;
    out += "[" + std::string(section) + "]";
    out += eol;
    out += entry;
    out += eol;
  }
  return out;
}

}  // namespace tovix::platform
