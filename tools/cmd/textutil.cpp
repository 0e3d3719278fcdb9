#include "cmd/textutil.h"

#include <algorithm>

#include "platform/filesys.h"

namespace tovix::cmd {

char FoldCase(char c) {
  auto u = static_cast<unsigned char>(c);
  if (u >= 'A' && u <= 'Z') return static_cast<char>(u + 32);
  if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return static_cast<char>(u + 32);
  switch (u) {
    case 0x8A:
      return static_cast<char>(0x9A);  // S caron
    case 0x8C:
      return static_cast<char>(0x9C);  // OE
    case 0x8E:
      return static_cast<char>(0x9E);  // Z caron
    case 0x9F:
      return static_cast<char>(0xFF);  // Y diaeresis
    default:
      return c;
  }
}

std::string Lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), FoldCase);
  return out;
}

bool SameNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return FoldCase(x) == FoldCase(y);
         });
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string TrimLeft(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  return std::string(text.substr(i));
}

std::string Trim(std::string_view text) {
  std::string s = TrimLeft(text);
  while (!s.empty() && IsBlank(s.back())) s.pop_back();
  return s;
}

std::string Unquote(std::string_view text) {
  std::string out;
  for (char c : text)
    if (c != '"') out += c;
  return out;
}

bool WildcardMatch(std::string_view pattern, std::string_view name) {
  if (pattern == "*.*") return true;
  // "name.*" also matches a name without any extension, as on Windows.
  if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
      platform::WildcardMatch(std::string(pattern.substr(0, pattern.size() - 2)),
                              std::string(name)))
    return true;
  return platform::WildcardMatch(std::string(pattern), std::string(name));
}

bool HasWildcard(std::string_view text) {
  return text.find_first_of("*?") != std::string_view::npos;
}

}  // namespace tovix::cmd
