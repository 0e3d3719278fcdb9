#include "rename/batchtext.h"

#include <ctime>
#include <string_view>

#include "platform/codepage.h"

namespace tovix {
namespace {

// Not allowed in a Windows file name; on Linux they would be read as a
// separator or a wildcard by the interpreter.
constexpr std::string_view kForbidden = "\\/:*?\"<>|";

bool IsControl(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u < 0x20 || u == 0x7F;
}

}  // namespace

std::optional<std::string> BatchOemName(const std::string& ansiName) {
  for (char c : ansiName)
    if (IsControl(c) || kForbidden.find(c) != std::string_view::npos) return std::nullopt;
  std::string oem = platform::AnsiToOem(ansiName);
  if (platform::OemToAnsi(oem) != ansiName) return std::nullopt;
  return oem;
}

std::string EscapePercent(const std::string& text) {
  std::string out;
  out.reserve(text.size() + 2);
  for (char c : text) {
    out += c;
    if (c == '%') out += '%';
  }
  return out;
}

std::string BatchTimestamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  if (std::strftime(text, sizeof text, "%d.%m.%Y %H:%M:%S", &local) == 0) return {};
  return text;
}

std::string UnquotedSafe(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (std::string_view("=;,^<>|\"*?").find(c) != std::string_view::npos) c = '_';
  return out;
}

std::string RemLine(const std::string& text) {
  std::string out = "rem " + text;
  for (char& c : out)
    if (IsControl(c) || std::string_view("%<>|&^\"").find(c) != std::string_view::npos) c = '?';
  return out;
}

}  // namespace tovix
