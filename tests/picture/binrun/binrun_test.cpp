#include "picture/binrun.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "lang/buildstrings.h"
#include "lang/sprachen.h"
#include "picture/binrun/binrunfakes.h"
#include "platform/codepage.h"
#include "platform/filesys.h"

namespace tovix {
namespace {

using test::CrLfLines;
using test::WriteFile;

class BinRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::LoadGermanStrings();
    std::filesystem::create_directory(source());
    std::filesystem::create_directory(target());
  }
  std::string source() const { return work.path() + "/mp3"; }
  std::string target() const { return work.path() + "/bin"; }
  void AddSongs(std::initializer_list<const char*> names) {
    for (const char* name : names) WriteFile(source() + "/" + name, test::SongBytes());
  }
  BinRunOptions Options(bool replaceBin) const {
    BinRunOptions o;
    o.sourceDir = source();
    o.targetDir = target();
    o.replaceBin = replaceBin;
    return o;
  }
  BinRun MakeRun() { return BinRun(pictures, host, runner.Env()); }
  bool Has(const std::string& path) const { return std::filesystem::exists(path); }

  test::WorkingFolder work;
  test::FakePictures pictures;
  test::FakeHost host;
  test::FakeBatchRunner runner;
};

TEST_F(BinRunTest, CalibrationEntryAlwaysReplacesAndNamesTheTestFile) {
  BinRun run = MakeRun();
  ASSERT_TRUE(run.CalibrateLogoLevel(target()));  // no separator: the run adds it
  ASSERT_EQ(runner.batches.size(), 1u);
  const auto lines = CrLfLines(runner.batches[0]);
  ASSERT_EQ(lines.size(), 13u);
  EXPECT_EQ(lines[2], "Echo [ " + target() + "/TST9999 ]");
  EXPECT_EQ(lines[3], "mklogo BM9999.BMP 2");
  EXPECT_EQ(lines[7], "move e2logo.bin \"" + target() + "/TST9999.BIN\"");
  EXPECT_EQ(runner.commands, std::vector<std::string>{".\\tmpbat.bat"});
  EXPECT_EQ(pictures.testTitles, std::vector<std::string>{LanguageString(38) + "2"});
  EXPECT_EQ(host.status, std::vector<std::string>{"[ ........Test......... ]"});
  EXPECT_FALSE(Has(target() + "/TST9999.BIN"));  // deleted after the test
  EXPECT_FALSE(Has("BM9999.BMP"));
}

TEST_F(BinRunTest, LimitIsInclusiveAndOneByteMoreRaisesTheLevel) {
  runner.binSize = [](int level) { return level == 2 ? kMaxBinBytes : 10; };
  BinRun exact = MakeRun();
  ASSERT_TRUE(exact.CalibrateLogoLevel(target()));
  EXPECT_EQ(exact.LogoLevel(), 2);

  pictures.testTitles.clear();
  runner.binSize = [](int level) { return level == 2 ? kMaxBinBytes + 1 : kMaxBinBytes; };
  BinRun over = MakeRun();
  ASSERT_TRUE(over.CalibrateLogoLevel(target()));
  EXPECT_EQ(over.LogoLevel(), 3);
  EXPECT_EQ(pictures.testTitles,
            (std::vector<std::string>{LanguageString(38) + "2", LanguageString(38) + "3"}));
  EXPECT_NE(runner.batches.back().find("mklogo BM9999.BMP 3\r\n"), std::string::npos);
  EXPECT_TRUE(host.errors.empty());
}

TEST_F(BinRunTest, CalibrationStopsAtTheHighestLevelWithAMessage) {
  runner.binSize = [](int) { return kMaxBinBytes * 2; };
  BinRun run = MakeRun();
  EXPECT_FALSE(run.CalibrateLogoLevel(target()));
  EXPECT_EQ(run.LogoLevel(), kLastLogoLevel);
  EXPECT_EQ(pictures.testTitles.size(),
            static_cast<std::size_t>(kLastLogoLevel - kFirstLogoLevel + 1));
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_NE(host.errors[0].find("31"), std::string::npos);
  EXPECT_NE(host.errors[0].find("163840"), std::string::npos);
  EXPECT_FALSE(Has(target() + "/TST9999.BIN"));
  EXPECT_EQ(host.binPageShown, 1);
}

