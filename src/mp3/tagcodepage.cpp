#include "mp3/tagcodepage.h"

#include "platform/codepage.h"

namespace tovix {
namespace {

enum class Letter { None, Lower, Upper };

// Letter case of a Windows-1252 character.
Letter CaseOf(unsigned char c) {
  if (c >= 'a' && c <= 'z') return Letter::Lower;
  if (c >= 'A' && c <= 'Z') return Letter::Upper;
  if (c == 0x8A || c == 0x8C || c == 0x8E || c == 0x9F) return Letter::Upper;
  if (c == 0x83 || c == 0x9A || c == 0x9C || c == 0x9E) return Letter::Lower;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return Letter::Upper;
  if (c >= 0xDF && c != 0xF7) return Letter::Lower;
  return Letter::None;
}

// Letters seldom met in German, French, Spanish or English names; a byte
// that reads as one of them is weak evidence for its code page.
bool IsRare(unsigned char c) {
  switch (c) {
    case 0x83:  // ƒ
    case 0x8A:  // Š
    case 0x8E:  // Ž
    case 0x9A:  // š
    case 0x9E:  // ž
    case 0x9F:  // Ÿ
    case 0xD0:  // Ð
    case 0xDD:  // Ý
    case 0xDE:  // Þ
    case 0xF0:  // ð
    case 0xFD:  // ý
    case 0xFE:  // þ
    case 0xFF:  // ÿ
      return true;
    default:
      return false;
  }
}

// Weight of the high bytes of text read as Windows-1252 (already mapped):
// 2 for a common letter, 1 for a rare one, nothing for a non-letter or an
// upper-case letter right after a lower-case one.
int Score(const std::string& text) {
  int score = 0;
  Letter before = Letter::None;
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    const Letter letter = CaseOf(c);
    if (c >= 0x80 && letter != Letter::None &&
        !(letter == Letter::Upper && before == Letter::Lower))
      score += IsRare(c) ? 1 : 2;
    before = letter;
  }
  return score;
}

std::string UpToNul(std::string_view field) {
  return std::string(field.substr(0, field.find('\0')));
}

}  // namespace

std::uint16_t GuessTagCodePage(const std::vector<std::string_view>& fields) {
  int ansi = 0;
  int oem = 0;
  for (std::string_view field : fields) {
    const std::string bytes = UpToNul(field);
    ansi += Score(bytes);
    oem += Score(platform::OemToAnsi(bytes));
  }
  return ansi > oem ? kAnsiCodePage : kOemCodePage;
}

std::string TagTextFrom(std::string_view field, std::uint16_t codePage) {
  std::string text = codePage == kAnsiCodePage ? UpToNul(field) : platform::OemToAnsi(field);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\0')) text.pop_back();
  return text;
}

std::string TagTextTo(std::string_view text, std::size_t width, std::uint16_t codePage) {
  std::string_view cut = text.substr(0, width);
  std::string field = codePage == kAnsiCodePage ? UpToNul(cut) : platform::AnsiToOem(cut);
  field.resize(width, '\0');
  return field;
}

}  // namespace tovix
