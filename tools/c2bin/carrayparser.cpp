#include "carrayparser.h"

#include <cctype>
#include <cstdint>

namespace tovix::c2bin {

namespace {

class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}

  // Skips blanks and comments; false at the end of the text.
  bool SkipSpace() {
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (c == '\n') {
        ++line_;
        ++pos_;
      } else if (std::isspace(static_cast<unsigned char>(c))) {
        ++pos_;
      } else if (text_.substr(pos_, 2) == "//") {
        while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
      } else if (text_.substr(pos_, 2) == "/*") {
        const std::size_t end = text_.find("*/", pos_ + 2);
        if (end == std::string_view::npos) Fail("a comment is not closed");
        for (std::size_t i = pos_; i < end; ++i) line_ += text_[i] == '\n';
        pos_ = end + 2;
      } else {
        return true;
      }
    }
    return false;
  }

  char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
  void Advance() { ++pos_; }
  bool AtEnd() const { return pos_ >= text_.size(); }

  // One integer literal with an optional u/l suffix.
  std::uint64_t Number() {
    int base = 10;
    if (Peek() == '0' && pos_ + 1 < text_.size() &&
        (text_[pos_ + 1] == 'x' || text_[pos_ + 1] == 'X')) {
      base = 16;
      pos_ += 2;
    } else if (Peek() == '0') {
      base = 8;
    }
    std::uint64_t value = 0;
    int digits = 0;
    for (; !AtEnd(); ++pos_) {
      const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(text_[pos_])));
      int d;
      if (c >= '0' && c <= '9') {
        d = c - '0';
      } else if (c >= 'a' && c <= 'f') {
        d = c - 'a' + 10;
      } else {
        break;
      }
      if (d >= base) Fail("a malformed number");
      if (value > 0xFFFF) Fail("a number too large for a byte");
      value = value * static_cast<unsigned>(base) + static_cast<unsigned>(d);
      ++digits;
    }
    if (digits == 0) Fail("a number without digits");
    while (!AtEnd() && (Peek() == 'u' || Peek() == 'U' || Peek() == 'l' || Peek() == 'L')) ++pos_;
    if (!AtEnd() && (std::isalnum(static_cast<unsigned char>(Peek())) || Peek() == '_')) {
      Fail("a malformed number");
    }
    return value;
  }

  [[noreturn]] void Fail(const std::string& what) const {
    throw ParseError("line " + std::to_string(line_) + ": " + what);
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

// The size in the last "[...]" before the brace, or -1 when none is given.
long long DeclaredSize(std::string_view declaration) {
  const std::size_t open = declaration.rfind('[');
  if (open == std::string_view::npos) return -1;
  const std::size_t close = declaration.find(']', open);
  if (close == std::string_view::npos) return -1;
  std::string_view inside = declaration.substr(open + 1, close - open - 1);
  while (!inside.empty() && std::isspace(static_cast<unsigned char>(inside.front())))
    inside.remove_prefix(1);
  while (!inside.empty() && std::isspace(static_cast<unsigned char>(inside.back())))
    inside.remove_suffix(1);
  if (inside.empty()) return -1;
  long long n = 0;
  for (char c : inside) {
    if (c < '0' || c > '9' || n > (1LL << 40)) return -2;  // not a plain count
    n = n * 10 + (c - '0');
  }
  return n;
}

}  // namespace

std::string ParseCArray(std::string_view source) {
  Scanner s(source);
  // Find the opening brace, outside comments.
  std::string declaration;
  for (;;) {
    if (!s.SkipSpace()) throw ParseError("no array initialiser (\"{ ... }\") found");
    const char c = s.Peek();
    s.Advance();
    if (c == '{') break;
    if (c == ';') {
      declaration.clear();
      continue;
    }
    declaration += c;
  }
  const long long declared = DeclaredSize(declaration);
  if (declared == -2) s.Fail("the array size is not a plain number");

  std::string bytes;
  for (;;) {
    if (!s.SkipSpace()) s.Fail("the array is not closed with \"}\"");
    if (s.Peek() == '}') break;
    if (!std::isdigit(static_cast<unsigned char>(s.Peek()))) {
      s.Fail(std::string("unexpected character '") + s.Peek() + "' in the array");
    }
    const std::uint64_t value = s.Number();
    if (value > 255) s.Fail("value " + std::to_string(value) + " is not a byte");
    bytes += static_cast<char>(value);
    if (!s.SkipSpace()) s.Fail("the array is not closed with \"}\"");
    if (s.Peek() == ',') {
      s.Advance();
    } else if (s.Peek() != '}') {
      s.Fail(std::string("expected ',' or '}' but found '") + s.Peek() + "'");
    }
  }
  if (bytes.empty()) s.Fail("the array is empty");
  if (declared >= 0 && static_cast<std::size_t>(declared) != bytes.size()) {
    s.Fail("the array declares " + std::to_string(declared) + " bytes but holds " +
           std::to_string(bytes.size()));
  }
  return bytes;
}

}  // namespace tovix::c2bin
