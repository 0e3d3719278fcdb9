// The log and the error list: memo and TOVIX.LOG in step, the command
// "***", fehler.txt moved into the log line by line.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include "platform/ioerror.h"
#include "recode/recodelog.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

struct Memo : PassReport {
  std::vector<std::string> lines;
  void Line(const std::string& text, int) override { lines.push_back(text); }
};

TEST(Timestamp, IsDayMonthYearTimeAndTwoBlanks) {
  const std::string stamp = Timestamp();
  EXPECT_TRUE(std::regex_match(stamp, std::regex(R"(\d\d\.\d\d\.\d\d \d\d:\d\d:\d\d  )"))) << stamp;
}

TEST(RecodeLog, EntriesGoToMemoAndFileInOrderAndStarsDeleteTheFile) {
  TempDir dir;
  Memo memo;
  RecodeLog log(dir.path(), memo);
  EXPECT_EQ(log.path(), dir.path() + "/TOVIX.LOG");
  log.LogLine("***");  // no log yet: nothing happens
  EXPECT_TRUE(memo.lines.empty());
  log.LogLine("erste");
  // Complete on disk after every entry.
  EXPECT_EQ(ReadFile(dir.file("TOVIX.LOG")), "erste\r\n");
  log.LogLine("zweite \xE4");
  EXPECT_EQ(memo.lines, (std::vector<std::string>{"erste", "zweite \xE4"}));
  EXPECT_EQ(ReadFile(dir.file("TOVIX.LOG")), "erste\r\nzweite \xE4\r\n");
  log.LogLine("***");
  EXPECT_EQ(memo.lines.size(), 2u);
  EXPECT_FALSE(std::ifstream(dir.file("TOVIX.LOG")).good());
  // A separator is always inserted, also after a trailing one.
  EXPECT_EQ(RecodeLog(dir.path() + "/", memo).path(), dir.path() + "//TOVIX.LOG");
}

TEST(RecodeLog, AnUnwritableLogIsAnIoError) {
  TempDir dir;
  Memo memo;
  std::filesystem::create_directory(dir.file("TOVIX.LOG"));
  RecodeLog log(dir.path(), memo);
  EXPECT_THROW(log.LogLine("x"), IoError);
  EXPECT_TRUE(memo.lines.empty());
}

TEST(RecodeLog, DrainMovesEveryLineOfTheErrorListAndDeletesIt) {
  TempDir dir;
  Memo memo;
  RecodeLog log(dir.path(), memo);
  const std::string list = dir.file("fehler.txt");
  EXPECT_EQ(log.DrainErrorList(list), 0);  // missing: silent
  EXPECT_TRUE(memo.lines.empty());

  WriteFile(list, "eins\r\n\r\ndrei");
  EXPECT_EQ(log.DrainErrorList(list), 3);
  ASSERT_EQ(memo.lines.size(), 3u);
  const std::regex entry(R"(\d\d\.\d\d\.\d\d \d\d:\d\d:\d\d   ! (.*))");
  std::smatch m;
  ASSERT_TRUE(std::regex_match(memo.lines[0], m, entry));
  EXPECT_EQ(m[1], "eins");
  ASSERT_TRUE(std::regex_match(memo.lines[1], m, entry));
  EXPECT_EQ(m[1], "");  // an empty line ends after "! "
  ASSERT_TRUE(std::regex_match(memo.lines[2], m, entry));
  EXPECT_EQ(m[1], "drei");
  EXPECT_FALSE(std::ifstream(list).good());

  WriteFile(list, "");
  EXPECT_EQ(log.DrainErrorList(list), 0);
  EXPECT_FALSE(std::ifstream(list).good());
  EXPECT_EQ(memo.lines.size(), 3u);
}

}  // namespace
}  // namespace tovix
