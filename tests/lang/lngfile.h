#pragma once
// Small language files for the tests, written the way users write them.
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace tovix::test {

struct LngLanguage {
  std::string name;    // value of "Lang." + n; "" leaves the key out
  std::string number;  // value of "Idx." + n; "" leaves the key out
};

// A file with section "Languages" (count and the languages in order) and
// section "Strings" with the given key=value lines, CR LF line ends.
inline std::string LngText(const std::string& count, const std::vector<LngLanguage>& languages,
                           const std::vector<std::pair<std::string, std::string>>& strings) {
  std::string t = "[Languages]\r\n";
  if (!count.empty()) t += "count=" + count + "\r\n";
  for (std::size_t i = 0; i < languages.size(); ++i) {
    const std::string n = std::to_string(i + 1);
    if (!languages[i].name.empty()) t += "Lang." + n + "=" + languages[i].name + "\r\n";
    if (!languages[i].number.empty()) t += "Idx." + n + "=" + languages[i].number + "\r\n";
  }
  t += "\r\n[Strings]\r\n";
  for (const auto& [key, value] : strings) t += key + "=" + value + "\r\n";
  return t;
}

}  // namespace tovix::test
