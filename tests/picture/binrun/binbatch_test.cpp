#include "picture/binbatch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "picture/binrun/binrunfakes.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

using test::CrLfLines;

std::vector<std::string> OneEntry(const std::string& b, int k, int level, bool replaceBin) {
  BinBatch batch;
  BeginBinBatch(batch, "01.02.2003 04:05:06");
  AddBinBatchEntry(batch, b, k, level, replaceBin);
  EndBinBatch(batch);
  return CrLfLines(batch.text);
}

TEST(BinBatch, AllFourteenLinesWithoutReplacing) {
  const std::vector<std::string> expected = {
      "@echo batchfile of 01.02.2003 04:05:06 >tmpbat.sem",
      "@echo off",
      "Echo [ /bin/ABC ]",
      "if exist \"/bin/ABC.BIN\" goto NoReplace",
      "mklogo BM1.BMP 2",
      "if errorlevel 1 pause",
      "if errorlevel 1 goto NoReplace",
      "c2bin e2logo.c e2logo.bin >NUL",
      "move e2logo.bin \"/bin/ABC.BIN\"",
      ":NoReplace",
      "Del BM1.BMP",
      "Echo [ Fertig ]",
      "del menu.vbs",
      "del e2logo.c",
  };
  EXPECT_EQ(OneEntry("/bin/ABC", 1, 2, false), expected);
}

TEST(BinBatch, ReplacingDropsOnlyTheExistenceTest) {
  const auto lines = OneEntry("/bin/ABC", 12, 7, true);
  ASSERT_EQ(lines.size(), 13u);
  EXPECT_EQ(lines[2], "Echo [ /bin/ABC ]");
  EXPECT_EQ(lines[3], "mklogo BM12.BMP 7");
  EXPECT_EQ(lines[9], "Del BM12.BMP");
  for (const auto& line : lines) EXPECT_EQ(line.find("if exist"), std::string::npos);
}

TEST(BinBatch, BeginStartsAFreshBatch) {
  BinBatch batch;
  BeginBinBatch(batch, "x");
  AddBinBatchEntry(batch, "A", 1, 2, true);
  BeginBinBatch(batch, "y");
  EXPECT_EQ(batch.text, "@echo batchfile of y >tmpbat.sem\r\n@echo off\r\n");
}

TEST(BinBatch, PercentIsDoubledAndOperatorsEscapedOnlyWhereUnquoted) {
  const auto lines = OneEntry("/bin/AC&DC 100% <LIVE>|^", 3, 2, false);
  EXPECT_EQ(lines[2], "Echo [ /bin/AC^&DC 100%% ^<LIVE^>^|^^ ]");
  EXPECT_EQ(lines[3], "if exist \"/bin/AC&DC 100%% <LIVE>|^.BIN\" goto NoReplace");
  EXPECT_EQ(lines[8], "move e2logo.bin \"/bin/AC&DC 100%% <LIVE>|^.BIN\"");
}

TEST(BinBatch, NamesNoBatchLineCanHold) {
  EXPECT_FALSE(BatchNameProblem("/bin/Normal Name & 100% '!'").has_value());
  EXPECT_FALSE(BatchNameProblem("/bin/\x81\x94\xE1").has_value());
  EXPECT_TRUE(BatchNameProblem("/bin/Say \"Hi\"").has_value());
  EXPECT_TRUE(BatchNameProblem(std::string("/bin/tab\there")).has_value());
  EXPECT_TRUE(BatchNameProblem("/bin/line\r\nbreak").has_value());
  EXPECT_TRUE(BatchNameProblem("/bin/del\x7F").has_value());
}

TEST(BinBatch, FolderInTheOemCodePage) {
  EXPECT_EQ(OemFolder("/home/j\xFCrgen/"), "/home/j\x81rgen/");
  // No umlaut of the guessing set: converted all the same, the folder is ANSI.
  EXPECT_EQ(OemFolder("/m\xF8ller/"), "/m\x9Bller/");
  EXPECT_EQ(OemFolder("/plain/"), "/plain/");
  // The euro sign has no place in code page 850.
  EXPECT_FALSE(OemFolder("/\x80/").has_value());
}

TEST(BinBatch, TimestampHasTheShortDateAndLongTime) {
  EXPECT_TRUE(
      std::regex_match(BatchTimestamp(), std::regex(R"(\d\d\.\d\d\.\d{4} \d\d:\d\d:\d\d)")));
}

TEST(BinBatch, WrittenAsOneCompleteFile) {
  test::TempDir dir;
  BinBatch batch;
  BeginBinBatch(batch, "now");
  EndBinBatch(batch);
  WriteBinBatch(dir.file("tmpbat.bat"), batch);
  EXPECT_EQ(test::ReadFile(dir.file("tmpbat.bat")), batch.text);
  EXPECT_THROW(WriteBinBatch(dir.file("missing/tmpbat.bat"), batch), std::exception);
}

TEST(CountFiles, CountsPlainFilesByPatternWithoutRegardToCase) {
  test::TempDir dir;
  for (const char* name : {"a.bin", "B.BIN", "c.Bin", "d.jpg", ".hidden.bin", "say\"hi\".bin"})
    test::WriteFile(dir.file(name), "x");
  std::filesystem::create_directory(dir.file("folder.bin"));
  EXPECT_EQ(CountFiles(dir.path(), "*.BIN"), 4);  // the quoted name is a file all the same
  EXPECT_EQ(CountFiles(dir.path() + "/", "*.bin"), 4);
  EXPECT_EQ(CountFiles(dir.path(), "*.mp3"), 0);
  EXPECT_EQ(CountFiles(dir.file("missing"), "*.bin"), 0);
}

}  // namespace
}  // namespace tovix