TEST_F(BinRunTest, MissingTestFileEndsTheRunWithTheErrorBox) {
  runner.mklogoFails = true;
  AddSongs({"a.mp3"});
  // What c2bin left when the batch's move failed must not stay behind.
  WriteFile("e2logo.bin", "left over");
  BinRun run = MakeRun();
  EXPECT_EQ(run.Run(Options(false)), 0);
  EXPECT_EQ(host.errors,
            std::vector<std::string>{"Error with : \"" + target() + "/TST9999.BIN\" (" + target() +
                                     "/TST9999.BIN: mklogo, c2bin oder move fehlgeschlagen)"});
  EXPECT_TRUE(pictures.songs.empty());
  ASSERT_GE(host.memo.size(), 2u);
  EXPECT_EQ(host.memo[host.memo.size() - 2], LanguageString(37));
  EXPECT_EQ(host.memo.back(), "0 " + LanguageString(40));
  EXPECT_FALSE(host.hidden);
  EXPECT_EQ(host.toggles, 2);
  EXPECT_FALSE(Has("e2logo.bin"));
  // LED shows the page's title again, not the test.
  ASSERT_FALSE(host.status.empty());
  EXPECT_EQ(host.status.back(), LanguageString(88));
}

TEST_F(BinRunTest, MissingFoldersAreNamedBeforeAnyTestPicture) {
  AddSongs({"a.mp3"});
  BinRunOptions options = Options(true);
  options.targetDir = work.path() + "/nowhere";
  BinRun run = MakeRun();
  EXPECT_EQ(run.Run(options), 0);
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_NE(host.errors[0].find(work.path() + "/nowhere\" gibt es nicht"), std::string::npos);
  EXPECT_TRUE(pictures.testTitles.empty());
  EXPECT_TRUE(runner.batches.empty());
  EXPECT_EQ(host.memo.back(), "0 " + LanguageString(40));
  EXPECT_FALSE(host.hidden);

  host.errors.clear();
  options = Options(true);
  options.sourceDir = work.path() + "/gone";
  EXPECT_EQ(run.Run(options), 0);
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_NE(host.errors[0].find(work.path() + "/gone"), std::string::npos);
  EXPECT_TRUE(runner.batches.empty());
}

TEST_F(BinRunTest, EverySongGetsItsEntryAndTheCountAndLevelAreReported) {
  AddSongs({"b.mp3", "A.MP3", "c.mp3", "notes.txt"});
  runner.binSize = [](int level) { return level < 4 ? kMaxBinBytes + 1 : 5000; };
  BinRun run = MakeRun();
  EXPECT_EQ(run.Run(Options(false)), 3);
  ASSERT_EQ(pictures.songs.size(), 3u);
  EXPECT_EQ(pictures.songs[0].fileName, "A.MP3");
  EXPECT_EQ(pictures.songs[2].k, 3);
  EXPECT_EQ(pictures.songs[2].n, 3);
  EXPECT_EQ(pictures.songs[0].targetDir, target() + "/");
  for (const char* bin : {"/A.BIN", "/B.BIN", "/C.BIN"}) EXPECT_TRUE(Has(target() + bin)) << bin;
  // Three test pictures, then one batch per song with the level found.
  ASSERT_EQ(runner.batches.size(), 6u);
  const auto song = CrLfLines(runner.batches[4]);
  EXPECT_EQ(song[3], "if exist \"" + target() + "/B.BIN\" goto NoReplace");
  EXPECT_EQ(song[4], "mklogo BM2.BMP 4");
  EXPECT_EQ(host.memo[host.memo.size() - 3], LanguageString(38) + "4");
  EXPECT_EQ(host.memo.back(), "3 " + LanguageString(40));
  EXPECT_TRUE(host.errors.empty());
  EXPECT_FALSE(host.hidden);
}

