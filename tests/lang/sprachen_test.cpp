// The string table: bounds, the load and its two fatal conditions, the
// composed texts.
#include "lang/sprachen.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "lang/buildstrings.h"
#include "lang/lngfile.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

using test::LngText;

class SprachenTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& text, const std::string& name = "tovix.lng") {
    const std::string path = dir_.file(name);
    test::WriteFile(path, text);
    return path;
  }
  // One language (number 0) with the given strings.
  std::string WriteGerman(const std::vector<std::pair<std::string, std::string>>& strings) {
    return Write(LngText("1", {{"Deutsch", "0"}}, strings));
  }

  test::TempDir dir_;
};

TEST_F(SprachenTest, NumbersOutsideTheTableGiveTheIndexError) {
  ASSERT_EQ(ApplyLanguage(0, WriteGerman({{"0001", "eins"}, {"0200", "zweihundert"}})),
            LanguageResult::kOk);
  for (int n : {0, -1, 401, 1000, 32767, -32768}) EXPECT_EQ(LanguageString(n), "StrIdx Err") << n;
  EXPECT_EQ(LanguageString(1), "eins");
  EXPECT_EQ(LanguageString(200), "zweihundert");
}

TEST_F(SprachenTest, AbsentAndEmptyStringsReadMissing) {
  ASSERT_EQ(ApplyLanguage(0, WriteGerman({{"0054", "Los"}, {"0056", ""}, {"0057", "   "}})),
            LanguageResult::kOk);
  EXPECT_EQ(LanguageString(54), "Los");
  EXPECT_EQ(LanguageString(55), "missing: Str55");
  EXPECT_EQ(LanguageString(56), "missing: Str56");
  EXPECT_EQ(LanguageString(57), "missing: Str57");
  EXPECT_EQ(LanguageString(1), "missing: Str1");
  EXPECT_EQ(LanguageString(200), "missing: Str200");
  EXPECT_EQ(LanguageString(400), "missing: Str400");
}

TEST_F(SprachenTest, ValuesAreCutToHundredCharacters) {
  const std::string hundred(100, 'a');
  const std::string hundredOne = std::string(100, 'b') + "c";
  ASSERT_EQ(ApplyLanguage(0, WriteGerman({{"0001", hundred}, {"0002", hundredOne}})),
            LanguageResult::kOk);
  EXPECT_EQ(LanguageString(1), hundred);
  EXPECT_EQ(LanguageString(2), std::string(100, 'b'));
}

TEST_F(SprachenTest, BlanksAroundAValueGoUnlessQuoted) {
  ASSERT_EQ(ApplyLanguage(0, WriteGerman({{"0006", "\" und vor allem an alle bei <Rovez> !\""},
                                          {"0073", "   frei   "},
                                          {"0012", "\"SHORT.BAT\" erzeugt"}})),
            LanguageResult::kOk);
  EXPECT_EQ(LanguageString(6), " und vor allem an alle bei <Rovez> !");
  EXPECT_EQ(LanguageString(73), "frei");
  EXPECT_EQ(LanguageString(12), "\"SHORT.BAT\" erzeugt");
}

TEST_F(SprachenTest, KeysAreLanguageTimesThousandPlusNumberInFourDigits) {
  EXPECT_EQ(LanguageStringKey(0, 1), "0001");
  EXPECT_EQ(LanguageStringKey(0, 200), "0200");
  EXPECT_EQ(LanguageStringKey(1000, 97), "1097");
  EXPECT_EQ(LanguageStringKey(12000, 1), "12001");
}

TEST_F(SprachenTest, LanguageTwelveReadsFiveDigitKeys) {
  const std::string file = Write(LngText("2", {{"Deutsch", "0"}, {"Zwölf", "12"}},
                                         {{"0001", "null"},
                                          {"1201", "falsch"},
                                          {"12001", "zwölf eins"},
                                          {"12200", "zwölf zweihundert"}}));
  ASSERT_EQ(ApplyLanguage(12, file), LanguageResult::kOk);
  EXPECT_EQ(LanguageBase(), 12000);
  EXPECT_EQ(LanguageString(1), "zwölf eins");
  EXPECT_EQ(LanguageString(200), "zwölf zweihundert");
  EXPECT_EQ(LanguageString(2), "missing: Str2");
}

TEST_F(SprachenTest, KeysMatchWithoutRegardToCase) {
  const std::string file =
      "[LANGUAGES]\r\nCOUNT=1\r\nlang.1=X\r\nIDX.1=3\r\n[strings]\r\n3001=drei\r\n";
  ASSERT_EQ(ApplyLanguage(3, Write(file)), LanguageResult::kOk);
  EXPECT_EQ(LanguageString(1), "drei");
}

