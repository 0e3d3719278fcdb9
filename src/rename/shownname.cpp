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