TEST_F(BinRunTest, ExistingBinStillGetsItsPictureDeletedAndNoBatch) {
  AddSongs({"a.mp3", "b.mp3"});
  WriteFile(target() + "/a.bin", "old");
  WriteFile(target() + "/other.bin", "old");
  BinRunOptions options = Options(false);
  options.save2Jpeg = true;
  BinRun run = MakeRun();
  // Two songs minus the two .BIN files that were there, whatever their names.
  EXPECT_EQ(run.Run(options), 0);
  ASSERT_EQ(pictures.songs.size(), 2u);
  EXPECT_TRUE(pictures.songs[0].save2Jpeg);  // the JPEG is still asked for
  EXPECT_FALSE(pictures.songs[0].replaceBin);
  EXPECT_FALSE(Has("BM1.BMP"));
  EXPECT_EQ(test::ReadFile(target() + "/a.bin"), "old");
  EXPECT_EQ(runner.batches.size(), 2u);  // the test picture and song 2
  EXPECT_TRUE(Has(target() + "/B.BIN"));
}

TEST_F(BinRunTest, ReplacingRewritesExistingBins) {
  AddSongs({"a.mp3"});
  WriteFile(target() + "/A.BIN", "old");
  BinRun run = MakeRun();
  EXPECT_EQ(run.Run(Options(true)), 1);
  EXPECT_EQ(test::ReadFile(target() + "/A.BIN").size(), 1000u);
  EXPECT_EQ(CrLfLines(runner.batches.back()).size(), 13u);
}

TEST_F(BinRunTest, EmptyFolderCounts) {
  BinRun replacing = MakeRun();
  EXPECT_EQ(replacing.Run(Options(true)), 0);
  EXPECT_EQ(host.memo.back(), "0 " + LanguageString(40));

  WriteFile(target() + "/x.bin", "");
  WriteFile(target() + "/y.BIN", "");
  BinRun keeping = MakeRun();
  EXPECT_EQ(keeping.Run(Options(false)), -2);
  EXPECT_EQ(host.memo.back(), "-2 " + LanguageString(40));
}

TEST_F(BinRunTest, FailingMklogoIsReportedAndTheRunGoesOn) {
  AddSongs({"a.mp3", "b.mp3"});
  BinRun run = MakeRun();
  ASSERT_TRUE(run.CalibrateLogoLevel(target()));
  runner.mklogoFails = true;
  run.SetOptions(Options(false));
  EXPECT_EQ(run.MakeAllBins(source(), target()), 0);  // no picture made
  EXPECT_EQ(run.Failures(), 2);
  EXPECT_TRUE(host.MemoHas("a.mp3: keine .BIN erstellt (" + target() + "/A.BIN: mklogo"));
  EXPECT_TRUE(host.MemoHas("b.mp3: keine .BIN"));
  EXPECT_FALSE(Has("BM1.BMP"));
  EXPECT_FALSE(Has("BM2.BMP"));
}