TEST_F(SprachenTest, NoUsableListStopsWithStringlistNotFound) {
  EXPECT_EQ(ApplyLanguage(0, dir_.file("nothing.lng")), LanguageResult::kStringlistNotFound);
  EXPECT_EQ(ApplyLanguage(0, Write("[Strings]\r\n0001=x\r\n")),
            LanguageResult::kStringlistNotFound);
  for (const char* count : {"", "0", "-3", "drei"}) {
    EXPECT_EQ(ApplyLanguage(0, Write(LngText(count, {{"Deutsch", "0"}}, {{"0001", "x"}}))),
              LanguageResult::kStringlistNotFound)
        << "count=" << count;
  }
  EXPECT_EQ(LanguageFailureMessage(LanguageResult::kStringlistNotFound),
            " Stringlist not found: ABORTING");
}

TEST_F(SprachenTest, AnUnlistedLanguageStopsWithErrorInLanguageFile) {
  const std::string file =
      Write(LngText("2", {{"English", "1"}, {"Français", "2"}}, {{"0001", "x"}, {"1001", "y"}}));
  EXPECT_EQ(ApplyLanguage(0, file), LanguageResult::kLanguageNotFound);
  EXPECT_EQ(LanguageFailureMessage(LanguageResult::kLanguageNotFound),
            " Error in languagefile: ABORTING");
  // Only the languages 1..count are searched.
  EXPECT_EQ(ApplyLanguage(3, Write(LngText("1", {{"A", "1"}, {"B", "3"}}, {}), "short.lng")),
            LanguageResult::kLanguageNotFound);
  EXPECT_EQ(ApplyLanguage(2, file), LanguageResult::kOk);
  EXPECT_EQ(LanguageFailureMessage(LanguageResult::kOk), "");
}

TEST_F(SprachenTest, AMissingOrGarbledIndexMatchesNoLanguage) {
  // Without an "Idx." value nothing names language 9999, so it is not found.
  const std::string file = Write(LngText("2", {{"Ohne", ""}, {"Kaputt", "neun"}}, {}));
  EXPECT_EQ(ApplyLanguage(9999, file), LanguageResult::kLanguageNotFound);
  EXPECT_EQ(ApplyLanguage(0, file), LanguageResult::kLanguageNotFound);
}

TEST_F(SprachenTest, SameNumberTwiceStillLoads) {
  const std::string file = Write(LngText("2", {{"A", "4"}, {"B", "4"}}, {{"4001", "vier"}}));
  ASSERT_EQ(ApplyLanguage(4, file), LanguageResult::kOk);
  EXPECT_EQ(LanguageString(1), "vier");
}

TEST_F(SprachenTest, AGarbledHugeCountDoesNotHangTheLoad) {
  const std::string file = Write(LngText("2000000000", {{"Deutsch", "0"}}, {{"0001", "da"}}));
  ASSERT_EQ(ApplyLanguage(0, file), LanguageResult::kOk);
  EXPECT_EQ(LanguageString(1), "da");
}

TEST_F(SprachenTest, NothingOfThePreviousLanguageSurvivesASwitch) {
  const std::string file = Write(
      LngText("2", {{"Deutsch", "0"}, {"English", "1"}},
              {{"0055", "Optionen"}, {"0037", "Sendeschluss"}, {"1037", "End of broadcast"}}));
  ASSERT_EQ(ApplyLanguage(0, file), LanguageResult::kOk);
  EXPECT_EQ(LanguageString(55), "Optionen");
  ASSERT_EQ(ApplyLanguage(1, file), LanguageResult::kOk);
  EXPECT_EQ(LanguageString(55), "missing: Str55");
  EXPECT_EQ(LanguageString(37), "End of broadcast");
}

TEST_F(SprachenTest, ApplyingTheSameLanguageAgainRereadsTheFile) {
  ASSERT_EQ(ApplyLanguage(0, WriteGerman({{"0037", "alt"}})), LanguageResult::kOk);
  ASSERT_EQ(ApplyLanguage(0, WriteGerman({{"0037", "neu"}})), LanguageResult::kOk);
  EXPECT_EQ(LanguageString(37), "neu");
}

TEST_F(SprachenTest, AFailedLoadLeavesEveryEntryMissing) {
  ASSERT_EQ(ApplyLanguage(0, WriteGerman({{"0001", "eins"}})), LanguageResult::kOk);
  EXPECT_EQ(ApplyLanguage(7, WriteGerman({{"0001", "eins"}})), LanguageResult::kLanguageNotFound);
  EXPECT_EQ(LanguageString(1), "missing: Str1");
  EXPECT_EQ(LanguageBase(), 7000);
}

