#include "platform/codepage.h"

#include <gtest/gtest.h>

namespace tovix::platform {
namespace {

TEST(CodePage, GermanLettersRoundTripBetweenOemAndAnsi) {
  // u, o, a umlauts, capitals, sharp s, e acute, n tilde in code page 850.
  const std::string oem = "\x81\x94\x84\x9A\x99\x8E\xE1\x82\xA4";
  const std::string ansi = "\xFC\xF6\xE4\xDC\xD6\xC4\xDF\xE9\xF1";
  EXPECT_EQ(OemToAnsi(oem), ansi);
  EXPECT_EQ(AnsiToOem(ansi), oem);
}

TEST(CodePage, AsciiIsUnchangedAndConversionStopsAtNul) {
  EXPECT_EQ(OemToAnsi("Hello World 123"), "Hello World 123");
  EXPECT_EQ(AnsiToOem(std::string("ab\0cd", 5)), "ab");
}

TEST(CodePage, CharactersTheOtherPageLacksBecomeTheReplacement) {
  // Box drawing in 850 has no 1252 counterpart; the euro sign has no 850 one.
  EXPECT_EQ(OemToAnsi("\xC9"), std::string(1, kReplacementChar));
  EXPECT_EQ(AnsiToOem("\x80"), std::string(1, kReplacementChar));
}

TEST(CodePage, Utf8RoundTripAndRejection) {
  const std::string ansi = "M\xFCller \x80 \x93quoted\x94";
  const std::string utf8 = AnsiToUtf8(ansi);
  EXPECT_EQ(utf8, "M\xC3\xBCller \xE2\x82\xAC \xE2\x80\x9Cquoted\xE2\x80\x9D");
  ASSERT_TRUE(Utf8ToAnsi(utf8).has_value());
  EXPECT_EQ(*Utf8ToAnsi(utf8), ansi);
  EXPECT_FALSE(Utf8ToAnsi("\xE6\x97\xA5").has_value());  // a CJK character
  EXPECT_FALSE(Utf8ToAnsi("\xC3").has_value());          // truncated sequence
  EXPECT_FALSE(Utf8ToAnsi("\xC0\xAF").has_value());      // overlong '/'
  EXPECT_FALSE(Utf8ToAnsi("\xFC").has_value());          // raw 1252 byte is not UTF-8
}

}  // namespace
}  // namespace tovix::platform