TEST_F(BinRunTest, VanishedSongsAndFoldersInTheWayAreNamedAndNotCounted) {
  AddSongs({"a.mp3", "b.mp3", "c.mp3", "d.mp3"});
  std::filesystem::create_directory(target() + "/B.BIN");
  pictures.beforeSong = [this](const SongPictureJob& job) {
    if (job.fileName == "c.mp3") std::filesystem::remove(source() + "/c.mp3");
  };
  for (bool replace : {false, true}) {
    host.memo.clear();
    WriteFile(source() + "/c.mp3", test::SongBytes());
    std::filesystem::remove(target() + "/A.BIN");
    std::filesystem::remove(target() + "/D.BIN");
    BinRun run = MakeRun();
    ASSERT_TRUE(run.CalibrateLogoLevel(target()));
    run.SetOptions(Options(replace));
    EXPECT_EQ(run.MakeAllBins(source(), target()), 2) << replace;
    EXPECT_EQ(run.Failures(), 2);
    EXPECT_TRUE(host.MemoHas("b.mp3: der Ordner \"" + target() + "/B.BIN\" steht im Weg"));
    EXPECT_TRUE(host.MemoHas("c.mp3: das Lied ist nicht mehr da, keine .BIN"));
    EXPECT_TRUE(std::filesystem::is_empty(target() + "/B.BIN"));
    EXPECT_FALSE(Has(target() + "/C.BIN"));
    EXPECT_TRUE(Has(target() + "/A.BIN") && Has(target() + "/D.BIN"));
    EXPECT_FALSE(Has("BM2.BMP") || Has("BM3.BMP"));
  }
  // A folder named like the test file would swallow it and pass the test.
  std::filesystem::create_directory(target() + "/TST9999.BIN");
  BinRun run = MakeRun();
  EXPECT_FALSE(run.CalibrateLogoLevel(target()));
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_NE(host.errors[0].find("TST9999.BIN\" steht im Weg"), std::string::npos);
  EXPECT_TRUE(std::filesystem::is_empty(target() + "/TST9999.BIN"));
}

TEST_F(BinRunTest, StalledBatchIsGivenUpAfterTheLimitWithoutSpinning) {
  AddSongs({"a.mp3", "b.mp3"});
  BinRun run = MakeRun();
  ASSERT_TRUE(run.CalibrateLogoLevel(target()));
  runner.stall = true;
  run.SetOptions(Options(true));
  EXPECT_EQ(run.MakeAllBins(source(), target()), 0);
  EXPECT_TRUE(host.MemoHas("a.mp3: tmpbat.bat endete nicht in 60 s"));
  EXPECT_TRUE(host.MemoHas("b.mp3: tmpbat.bat endete nicht"));
  // 60 s in steps of 10 ms, the window's messages let run between them.
  EXPECT_EQ(runner.sleeps.size(), 2u * 6000u);
  for (int ms : runner.sleeps) ASSERT_EQ(ms, 10);
  EXPECT_GE(host.pumped, 2 * 6000);
  EXPECT_EQ(runner.batches.size(), 3u);
}

TEST_F(BinRunTest, MessagesRunBeforeEachSongEvenWhenItsBatchEndsAtOnce) {
  // Making a picture and starting its batch, added to the end of the
  // batch before, kept the window from its messages for too long.
  AddSongs({"a.mp3", "b.mp3", "c.mp3"});
  std::vector<int> pumpedAt;
  pictures.beforeSong = [&](const SongPictureJob&) { pumpedAt.push_back(host.pumped); };
  BinRun run = MakeRun();
  ASSERT_TRUE(run.CalibrateLogoLevel(target()));
  run.SetOptions(Options(true));
  const int before = host.pumped;
  EXPECT_EQ(run.MakeAllBins(source(), target()), 3);
  ASSERT_EQ(pumpedAt.size(), 3u);
  EXPECT_GT(pumpedAt[0], before);
  EXPECT_GT(pumpedAt[1], pumpedAt[0]);
  EXPECT_GT(pumpedAt[2], pumpedAt[1]);
}

TEST_F(BinRunTest, StalledCalibrationEndsWithAMessage) {
  runner.stall = true;
  BinRun run = MakeRun();
  EXPECT_FALSE(run.CalibrateLogoLevel(target()));
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_NE(host.errors[0].find("60 s"), std::string::npos);
}

TEST_F(BinRunTest, FolderOutsideAsciiIsNamedInOemForTestAndSongsAlike) {
  const std::string folder = work.path() +
                             "/Gr\xFC\xDF"
                             "e \xF8";
  std::filesystem::create_directory(platform::ToNative(folder));
  AddSongs({"a.mp3"});
  BinRunOptions options = Options(true);
  options.targetDir = folder;
  BinRun run = MakeRun();
  EXPECT_EQ(run.Run(options), 1);
  ASSERT_EQ(runner.batches.size(), 2u);
  const std::string oem = work.path() +
                          "/Gr\x81\xE1"
                          "e \x9B";
  EXPECT_EQ(CrLfLines(runner.batches[0])[2], "Echo [ " + oem + "/TST9999 ]");
  EXPECT_EQ(CrLfLines(runner.batches[1])[2], "Echo [ " + oem + "/A ]");
  EXPECT_TRUE(platform::Exists(folder + "/A.BIN"));
}

