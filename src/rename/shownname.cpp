#include "rename/shownname.h"

#include "lang/buildstrings.h"
#include "platform/codepage.h"

namespace tovix {

std::string ShownName(const std::string& nativeName) {
  const auto ansi = platform::Utf8ToAnsi(nativeName);
  std::string shown = ansi ? *ansi : nativeName;
  for (char& c : shown) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F || c == '"' || (!ansi && u >= 0x80)) c = '?';
  }
  return shown;
}

namespace {

// Length of the UTF-8 sequence at text[at] and its code point; 0 when the
// bytes there are no valid sequence.
std::size_t Utf8Sequence(const std::string& text, std::size_t at, char32_t& code) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
  const unsigned char lead = byte(0);
  std::size_t length = lead < 0x80                    ? 1
                       : lead >= 0xC2 && lead <= 0xDF ? 2
                       : lead >= 0xE0 && lead <= 0xEF ? 3
                       : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                      : 0;
  if (length == 0 || at + length > text.size()) return 0;
  code = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(i) & 0x3F);
  }
  // Overlong forms, surrogates and code points beyond Unicode.
  static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kLeast[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return 0;
  return length;
}

bool IsControl(char32_t code) {
  return code < 0x20 || (code >= 0x7F && code <= 0x9F) || code == 0x2028 || code == 0x2029 ||
         (code >= 0x202A && code <= 0x202E) || (code >= 0x2066 && code <= 0x2069);
}

}  // namespace

std::string ShownNativeName(const std::string& nativeName) {
  std::string shown;
  for (std::size_t at = 0; at < nativeName.size();) {
    char32_t code = 0;
    const std::size_t length = Utf8Sequence(nativeName, at, code);
    if (length == 0 || IsControl(code)) {
      shown += '?';
      at += length == 0 ? 1 : length;
    } else {
      shown += nativeName.substr(at, length);
      at += length;
    }
  }
  return shown;
}

std::string UnusableNameNote(const std::string& nativeName) {
  return BuildText(str::kSkippedUnusableName, {ShownName(nativeName)});
}

std::string BatchNameNote(const std::string& ansiName) {
  return BuildText(str::kSkippedBatchName, {ShownName(platform::AnsiToUtf8(ansiName))});
}

std::string VanishedNote(const std::string& ansiName) {
  return BuildText(str::kSkippedVanished, {ShownName(platform::AnsiToUtf8(ansiName))});
}

}  // namespace tovix
