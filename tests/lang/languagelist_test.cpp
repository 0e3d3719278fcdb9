// The language list the dialog shows, and the choice it hands back.
#include "lang/languagelist.h"

#include <gtest/gtest.h>

#include "lang/lngfile.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

using test::LngText;

class LanguageListTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& text) {
    const std::string path = dir_.file("tovix.lng");
    test::WriteFile(path, text);
    return path;
  }
  test::TempDir dir_;
};

TEST_F(LanguageListTest, EmptyNamesAreSkippedAndTheOrderKept) {
  const auto list = ReadLanguageList(Write(LngText("3",
                                                   {{"Deutsch", "0"},
                                                    {"", "1"},
                                                    {"Fran\xE7"
                                                     "ais",
                                                     "2"}},
                                                   {})));
  ASSERT_TRUE(list);
  ASSERT_EQ(list->size(), 2u);
  EXPECT_EQ((*list)[0].name, "Deutsch");
  EXPECT_EQ((*list)[0].number, 0);
  EXPECT_EQ((*list)[1].name,
            "Fran\xE7"
            "ais");
  EXPECT_EQ((*list)[1].number, 2);
}

TEST_F(LanguageListTest, AMissingIndexCarriesNumberZero) {
  const auto list = ReadLanguageList(Write(LngText("2", {{"Ohne", ""}, {"Mit", "7"}}, {})));
  ASSERT_TRUE(list);
  ASSERT_EQ(list->size(), 2u);
  EXPECT_EQ((*list)[0].number, 0);
  EXPECT_EQ((*list)[1].number, 7);
}

TEST_F(LanguageListTest, OnlyTheFirstCountLanguagesAreListed) {
  const auto list = ReadLanguageList(Write(LngText("1", {{"A", "0"}, {"B", "1"}}, {})));
  ASSERT_TRUE(list);
  ASSERT_EQ(list->size(), 1u);
  EXPECT_EQ((*list)[0].name, "A");
}

TEST_F(LanguageListTest, NoCountMeansNoList) {
  EXPECT_FALSE(ReadLanguageList(dir_.file("missing.lng")));
  EXPECT_FALSE(ReadLanguageList(Write(LngText("", {{"A", "0"}}, {}))));
  EXPECT_FALSE(ReadLanguageList(Write(LngText("0", {{"A", "0"}}, {}))));
  // A count with no usable name is a list without lines, not a failure.
  const auto empty = ReadLanguageList(Write(LngText("2", {{"", "0"}, {"", "1"}}, {})));
  ASSERT_TRUE(empty);
  EXPECT_TRUE(empty->empty());
}

TEST_F(LanguageListTest, ACountBeyondTheLimitIsScannedUpToTheLimit) {
  EXPECT_EQ(LanguageScanLimit(3), 3);
  EXPECT_EQ(LanguageScanLimit(kMaxLanguageCount + 1), kMaxLanguageCount);
  const auto list = ReadLanguageList(Write(LngText("2147483647", {{"A", "5"}}, {})));
  ASSERT_TRUE(list);
  ASSERT_EQ(list->size(), 1u);
  EXPECT_EQ((*list)[0].number, 5);
}

TEST(LanguageChoice, TheSelectedLineIsTheFirstCarryingTheLanguage) {
  const std::vector<LanguageEntry> list = {{"A", 0}, {"B", 2}, {"C", 2}};
  EXPECT_EQ(LineForLanguage(list, 0), 0);
  EXPECT_EQ(LineForLanguage(list, 2), 1);
  EXPECT_EQ(LineForLanguage(list, 1), -1);
  EXPECT_EQ(LineForLanguage({}, 0), -1);
}

TEST(LanguageChoice, ConfirmTakesTheLineCancelKeepsTheCurrentLanguage) {
  const std::vector<LanguageEntry> list = {{"Deutsch", 0}, {"English", 1}, {"Zw\xF6lf", 12}};
  EXPECT_EQ(ChosenLanguage(list, 2, true, 1), 12);
  EXPECT_EQ(ChosenLanguage(list, 0, true, 1), 0);
  EXPECT_EQ(ChosenLanguage(list, 2, false, 1), 1);
  // Confirming with no line selected changes nothing.
  EXPECT_EQ(ChosenLanguage(list, -1, true, 1), 1);
  EXPECT_EQ(ChosenLanguage(list, 3, true, 1), 1);
  EXPECT_EQ(ChosenLanguage({}, 0, true, 4), 4);
}

}  // namespace
}  // namespace tovix
