#include "lang/languagelist.h"

#include <algorithm>

namespace tovix {

int ReadLanguageCount(const platform::IniFile& ini) {
  return ini.ReadInteger(kLanguagesSection, "count", -1);
}

int LanguageScanLimit(int count) {
  return std::min(count, kMaxLanguageCount);
}

std::optional<std::vector<LanguageEntry>> ReadLanguageList(const std::string& file) {
  const platform::IniFile ini(file);
  const int count = ReadLanguageCount(ini);
  if (count < 1) return std::nullopt;
  std::vector<LanguageEntry> list;
  for (int n = 1; n <= LanguageScanLimit(count); ++n) {
    const std::string suffix = std::to_string(n);
    std::string name = ini.ReadString(kLanguagesSection, "Lang." + suffix, "");
    if (name.empty()) continue;
    list.push_back({std::move(name), ini.ReadInteger(kLanguagesSection, "Idx." + suffix, 0)});
  }
  return list;
}

int LineForLanguage(const std::vector<LanguageEntry>& list, int language) {
  const auto it = std::find_if(list.begin(), list.end(),
                               [language](const LanguageEntry& e) { return e.number == language; });
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

int ChosenLanguage(const std::vector<LanguageEntry>& list, int selectedLine, bool confirmed,
                   int currentLanguage) {
  if (!confirmed || selectedLine < 0 || selectedLine >= static_cast<int>(list.size()))
    return currentLanguage;
  return list[static_cast<std::size_t>(selectedLine)].number;
}

}  // namespace tovix
