// tovix-cli play: the real binary, the player component and the decoder
// library of the program folder, on songs made by lame.
#include <gtest/gtest.h>

#include <cstdlib>

#include "cli/clirunner.h"
#include "mp3/mp3builder.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

using test::RunCli;

class PlayCli : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string mp3 =
        test::EncodeWithLame(test::ToneWav(44100, 2, 2.0), "-b 128 -m j", dir.path());
    ASSERT_FALSE(mp3.empty());
    test::WriteFile(dir.file("Lied \xC3\xA4.mp3"), mp3);
  }
  test::TempDir dir;
};

TEST_F(PlayCli, DecodesToAWaveFileAsMpg123DoesAndNeverReplacesOne) {
  const auto run = RunCli({"play", "Lied \xC3\xA4.mp3", "--wav", "out.wav"}, dir.path());
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::string command = "cd '" + dir.path() + "' && mpg123 -q -w ref.wav 'Lied \xC3\xA4.mp3'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  const std::string wave = test::ReadFile(dir.file("out.wav"));
  EXPECT_GT(wave.size(), 44u + 2 * 44100 * 4 / 2);
  EXPECT_TRUE(wave == test::ReadFile(dir.file("ref.wav")));

  const auto again = RunCli({"play", "Lied \xC3\xA4.mp3", "--wav", "out.wav"}, dir.path());
  EXPECT_EQ(again.exitCode, 1);
  EXPECT_NE(again.err.find("not replaced"), std::string::npos) << again.err;
  EXPECT_TRUE(wave == test::ReadFile(dir.file("out.wav")));
}

TEST_F(PlayCli, PlaysToTheSoundOutputPrintingTheElapsedTime) {
  // The tests' environment names the dummy output.
  const auto run = RunCli({"play", "Lied \xC3\xA4.mp3"}, dir.path());
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const auto lines = test::Lines(run.out);
  ASSERT_GE(lines.size(), 2u) << run.out;
  EXPECT_EQ(lines.front(), "00:00:00 / 00:00:02");
  EXPECT_EQ(lines.back(), "00:00:02 / 00:00:02");
}

TEST_F(PlayCli, ReportsWhatThePlayerRaises) {
  test::WriteFile(dir.file("text.mp3"), std::string(4000, 'x'));
  const auto notMp3 = RunCli({"play", "text.mp3"}, dir.path());
  EXPECT_EQ(notMp3.exitCode, 1);
  EXPECT_NE(notMp3.err.find("Input stream error (code 3)"), std::string::npos) << notMp3.err;

  const auto missing = RunCli({"play", "gone.mp3"}, dir.path());
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("\"gone.mp3\" is no file"), std::string::npos) << missing.err;
}

}  // namespace
}  // namespace tovix
