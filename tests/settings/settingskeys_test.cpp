// The key table: every key found in both spellings, each filling its own member.
#include "settings/settingskeys.h"

#include <gtest/gtest.h>

#include <set>

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

}  // namespace
}  // namespace tovix
