// tovix-cli play: the real binary, the player component and the decoder
// library of the program folder, on songs made by lame.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

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

  const auto again =
      RunCli({"--set", "Sprache=1", "play", "Lied \xC3\xA4.mp3", "--wav", "out.wav"}, dir.path());
  EXPECT_EQ(again.exitCode, 1);
  EXPECT_NE(again.err.find("not replaced"), std::string::npos) << again.err;
  EXPECT_TRUE(wave == test::ReadFile(dir.file("out.wav")));
}

TEST_F(PlayCli, AJoinedStreamIsWrittenWholeAndAFailedDecodeLeavesNothing) {
  // A 22.05 kHz mono song joined to the 44.1 kHz stereo one: all of it, in
  // the format of the first.
  const std::string joined =
      test::EncodeWithLame(test::ToneWav(22050, 1, 2.0), "-b 64 -m m", dir.path());
  ASSERT_FALSE(joined.empty());
  test::WriteFile(dir.file("joined.mp3"), test::ReadFile(dir.file("Lied \xC3\xA4.mp3")) + joined);
  const auto run = RunCli({"play", "joined.mp3", "--wav", "joined.wav"}, dir.path());
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_GT(test::ReadFile(dir.file("joined.wav")).size(), 44u + 44100 * 4 * 38 / 10);

  // A disk that fills up: the failure is named and nothing is left, neither
  // under the wave file's name nor hidden beside it.
  const auto before = test::FolderState(dir.path());
  const auto full = test::RunCliFrom(test::ProgramDir(), {"play", "joined.mp3", "--wav", "cut.wav"},
                                     dir.path(), std::nullopt, 100000);
  EXPECT_EQ(full.exitCode, 1);
  EXPECT_NE(full.err.find("Die Audio-Ausgabe funktioniert nicht."), std::string::npos) << full.err;
  EXPECT_EQ(test::FolderState(dir.path()), before);
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
  EXPECT_NE(notMp3.err.find("Die Datei kann nicht gelesen oder dekodiert werden."),
            std::string::npos)
      << notMp3.err;

  const auto missing = RunCli({"--set", "Sprache=1", "play", "gone.mp3"}, dir.path());
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("\"gone.mp3\" is no file"), std::string::npos) << missing.err;
}

TEST(PlayCliLibrary, AMissingBrokenOrIncompleteLibraryIsNamedAndNothingCrashes) {
  namespace fs = std::filesystem;
  test::TempDir program;
  ASSERT_TRUE(test::MirrorProgramFiles(program.path(), {"tovix-cli", "tovix.lng"}));
  const std::string library = program.file("libmpegdll.so");
  const std::string real = test::ReadFile(test::ProgramDir() + "libmpegdll.so");
  ASSERT_GT(real.size(), 4096u);
  struct Case {
    const char* what;
    std::function<void()> make;
    const char* message;
    const char* problem;
  };
  const Case cases[] = {
      {"missing", [] {}, "Die MPEG-Bibliothek kann nicht geladen werden.", "libmpegdll.so: "},
      {"not a library", [&] { test::WriteFile(library, std::string(8192, 'x')); },
       "Die MPEG-Bibliothek kann nicht geladen werden.", "libmpegdll.so: "},
      {"cut short", [&] { test::WriteFile(library, real.substr(0, 4096)); },
       "Die MPEG-Bibliothek kann nicht geladen werden.", "libmpegdll.so: "},
      {"a FIFO", [&] { ASSERT_EQ(mkfifo(library.c_str(), 0644), 0); },
       "Die MPEG-Bibliothek kann nicht geladen werden.", "libmpegdll.so: "},
      {"lacking an entry point",
       [&] { fs::copy_file(FAKE_MPEGDLL_NOSEEK_DIR "/libmpegdll.so", library); },
       "Die MPEG-Bibliothek ist nicht geladen", "libmpegdll.so lacks the entry point \"Seek\""},
  };
  test::TempDir songs;
  test::WriteFile(songs.file("song.mp3"), test::ReadFile(test::SourceDir() + "README.md"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove(library);
    c.make();
    const auto run = test::RunCliFrom(program.path() + "/", {"play", "song.mp3"}, songs.path());
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(program.path() + "/" + c.problem), std::string::npos) << run.err;
  }
}

}  // namespace
}  // namespace tovix
