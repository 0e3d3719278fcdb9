#include "rename/texthelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "platform/codepage.h"
#include "rename/collation.h"
#include "rename/namesplit.h"

namespace tovix {
namespace {

TEST(CodePageGuess, CountsRatherThanFirstMatch) {
  EXPECT_FALSE(LooksLikeAnsi("plain ascii"));
  EXPECT_FALSE(LooksLikeAnsi(""));
  EXPECT_TRUE(LooksLikeAnsi("M\xFCller"));
  EXPECT_FALSE(LooksLikeAnsi("M\x81ller"));
  // Two ANSI umlauts against one OEM one.
  EXPECT_TRUE(LooksLikeAnsi("\x81 \xE4\xF6"));
  // 0xE1 is in both sets: a tie is not ANSI.
  EXPECT_FALSE(LooksLikeAnsi("\xE1"));
  EXPECT_TRUE(LooksLikeAnsi("\xE1\xFC"));
}

TEST(CodePageGuess, ConversionsFollowTheGuess) {
  EXPECT_EQ(ToAnsiIfOem("Track 01"), "Track 01");
  EXPECT_EQ(ToOemIfAnsi("Track 01"), "Track 01");
  EXPECT_EQ(ToOemIfAnsi("M\xFCller"), "M\x81ller");
  EXPECT_EQ(ToOemIfAnsi("M\x81ller \x94"), "M\x81ller \x94");
  EXPECT_EQ(ToAnsiIfOem("M\x81ller"), "M\xFCller");
  EXPECT_EQ(ToAnsiIfOem("M\xFCller"), "M\xFCller");
  EXPECT_EQ(ToAnsiIfOem(ToOemIfAnsi("Stra\xDF"
                                    "e \xC4rger")),
            "Stra\xDF"
            "e \xC4rger");
}

TEST(CodePageGuess, ConversionStopsAtNul) {
  const std::string text("M\xFCller\0rest", 11);
  EXPECT_EQ(ToOemIfAnsi(text), "M\x81ller");
}

TEST(CapitaliseWords, WordStartsOnly) {
  EXPECT_EQ(CapitaliseWords(""), "");
  EXPECT_EQ(CapitaliseWords("a  b"), "A  B");
  EXPECT_EQ(CapitaliseWords("first song of the day.mp3"), "First Song Of The Day.mp3");
  EXPECT_EQ(CapitaliseWords("some band - first song.mp3"), "Some Band - First Song.mp3");
  // Nothing goes to lower case; accented letters stay.
  EXPECT_EQ(CapitaliseWords("ABC dEF \xFC"
                            "ber"),
            "ABC DEF \xFC"
            "ber");
  EXPECT_EQ(CapitaliseWords(" lead"), " Lead");
}

TEST(CapitaliseWords, OemAcuteBecomesApostrophe) {
  EXPECT_EQ(CapitaliseWords("don\xEFt stop"), "Don't Stop");
}

TEST(ReplaceUmlauts, WholeTable) {
  EXPECT_EQ(ReplaceUmlauts("sch\xF6n"), "schoen");
  EXPECT_EQ(ReplaceUmlauts("Caf\xE9"), "Cafe");
  EXPECT_EQ(ReplaceUmlauts("Stra\xDF"
                           "e"),
            "Strasse");
  EXPECT_EQ(ReplaceUmlauts("\xFC\xF6\xE4\xDC\xD6\xC4\xDF\xE9\xE1\xC9\xC1\xE8\xE0\xC0\xC8\xE7\xC7"),
            "ueoeaeUeOeAesseaEAeaAEcC");
  // Letters outside the table stay.
  EXPECT_EQ(ReplaceUmlauts("\xF1 \xF8"), "\xF1 \xF8");
}

TEST(PlainForOem, EveryCharacterCodePage850LacksBecomesOneItHas) {
  EXPECT_EQ(PlainForOem("Don\x92t \x93Stop\x94 \x96 \x80"
                        "5 \x85"),
            "Don't 'Stop' - EUR5 ...");
  // Whatever the replacement, the result converts to 850 and back unharmed.
  for (int c = 0x80; c < 0x100; ++c) {
    const std::string plain = PlainForOem(std::string(1, static_cast<char>(c)));
    if (c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D) continue;  // not in 1252
    EXPECT_EQ(platform::OemToAnsi(platform::AnsiToOem(plain)), plain) << c;
  }
  EXPECT_EQ(BlankControls("a\nb\rc\td\x7F"
                          "e\x01"),
            "a b c d e ");
}

TEST(NameSplit, FileNameToArtistAndTitle) {
  ArtistTitle p = ArtistTitleFromFileName("Some_Artist - Some_Title.mp3");
  EXPECT_EQ(p.artist, "Some Artist");
  EXPECT_EQ(p.title, "Some Title");
  p = ArtistTitleFromFileName("Some%20Artist - Some%20Title.MP3");
  EXPECT_EQ(p.artist, "Some Artist");
  EXPECT_EQ(p.title, "Some Title");
  p = ArtistTitleFromFileName("OnlyATitle.mp3");
  EXPECT_EQ(p.artist, "");
  EXPECT_EQ(p.title, "OnlyATitle");
  p = ArtistTitleFromFileName(std::string(40, 'a') + " - " + std::string(40, 'b') + ".mp3");
  EXPECT_EQ(p.artist, std::string(30, 'a'));
  EXPECT_EQ(p.title, std::string(30, 'b'));
  EXPECT_EQ(CutAtMp3("A.Mp3.mp3"), "A");
}

class CollationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"LC_ALL", "LC_COLLATE", "LANG"}) {
      const char* v = std::getenv(name);
      saved_.emplace_back(name, v ? std::optional<std::string>(v) : std::nullopt);
      unsetenv(name);
    }
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_) {
      if (value)
        setenv(name.c_str(), value->c_str(), 1);
      else
        unsetenv(name.c_str());
    }
  }
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(CollationTest, GermanWhenNoLocaleIsSet) {
  EXPECT_EQ(CollationLocale(), "de_DE");
  setenv("LANG", "C.UTF-8", 1);
  EXPECT_EQ(CollationLocale(), "de_DE");
  setenv("LANG", "fr_FR.UTF-8", 1);
  EXPECT_EQ(CollationLocale(), "fr_FR");
  setenv("LC_ALL", "sv_SE@euro", 1);
  EXPECT_EQ(CollationLocale(), "sv_SE");
}

