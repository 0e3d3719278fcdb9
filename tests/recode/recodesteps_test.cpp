// The copy into the recode folder and the composed batch calls.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/ioerror.h"
#include "platform/process.h"
#include "recode/recodesteps.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

TEST(BatchCalls, ArgumentsHoldNoBlankOutsideTheirQuotes) {
  const BatchCall mp3 = Mp3ToMp3Call("My Song.mp3", "/music/my cds", "/out", 192);
  EXPECT_EQ(mp3.commandLine, "Mp3ToMp3.bat \"My Song.mp3\" \"/music/my cds/\" /out/ 192");
  EXPECT_EQ(mp3.output, "/out/My Song.mp3");
  // Split as the batch sees them: five words, each a whole argument.
  EXPECT_EQ(platform::SplitCommandWords(mp3.commandLine).size(), 5u);

  const BatchCall wav = WavToMp3Call("Ça & ça.mp3", "/tmp/Ça & ça.wav", "/m", "/r dir/", 128,
                                     "/prog dir/Wavtomp3.bat");
  EXPECT_EQ(wav.commandLine,
            "\"/prog dir/Wavtomp3.bat\" \"Ça & ça.mp3\" \"/tmp/Ça & ça.wav\" /m/ \"/r dir//\" 128");
  EXPECT_EQ(wav.output, "/r dir//Ça & ça.mp3");
  EXPECT_EQ(platform::SplitCommandWords(wav.commandLine).size(), 6u);
}

class Copy : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directory(src);
    fs::create_directory(rec);
    WriteFile(src + "/Song.mp3", std::string(100000, 'a') + "end");
    // A day ago, so a copy that forgot the time shows it.
    const fs::file_time_type old = fs::last_write_time(src + "/Song.mp3") - std::chrono::hours(24);
    fs::last_write_time(src + "/Song.mp3", old);
  }
  CopyOutcome Run(const std::string& from, const std::string& to,
                  std::function<bool()> keepGoing = {}) {
    return CopyToRecodeDir(
        "Song.mp3", from, to, [&](int p) { percents.push_back(p); }, keepGoing);
  }
  TempDir dir;
  std::string src = dir.file("src"), rec = dir.file("rec");
  std::vector<int> percents;
};

TEST_F(Copy, CopiesBytesAndTimeInBlocksAndReplacesAnOlderCopy) {
  WriteFile(rec + "/Song.mp3", "old copy");
  EXPECT_EQ(Run(src, rec), CopyOutcome::kCopied);
  EXPECT_EQ(ReadFile(rec + "/Song.mp3"), ReadFile(src + "/Song.mp3"));
  EXPECT_EQ(fs::last_write_time(rec + "/Song.mp3"), fs::last_write_time(src + "/Song.mp3"));
  EXPECT_EQ(percents, (std::vector<int>{32, 65, 98, 100}));  // 32 KiB blocks
  EXPECT_EQ(std::distance(fs::directory_iterator(rec), fs::directory_iterator()), 1);
}

TEST_F(Copy, AStoppedCopyLeavesNothingUnderTheSongsName) {
  WriteFile(rec + "/Song.mp3", "old copy");
  int blocks = 0;
  EXPECT_EQ(Run(src, rec, [&] { return ++blocks < 2; }), CopyOutcome::kStopped);
  EXPECT_EQ(ReadFile(rec + "/Song.mp3"), "old copy");
  EXPECT_EQ(std::distance(fs::directory_iterator(rec), fs::directory_iterator()), 1);
}

TEST_F(Copy, NeverOntoItselfHoweverTheFolderIsSpelled) {
  fs::create_directory_symlink(src, dir.file("link"));
  const std::string before = ReadFile(src + "/Song.mp3");
  for (const std::string& same : {src, src + "/", src + "/.", dir.file("link"), src + "/../src"})
    EXPECT_EQ(Run(src, same), CopyOutcome::kSameFolder) << same;
  EXPECT_EQ(ReadFile(src + "/Song.mp3"), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(src), fs::directory_iterator()), 1);
}

TEST_F(Copy, AFailedCopyNamesTheFileAndLeavesNothingBehind) {
  fs::create_directory(rec + "/Song.mp3");  // a folder where the copy belongs
  try {
    Run(src, rec);
    FAIL() << "no error";
  } catch (const IoError& e) {
    EXPECT_NE(std::string(e.what()).find("\"Song.mp3\""), std::string::npos) << e.what();
  }
  EXPECT_THROW(Run(src, dir.file("missing")), IoError);
  EXPECT_EQ(std::distance(fs::directory_iterator(rec), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace tovix
