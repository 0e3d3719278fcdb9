#pragma once
// The list of languages a language file offers, and the choice the language
// dialog makes from it. Names are Windows-1252.
#include <optional>
#include <string>
#include <vector>

#include "platform/inifile.h"

namespace tovix {

inline constexpr const char* kLanguagesSection = "Languages";
inline constexpr const char* kStringsSection = "Strings";

// A count beyond this is taken as this many: no file lists more languages,
// and a garbled count must not keep the program busy for hours.
inline constexpr int kMaxLanguageCount = 1000;

// "count" of section "Languages"; -1 when the file, the section or the key
// is missing or the value is no integer.
int ReadLanguageCount(const platform::IniFile& ini);

// The highest n to look at for a count: min(count, kMaxLanguageCount).
int LanguageScanLimit(int count);

struct LanguageEntry {
  std::string name;  // "Lang." + n
  int number = 0;    // "Idx." + n, 0 when missing
};

// The languages in the order n = 1..count, skipping empty or missing names;
// nullopt when the count is missing or below 1.
std::optional<std::vector<LanguageEntry>> ReadLanguageList(const std::string& file);

// The line to select for a language number: the first line carrying it, or
// -1 when no line does.
int LineForLanguage(const std::vector<LanguageEntry>& list, int language);

// The language number the dialog hands back: on confirm the number of the
// selected line, on cancel (or confirm without a valid selection) the
// current one.
int ChosenLanguage(const std::vector<LanguageEntry>& list, int selectedLine, bool confirmed,
                   int currentLanguage);

}  // namespace tovix