TEST_F(CollationTest, CaseIgnoredAccentsCountStable) {
  std::vector<std::string> t = {"beta", "Alpha", "\xC4rger", "alpha", "Zebra", "arg", "\xE4rger"};
  SortNoCase(t);
  // Case ties keep their order; Ä sorts with A in German.
  EXPECT_EQ(t, (std::vector<std::string>{"Alpha", "alpha", "arg", "\xC4rger", "\xE4rger", "beta",
                                         "Zebra"}));
}

TEST_F(CollationTest, UniqueDropsLaterCaseDuplicates) {
  std::vector<std::string> t = {"\"b\"", "\"A\"", "\"a\"", "\"B\"", "\"\xE1\""};
  SortUniqueNoCase(t);
  // The accented letter is a different line.
  EXPECT_EQ(t, (std::vector<std::string>{"\"A\"", "\"\xE1\"", "\"b\""}));
}

TEST_F(CollationTest, UniqueKeepsTextsTheCollationOnlyTies) {
  // The collation ties a superscript two with "2" and "ª" with "a"; they
  // name different files, so both lines stay, while a case twin goes.
  std::vector<std::string> t = {"Track2.mp3", "Track\xB2.mp3", "TRACK2.mp3", "\xAA.mp3", "a.mp3"};
  SortUniqueNoCase(t);
  std::sort(t.begin(), t.end());
  EXPECT_EQ(t, (std::vector<std::string>{"Track2.mp3", "Track\xB2.mp3", "a.mp3", "\xAA.mp3"}));
}

}  // namespace
}  // namespace tovix