// A file named .mp3 without one valid frame header would get a "0 kBit |
// 0 Hz" picture: it is named, gets neither picture nor .BIN, and does not count.
TEST_F(BinRunTest, FilesWithoutMpegAudioAreNamedAndNotCounted) {
  AddSongs({"song.mp3"});
  const std::pair<const char*, std::string> noAudio[] = {
      {"empty.mp3", ""},
      {"tiny.mp3", "\xFF\xFB\x90"},
      {"text.mp3", std::string(2000, 'x')},
      {"cut.mp3", "\xFF\xFB\x90\x44" + std::string(100, '\0')},       // its frame runs past the end
      {"bad rate.mp3", "\xFF\xFB\xF0\x44" + std::string(600, '\0')},  // bit-rate index 15
  };
  for (const auto& [name, bytes] : noAudio) WriteFile(source() + "/" + name, bytes);
  for (const bool replace : {true, false}) {
    host.memo.clear();
    pictures.songs.clear();
    BinRun run = MakeRun();
    EXPECT_EQ(run.Run(Options(replace)), replace ? 1 : 0);
    EXPECT_EQ(run.Failures(), 5);
    ASSERT_EQ(pictures.songs.size(), 1u);
    EXPECT_EQ(pictures.songs[0].fileName, "song.mp3");
    for (const auto& [name, bytes] : noAudio) {
      EXPECT_TRUE(host.MemoHas(BuildText(str::kSongNoAudio, {name}))) << name;
      const std::string base = platform::UpperAscii(name);
      EXPECT_FALSE(Has(target() + "/" + base.substr(0, base.size() - 4) + ".BIN")) << name;
    }
    EXPECT_TRUE(Has(target() + "/SONG.BIN"));
    for (int k = 1; k <= 6; ++k) EXPECT_FALSE(Has("BM" + std::to_string(k) + ".BMP"));
  }
}

TEST_F(BinRunTest, FolderNoBatchCanNameIsRefusedClearly) {
  AddSongs({"a.mp3"});
  BinRunOptions options = Options(true);
  options.targetDir = work.path() + "/say\"bin\"";
  BinRun run = MakeRun();
  EXPECT_EQ(run.Run(options), 0);
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_NE(host.errors[0].find("Zielordner"), std::string::npos);
  EXPECT_TRUE(runner.batches.empty());
}

TEST_F(BinRunTest, PercentNamesAndUnusableNames) {
  AddSongs({"100% live.mp3", "say \"hi\".mp3"});
  BinRun run = MakeRun();
  EXPECT_EQ(run.Run(Options(true)), 1);
  EXPECT_TRUE(host.MemoHas("say ?hi?.mp3"));
  ASSERT_EQ(pictures.songs.size(), 1u);
  EXPECT_NE(runner.batches.back().find("\"" + target() + "/100%% LIVE.BIN\""), std::string::npos);
  EXPECT_TRUE(Has(target() + "/100% LIVE.BIN"));
}

