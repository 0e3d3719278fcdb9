// The key table: every key found in both spellings, each filling its own member,
// and setting a value as reading it does.
#include "settings/settingskeys.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>

#include "support/tempdir.h"

namespace tovix {
namespace {

// Every row is found by both its spellings in any letter case, and fills a
// member no other row fills; names that are no key find nothing.
TEST(SettingsKeys, EachRowFindsItselfInAnyCaseAndFillsAMemberOfItsOwn) {
  Settings s;
  std::set<const void*> members;
  auto recased = [](std::string name, int (*to)(int)) {
    for (char& c : name) c = static_cast<char>(to(static_cast<unsigned char>(c)));
    return name;
  };
  for (const SettingsKey& key : SettingsKeys()) {
    for (const std::string& name : {std::string(key.read), std::string(key.written)})
      for (const std::string& spelled : {name, recased(name, ::tolower), recased(name, ::toupper)})
        EXPECT_EQ(FindSettingsKey(spelled), &key) << spelled;
    members.insert(std::visit([](auto* member) -> const void* { return member; }, key.field(s)));
  }
  EXPECT_EQ(members.size(), SettingsKeys().size());
  EXPECT_EQ(SettingsKeys().size(), 45u);
  for (const char* key : {"", "mp3", "Font3.Name", "Artist.Right", "Language", "SourceDir"})
    EXPECT_EQ(FindSettingsKey(key), nullptr) << key;
}

// A value set directly reads as the same value written into the file. A
// line break ends it: the Scale behind one is no key of its own, as a
// Scale stored earlier is the one the reader takes.
TEST(SettingsKeys, SettingAValueEqualsReadingItFromTheFile) {
  test::TempDir dir;
  const std::string path = dir.file("tovix.ini");
  for (const SettingsKey& key : SettingsKeys()) {
    const std::string before =
        std::string("[Tovix]\r\n") + (key.read == std::string("Scale") ? "" : "Scale=2\r\n");
    test::WriteFile(path, before);
    const Settings base = ReadSettings(platform::IniFile(path), "/w");
    for (const char* value :
         {"", "  7 ", "\"0x11F\"", "-3", "'x y'", "abc", "\"a", "1\r\nScale=9"}) {
      test::WriteFile(path, before + key.written + "=" + value + "\r\n");
      Settings set = base;
      SetSetting(set, key, value, "/w");
      EXPECT_TRUE(set == ReadSettings(platform::IniFile(path), "/w")) << key.read << "=" << value;
    }
  }
}

}  // namespace
}  // namespace tovix
