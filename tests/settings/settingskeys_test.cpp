// The key table: every key found in both spellings, each filling its own member.
#include "settings/settingskeys.h"

#include <gtest/gtest.h>

#include <set>

#include "support/tempdir.h"

namespace tovix {
namespace {

TEST(SettingsKeys, KnowsEveryKeyInBothSpellingsWithoutRegardToCase) {
  for (const char* key : {"mp3dir",
                          "BINDIR",
                          "WaveDir",
                          "wavedir",
                          "tempdir",
                          "lastfile",
                          "Font1.Name",
                          "font2.style.italic",
                          "Font1.Style.italic",
                          "Encoder.Left",
                          "Scale",
                          "Overscan",
                          "if127",
                          "Bitrate",
                          "bitmap",
                          "SaveJPG",
                          "SaveJpg",
                          "Sprache",
                          "X2Blank",
                          "ID3v2",
                          "id3v2"})
    EXPECT_NE(FindSettingsKey(key), nullptr) << key;
  for (const char* key : {"", "mp3", "Font3.Name", "Artist.Right", "Language", "SourceDir"})
    EXPECT_EQ(FindSettingsKey(key), nullptr) << key;
  EXPECT_EQ(SettingsKeys().size(), 45u);
}

TEST(SettingsKeys, EachRowFindsItselfAndFillsAMemberOfItsOwn) {
  Settings s;
  std::set<const void*> members;
  for (const SettingsKey& key : SettingsKeys()) {
    EXPECT_EQ(FindSettingsKey(key.read), &key) << key.read;
    EXPECT_EQ(FindSettingsKey(key.written), &key) << key.written;
    members.insert(std::visit([](auto* member) -> const void* { return member; }, key.field(s)));
  }
  EXPECT_EQ(members.size(), SettingsKeys().size());
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