// Names no pass may turn into damage: two songs whose .BIN would be one
// file, a backslash that the interpreter takes for a separator, a letter
// code page 850 lacks. Each is reported and left out before any picture.
TEST_F(BinRunTest, NamesThatWouldCollideOrEscapeAreLeftOut) {
  AddSongs({"song.mp3", "Song.mp3", "sub\\..\\..\\victim.mp3", "Don\xE2\x80\x99t.mp3", "ok.mp3"});
  BinRun run = MakeRun();
  EXPECT_EQ(run.Run(Options(false)), 2);
  ASSERT_EQ(pictures.songs.size(), 2u);
  EXPECT_EQ(pictures.songs[0].fileName, "ok.mp3");
  EXPECT_EQ(pictures.songs[1].fileName, "Song.mp3");
  EXPECT_TRUE(host.MemoHas("song.mp3 ergibt denselben Namen wie Song.mp3"));
  EXPECT_TRUE(host.MemoHas("sub\\..\\..\\victim.mp3"));
  EXPECT_TRUE(host.MemoHas("Don\x92t.mp3"));
  EXPECT_TRUE(Has(target() + "/SONG.BIN"));
  EXPECT_TRUE(Has(target() + "/OK.BIN"));
  EXPECT_FALSE(Has(work.path() + "/victim.BIN"));
  EXPECT_FALSE(Has(work.path() + "/VICTIM.BIN"));
  for (const std::string& batch : runner.batches)
    EXPECT_EQ(batch.find("VICTIM"), std::string::npos);
}

TEST_F(BinRunTest, FileErrorShowsTheControlsAgainAndPassesTheErrorOn) {
  AddSongs({"a.mp3", "b.mp3"});
  pictures.failAt = 2;
  BinRun run = MakeRun();
  EXPECT_THROW(run.Run(Options(true)), std::runtime_error);
  EXPECT_FALSE(host.hidden);
  EXPECT_EQ(host.toggles, 2);
  EXPECT_EQ(host.binPageShown, 1);
}

TEST_F(BinRunTest, InfoTextsAtTheEndWhenAsked) {
  AddSongs({"Artist_One - Song_One.mp3", "Artist_Two - Song_Two.mp3"});
  BinRunOptions options = Options(true);
  options.makeTxt = true;
  BinRun run = MakeRun();
  EXPECT_EQ(run.Run(options), 2);
  EXPECT_TRUE(host.MemoHas(LanguageString(39)));
  const std::string text = test::ReadFile(target() + "/Artist_One - Song_One.TXT");
  EXPECT_EQ(
      text,
      " \r\n \r\n \r\n*Artist One\r\n* Song One\r\n \r\n Artist Two\r\n  Song Two\r\n \r\n \r\n");
  EXPECT_TRUE(Has(target() + "/Artist_Two - Song_Two.TXT"));

  std::filesystem::remove(target() + "/Artist_One - Song_One.TXT");
  options.makeTxt = false;
  BinRun without = MakeRun();
  without.Run(options);
  EXPECT_FALSE(Has(target() + "/Artist_One - Song_One.TXT"));
}

TEST_F(BinRunTest, StopBetweenSongsKeepsEveryBinWholeAndWritesNoTexts) {
  AddSongs({"a.mp3", "b.mp3", "c.mp3"});
  struct Case {
    int stopAfter, made;
    bool texts;
  };
  for (const Case c :
       {Case{0, 0, false}, Case{1, 1, false}, Case{2, 2, false}, Case{-1, 3, true}}) {
    for (const auto& entry : std::filesystem::directory_iterator(target()))
      std::filesystem::remove(entry.path());
    host = {};
    host.stopAfter = c.stopAfter;
    BinRunOptions options = Options(true);
    options.makeTxt = true;
    BinRun run = MakeRun();
    EXPECT_EQ(run.Run(options), c.made) << c.stopAfter;
    std::vector<std::string> counted;
    for (int k = 1; k <= c.made; ++k) counted.push_back(std::to_string(k) + "/3");
    EXPECT_EQ(host.progress, counted);
    int bins = 0;
    for (const char* bin : {"/A.BIN", "/B.BIN", "/C.BIN"}) bins += Has(target() + bin);
    EXPECT_EQ(bins, c.made);
    EXPECT_EQ(Has(target() + "/a.TXT"), c.texts) << c.stopAfter;
    EXPECT_FALSE(host.hidden);
    EXPECT_EQ(host.memo.back(), std::to_string(c.made) + " " + LanguageString(40));
  }
}

}  // namespace
}  // namespace tovix
