#pragma once
// Conversions between the program's 8-bit texts and the outside world:
// code page 850 (OEM: tags on disk, names inside batch files), Windows-1252
// (ANSI: every text the program holds) and UTF-8 (Linux file names, widgets).
#include <optional>
#include <string>
#include <string_view>

namespace tovix::platform {

// Code page 850 to Windows-1252, byte by byte up to the first NUL.
std::string OemToAnsi(std::string_view text);
// Windows-1252 to code page 850, byte by byte up to the first NUL.
std::string AnsiToOem(std::string_view text);

// Windows-1252 to UTF-8. The five bytes 1252 leaves undefined map to U+FFFD.
std::string AnsiToUtf8(std::string_view text);
// UTF-8 to Windows-1252; nullopt when the text is not valid UTF-8 or holds a
// character that Windows-1252 lacks.
std::optional<std::string> Utf8ToAnsi(std::string_view text);

// Only the letters a-z (A-Z) change case, as the program's own upper-casing
// does: the accented letters of either code page stay as they are.
inline constexpr char UpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
inline constexpr char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
inline std::string UpperAscii(std::string text) {
  for (char& c : text) c = UpperAscii(c);
  return text;
}
inline std::string LowerAscii(std::string text) {
  for (char& c : text) c = LowerAscii(c);
  return text;
}

// Byte replacing a character that the target code page lacks.
inline constexpr char kReplacementChar = '_';

}  // namespace tovix::platform
