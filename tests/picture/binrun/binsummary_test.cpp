#include <gtest/gtest.h>

#include <filesystem>

#include "lang/sprachen.h"
#include "picture/binrun.h"
#include "picture/binrun/binrunfakes.h"

namespace tovix {
namespace {

TEST(BinSummary, LinesOfThePage) {
  test::LoadGermanStrings();
  BinSummary s;
  s.sourceDir = "/music";
  s.targetDir = "/bins/";
  s.mp3Count = 12;
  s.binCount = 3;
  s.backgroundFile = "/pics/back.bmp";
  s.modeName = "zentriert";
  s.overscan = 30;
  s.font1Name = "Tahoma";
  s.font1Size = 20;
  s.font1Color = 0xFF;
  s.font2Name = "Arial";
  s.font2Size = -14;
  s.font2Color = static_cast<std::int32_t>(0x80000008u);
  const std::vector<std::string> expected = {
      LanguageString(17),
      "",
      "  " + LanguageString(18) + " /music (12 mp3)",
      "  " + LanguageString(19) + " /bins/ (3 bin)",
      "  " + LanguageString(20) + " /pics/back.bmp(zentriert)",
      "  " + LanguageString(21) + " 30 Pixel (6%)",
      "  " + LanguageString(22) + " Tahoma, 20 Pt, " + LanguageString(84) + " $0000FF",
      "  " + LanguageString(23) + " Arial, 14 Pt, " + LanguageString(84) + " $80000008",
      "",
      "",
  };
  EXPECT_EQ(BinSummaryLines(s), expected);
  EXPECT_EQ(LanguageString(21).substr(0, 8), "Overscan");
}

TEST(BinSummary, MarginPercentIsTruncated) {
  test::LoadGermanStrings();
  BinSummary s;
  s.overscan = 95;  // 9500 / 480 = 19.79
  EXPECT_NE(BinSummaryLines(s)[5].find(" 95 Pixel (19%)"), std::string::npos);
  s.overscan = 0;
  EXPECT_NE(BinSummaryLines(s)[5].find(" 0 Pixel (0%)"), std::string::npos);
}

TEST(BinSummary, CountsComeFromTheFolders) {
  test::TempDir dir;
  std::filesystem::create_directory(dir.file("mp3"));
  for (const char* name : {"a.mp3", "B.MP3", "c.txt", ".d.mp3"})
    test::WriteFile(dir.file("mp3/") + name, "");
  test::WriteFile(dir.file("x.BIN"), "");
  BinSummary s;
  s.sourceDir = dir.file("mp3");
  s.targetDir = dir.path();
  s = CountSummaryFiles(s);
  EXPECT_EQ(s.mp3Count, 2);
  EXPECT_EQ(s.binCount, 1);
}

}  // namespace
}  // namespace tovix
