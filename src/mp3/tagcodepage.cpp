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

bool IsDigit(unsigned char c) {
  return c >= '0' && c <= '9';
}

// Weight of one letter at i: 2 for a common one, 1 for a rare one, nothing
// where its case does not fit its neighbours (an upper-case letter right
// after a lower-case one, a lower-case one right before an upper-case one)
// or where it stands alone between non-letters (but "à", a French word).
int LetterWeight(const std::string& text, std::size_t i) {
  const auto c = static_cast<unsigned char>(text[i]);
  const Letter letter = CaseOf(c);
  const Letter before = i > 0 ? CaseOf(static_cast<unsigned char>(text[i - 1])) : Letter::None;
  const Letter after =
      i + 1 < text.size() ? CaseOf(static_cast<unsigned char>(text[i + 1])) : Letter::None;
  if (letter == Letter::Upper && before == Letter::Lower) return 0;
  if (letter == Letter::Lower && after == Letter::Upper) return 0;
  if (before == Letter::None && after == Letter::None && c != 0xE0) return 0;
  return IsRare(c) ? 1 : 2;
}

// Weight of the typographic marks of Windows-1252 that today's file names
// and tags hold, where they stand as such marks: an apostrophe after a
// letter, quotes at the start or end of a word, a dash between blanks, a
// euro sign by a number. In code page 850 these bytes are letters.
int MarkWeight(const std::string& text, std::size_t i) {
  const auto at = [&text](std::size_t k) {
    return k < text.size() ? static_cast<unsigned char>(text[k]) : static_cast<unsigned char>(' ');
  };
  const unsigned char before = i > 0 ? at(i - 1) : ' ';
  const unsigned char after = at(i + 1);
  const bool wordBefore = CaseOf(before) != Letter::None || IsDigit(before);
  const bool wordAfter = CaseOf(after) != Letter::None || IsDigit(after);
  switch (static_cast<unsigned char>(text[i])) {
    case 0x91:  // ‘
    case 0x92:  // ’
      return wordBefore || wordAfter ? 2 : 0;
    case 0x84:  // „
    case 0x93:  // “
      return !wordBefore && wordAfter ? 2 : 0;
    case 0x94:  // ”
      return wordBefore && !wordAfter ? 2 : 0;
    case 0x96:  // –
    case 0x97:  // —
      return before == ' ' && after == ' ' ? 2 : 0;
    case 0x80:  // €
      return IsDigit(before) || IsDigit(after) ? 1 : 0;
    case 0x85:  // …
      return wordBefore ? 1 : 0;
    default:
      return 0;
  }
}

// How well text (already in Windows-1252) reads: the weights of its bytes
// from 0x80 up.
int Score(const std::string& text) {
  int score = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) continue;
    score += CaseOf(c) != Letter::None ? LetterWeight(text, i) : MarkWeight(text, i);
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