TEST_F(SprachenTest, ComposedTextsFollowTheLoadedLanguage) {
  std::vector<std::pair<std::string, std::string>> strings;
  for (int n = 1; n <= 14; ++n)
    strings.push_back({LanguageStringKey(1000, n), "S" + std::to_string(n)});
  for (int n = 47; n <= 51; ++n)
    strings.push_back({LanguageStringKey(1000, n), "P" + std::to_string(n)});
  strings.push_back({"1097", "unknown encoder"});
  ASSERT_EQ(ApplyLanguage(1, Write(LngText("1", {{"English", "1"}}, strings))),
            LanguageResult::kOk);

  EXPECT_EQ(PlacementNames(), (std::array<std::string, 5>{"P47", "P48", "P49", "P50", "P51"}));
  EXPECT_EQ(UnknownEncoderText(), "unknown encoder");
  EXPECT_EQ(BatchPairText(), "S8\rS9\rS10\rS11\r\rS12\rS13\r\rS14");

  const std::string& info = InfoText();
  EXPECT_EQ(info.find('\n'), std::string::npos);
  const std::string head = "\rS1\r\rS2\r\rS3\r\rS4\r\rS5\r-------------------\r";
  ASSERT_EQ(info.substr(0, head.size()), head);
  // Four credit lines, the last one ending in its own CR, then string 6.
  const std::string credits = info.substr(head.size());
  ASSERT_GE(credits.size(), 4u);
  EXPECT_EQ(credits.substr(credits.size() - 4), "\r\rS6");
  int lines = 0;
  for (char c : credits.substr(0, credits.size() - 4)) lines += c == '\r';
  EXPECT_EQ(lines, 3);
  EXPECT_NE(credits.find("LAME"), std::string::npos);
}

TEST_F(SprachenTest, AMissingStringShowsInsideTheComposedTexts) {
  ASSERT_EQ(ApplyLanguage(0, WriteGerman({{"0047", "Original"}})), LanguageResult::kOk);
  EXPECT_EQ(PlacementNames()[0], "Original");
  EXPECT_EQ(PlacementNames()[1], "missing: Str48");
  EXPECT_EQ(UnknownEncoderText(), "missing: Str97");
  EXPECT_EQ(BatchPairText().substr(0, 15), "missing: Str8\rm");
}

TEST_F(SprachenTest, TheDefaultFileIsTovixLngInTheCurrentFolder) {
  EXPECT_EQ(DefaultLanguageFile(), "./tovix.lng");
  WriteGerman({{"0001", "hier"}});
  const auto before = std::filesystem::current_path();
  std::filesystem::current_path(dir_.path());
  const LanguageResult result = ApplyLanguage(0);
  std::filesystem::current_path(before);
  ASSERT_EQ(result, LanguageResult::kOk);
  EXPECT_EQ(LanguageString(1), "hier");
}

}  // namespace
}  // namespace tovix

namespace tovix {
namespace {

// The build's own strings: an older language file without them shows their
// German text, never "missing: Str"; the placeholders take the arguments.
TEST(BuildStrings, FileTextOrGermanWithArgumentsFilledIn) {
  test::TempDir dir;
  const std::string file = dir.file("tovix.lng");
  test::WriteFile(file, test::LngText("2", {{"Deutsch", "0"}, {"English", "1"}},
                                      {{"1153", "Folder \"%1\" is gone (%2%%, %9)"}}));
  ASSERT_EQ(ApplyLanguage(0, file), LanguageResult::kOk);
  EXPECT_FALSE(LanguageGives(str::kNoTargetDir));
  EXPECT_EQ(BuildText(str::kSongNoBin, {"a.mp3", "voll"}), "a.mp3: keine .BIN erstellt (voll)");
  EXPECT_EQ(BuildText(99), "");  // no build string

  ASSERT_EQ(ApplyLanguage(1, file), LanguageResult::kOk);
  EXPECT_TRUE(LanguageGives(str::kNoTargetDir));
  // Arguments are taken as they stand, even when they hold "%1" themselves.
  EXPECT_EQ(BuildText(str::kNoTargetDir, {"/m%1", "50"}), "Folder \"/m%1\" is gone (50%%, %9)");
  EXPECT_EQ(BuildText(str::kNoTargetDir), "Folder \"%1\" is gone (%2%%, %9)");
}

}  // namespace
}  // namespace tovix
