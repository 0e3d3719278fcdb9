#include "rename/texthelpers.h"

#include <array>

#include "platform/codepage.h"

namespace tovix {
namespace {

// The same sixteen letters in both code pages; 0xE1 is in both sets.
constexpr std::string_view kAnsiSet =
    "\xFC\xF6\xE4\xDC\xD6\xC4\xDF\xE9\xE1\xC9\xC1\xE8\xE0\xC0\xC8\xF1";
constexpr std::string_view kOemSet =
    "\xA4\x81\x94\x84\x9A\x99\x8E\xE1\x82\xA0\x90\xB5\x8A\x85\xB7\xD4";

struct Umlaut {
  char from;
  std::string_view to;
};

// Applied entry by entry in this order.
constexpr std::array<Umlaut, 17> kUmlauts = {{{'\xFC', "ue"},
                                              {'\xF6', "oe"},
                                              {'\xE4', "ae"},
                                              {'\xDC', "Ue"},
                                              {'\xD6', "Oe"},
                                              {'\xC4', "Ae"},
                                              {'\xDF', "ss"},
                                              {'\xE9', "e"},
                                              {'\xE1', "a"},
                                              {'\xC9', "E"},
                                              {'\xC1', "A"},
                                              {'\xE8', "e"},
                                              {'\xE0', "a"},
                                              {'\xC0', "A"},
                                              {'\xC8', "E"},
                                              {'\xE7', "c"},
                                              {'\xC7', "C"}}};

// Windows-1252 bytes 0x80..0x9F that code page 850 lacks, with the plain
// text that stands in for each; an empty entry is a character 850 has or
// an undefined byte.
constexpr std::array<std::string_view, 32> kPlainHigh = {
    "EUR", "",  ",", "",  "'", "...", "+", "+", "^", "_",  "S", "'", "OE", "", "Z", "",
    "",    "'", "'", "'", "'", "-",   "-", "-", "~", "TM", "s", "'", "oe", "", "z", "Y"};

constexpr std::string_view kAsHyphen = "/\\:";
constexpr std::string_view kDropped = "*?\"<>|";

}  // namespace

bool LooksLikeAnsi(std::string_view text) {
  int ansi = 0;
  int oem = 0;
  for (char c : text) {
    if (kAnsiSet.find(c) != std::string_view::npos) ++ansi;
    if (kOemSet.find(c) != std::string_view::npos) ++oem;
  }
  return oem < ansi;
}

std::string ToAnsiIfOem(std::string_view text) {
  if (LooksLikeAnsi(text)) return std::string(text);
  return platform::OemToAnsi(text);
}

std::string ToOemIfAnsi(std::string_view text) {
  if (!LooksLikeAnsi(text)) return std::string(text);
  return platform::AnsiToOem(text);
}

std::string CapitaliseWords(std::string_view text) {
  std::string out(text);
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (i == 0 || (out[i] != ' ' && out[i - 1] == ' ')) out[i] = platform::UpperAscii(out[i]);
  }
  for (char& c : out)
    if (c == '\xEF') c = '\'';
  return out;
}

std::string ReplaceUmlauts(std::string_view text) {
  std::string out(text);
  for (const Umlaut& u : kUmlauts) {
    std::string next;
    next.reserve(out.size() + 8);
    for (char c : out) {
      if (c == u.from)
        next += u.to;
      else
        next += c;
    }
    out.swap(next);
  }
  return out;
}

std::string BlankControls(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) c = ' ';
  }
  return out;
}

std::string PlainForOem(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x80 && u < 0xA0 && !kPlainHigh[u - 0x80].empty())
      out += kPlainHigh[u - 0x80];
    else
      out += c;
  }
  return out;
}

std::string WindowsSafeName(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (kAsHyphen.find(c) != std::string_view::npos)
      out += '-';
    else if (kDropped.find(c) == std::string_view::npos)
      out += c;
  }
  return out;
}

bool HoldsCharNotForWindows(std::string_view text) {
  return text.find_first_of(kAsHyphen) != std::string_view::npos ||
         text.find_first_of(kDropped) != std::string_view::npos;
}

}  // namespace tovix
