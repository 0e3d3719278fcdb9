#include "platform/codepage.h"

#include <iconv.h>

#include <array>
#include <cstdint>
#include <unordered_map>

namespace tovix::platform {
namespace {

// Unicode code points of Windows-1252 bytes 0x80..0x9F; 0 marks the five gaps.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t Cp1252ToUnicode(unsigned char c) {
  if (c >= 0x80 && c < 0xA0) return kCp1252High[c - 0x80];
  return c;
}

// Code point of each code page 850 byte, read once from iconv.
std::array<char16_t, 256> LoadCp850() {
  std::array<char16_t, 256> table{};
  iconv_t cd = iconv_open("UTF-16LE", "CP850");
  for (int i = 0; i < 256; ++i) {
    table[i] = static_cast<char16_t>(i < 0x80 ? i : 0);
    if (i < 0x80 || cd == reinterpret_cast<iconv_t>(-1)) continue;
    char in = static_cast<char>(i);
    unsigned char out[4] = {};
    char* pin = &in;
    char* pout = reinterpret_cast<char*>(out);
    size_t inLeft = 1, outLeft = sizeof out;
    if (iconv(cd, &pin, &inLeft, &pout, &outLeft) != static_cast<size_t>(-1) && outLeft == 2)
      table[i] = static_cast<char16_t>(out[0] | (out[1] << 8));
  }
  if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
  return table;
}

struct Tables {
  std::array<unsigned char, 256> oemToAnsi{};
  std::array<unsigned char, 256> ansiToOem{};
};

Tables BuildTables() {
  const auto cp850 = LoadCp850();
  std::unordered_map<char16_t, unsigned char> ansiOf, oemOf;
  for (int i = 0; i < 256; ++i) {
    if (char16_t u = Cp1252ToUnicode(static_cast<unsigned char>(i)); u || i == 0)
      ansiOf.emplace(u, static_cast<unsigned char>(i));
    if (char16_t u = cp850[i]; u || i == 0) oemOf.emplace(u, static_cast<unsigned char>(i));
  }
  Tables t;
  for (int i = 0; i < 256; ++i) {
    auto a = ansiOf.find(cp850[i]);
    t.oemToAnsi[i] = a != ansiOf.end() ? a->second : kReplacementChar;
    auto o = oemOf.find(Cp1252ToUnicode(static_cast<unsigned char>(i)));
    t.ansiToOem[i] = o != oemOf.end() ? o->second : kReplacementChar;
  }
  return t;
}

const Tables& tables() {
  static const Tables t = BuildTables();
  return t;
}

std::string Map(std::string_view text, const std::array<unsigned char, 256>& table) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '\0') break;
    out += static_cast<char>(table[static_cast<unsigned char>(c)]);
  }
  return out;
}

}  // namespace

std::string OemToAnsi(std::string_view text) {
  return Map(text, tables().oemToAnsi);
}
std::string AnsiToOem(std::string_view text) {
  return Map(text, tables().ansiToOem);
}

std::string AnsiToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (char ch : text) {
    char32_t u = Cp1252ToUnicode(static_cast<unsigned char>(ch));
    if (u == 0 && ch != '\0') u = 0xFFFD;
    if (u < 0x80) {
      out += static_cast<char>(u);
    } else if (u < 0x800) {
      out += static_cast<char>(0xC0 | (u >> 6));
      out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (u >> 12));
      out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (u & 0x3F));
    }
  }
  return out;
}

std::optional<std::string> Utf8ToAnsi(std::string_view text) {
  static const auto reverse = [] {
    std::unordered_map<char32_t, char> m;
    for (int i = 0x80; i < 256; ++i)
      if (char16_t u = Cp1252ToUnicode(static_cast<unsigned char>(i)))
        m.emplace(u, static_cast<char>(i));
    return m;
  }();
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    char32_t u;
    size_t len;
    if (b < 0x80) {
      u = b;
      len = 1;
    } else if ((b & 0xE0) == 0xC0) {
      u = b & 0x1F;
      len = 2;
    } else if ((b & 0xF0) == 0xE0) {
      u = b & 0x0F;
      len = 3;
    } else if ((b & 0xF8) == 0xF0) {
      u = b & 0x07;
      len = 4;
    } else {
      return std::nullopt;
    }
    if (i + len > text.size()) return std::nullopt;
    for (size_t k = 1; k < len; ++k) {
      const auto c = static_cast<unsigned char>(text[i + k]);
      if ((c & 0xC0) != 0x80) return std::nullopt;
      u = (u << 6) | (c & 0x3F);
    }
    // Overlong forms would let two spellings stand for one name.
    static constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
    if (u < kMin[len]) return std::nullopt;
    i += len;
    if (u < 0x80) {
      out += static_cast<char>(u);
    } else if (u >= 0xA0 && u <= 0xFF) {
      out += static_cast<char>(u);
    } else if (auto it = reverse.find(u); it != reverse.end()) {
      out += it->second;
    } else {
      return std::nullopt;
    }
  }
  return out;
}

}  // namespace tovix::platform
