// The recode pass in-process, with a stand-in for the batch files and the
// player: the lines in the memo and the log, what lands in the recode
// folder, cancels, errors and refusals, and several jobs at a time.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <map>
#include <mutex>

#include "cli/clirunner.h"
#include "lang/sprachen.h"
#include "mp3/mp3builder.h"
#include "platform/filesys.h"
#include "platform/process.h"
#include "recode/recodepass.h"
#include "recode/wavdecode.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// Header bytes: MPEG-1 Layer III, 44100 Hz, no CRC; bit rate and mode vary.
// 0x04 plain stereo (read as "Xing 2.20|Radium Codec"), 0x44 joint stereo
// (l3Enc), 0xC4 single channel (no known encoder), 0x6C Audio Catalyst.
std::string Song(std::uint32_t rateBits, std::uint32_t modeByte, const std::string& title) {
  const std::uint32_t header = 0xFFFB0000u | rateBits << 12 | modeByte;
  TMPEGData frame;
  DecodeHeader(header, frame);
  std::string bytes;
  for (int i = 0; i < 40; ++i) bytes += test::Frame(header, frame.FrameLength);
  test::TagFields tag;
  tag.title = title;
  tag.artist = "Artist";
  return bytes + test::Id3v1(tag);
}

std::string Strip(const std::string& line) {
  return line.size() >= 19 && line[2] == '.' && line[17] == ' ' ? line.substr(19) : line;
}

std::string S(int n) {
  return LanguageString(n);
}

class Host : public RecodeHost {
 public:
  void Line(const std::string& text, int) override {
    std::lock_guard<std::mutex> lock(mutex);
    memo.push_back(Strip(text));
    if (onMemo) onMemo(memo.back());
  }
  bool KeepGoing() override { return page == 2; }
  void Stop() override { page = 0; }
  void ClearMemo() override { memo.clear(); }
  void SetGauge(int percent) override {
    if (cancelAtGauge >= 0 && percent >= cancelAtGauge) page = 0;
  }
  void HideButtons(bool hide) override { buttons.push_back(hide); }

  std::mutex mutex;
  std::vector<std::string> memo;
  std::vector<bool> buttons;
  std::atomic<int> page{2};
  int cancelAtGauge = -1;
  std::function<void(const std::string&)> onMemo;
};

// Plays for a while; a cancel during the decode is the page number's.
class FakePlayer : public DecodePlayer {
 public:
  void SetStreamName(const std::string&) override {}
  int OpenAndGetLength() override { return 100; }
  void SetOutFilename(const std::string& path) override { out = path; }
  std::string OutFilename() const override { return out; }
  void SetOutputToFile(bool toFile) override { device = toFile ? "pcmfile" : "wavemapper"; }
  void Play() override { WriteFile(out, test::ToneWav(8000, 2, 0.1)); }
  int GetPlayerMode() override {
    if (++polls == cancelAtPoll && host) host->page = 0;
    return polls % 3 ? 3 : 0;
  }
  int GetCurrentPos() override { return 50; }
  void Close() override {}
  std::string out, device;
  int polls = 0, cancelAtPoll = -1;
  Host* host = nullptr;
};

class Pass : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(ApplyLanguage(0, test::SourceDir() + "dist/tovix.lng"), LanguageResult::kOk);
    for (const char* d : {"src", "rec", "prog", "tmp"}) fs::create_directory(dir.file(d));
    options.sourceDir = dir.file("src");
    options.recodeDir = dir.file("rec");
    options.tempDir = dir.file("tmp");
    options.tmpWav = false;
    env.programDir = dir.file("prog") + "/";
    env.sleep = [this](int ms) { slept += ms; };
    // The batch stand-in: the source (or the WAV) copied to the output
    // path; a file named "fails" gets a complaint and no output.
    env.runBatch = [this](const std::string& line, const std::string& workDir) {
      std::lock_guard<std::mutex> lock(batchMutex);
      commands.push_back(line);
      std::vector<std::string> w = platform::SplitCommandWords(line);
      for (auto& word : w) std::erase(word, '"');
      const bool viaWav = w.size() == 6;
      const std::string name = w[1], out = w[viaWav ? 4 : 3] + name;
      if (name.find("fails") != std::string::npos) {
        WriteFile(platform::ToNative(workDir + "/fehler.txt"),
                  "\"" + name + "\": lame ist fehlgeschlagen\r\n");
        return;
      }
      WriteFile(platform::ToNative(out), ReadFile(platform::ToNative(viaWav ? w[2] : w[2] + name)));
    };
  }
  RecodeResult Run() {
    RecodePass pass(host, env);
    return pass.Run(options);
  }
  std::vector<std::string> LogLines() {
    std::vector<std::string> lines;
    for (const std::string& l : test::Lines(ReadFile(dir.file("rec/TOVIX.LOG"))))
      lines.push_back(Strip(l));
    return lines;
  }
  std::string Src(const std::string& name) { return dir.file("src/" + name); }
  std::string Rec(const std::string& name) { return dir.file("rec/" + name); }

  TempDir dir;
  Host host;
  RecodeOptions options;
  RecodeEnv env;
  std::mutex batchMutex;
  std::vector<std::string> commands;
  std::atomic<int> slept{0};
};

TEST_F(Pass, RecodesOrCopiesEachFileWithTheLinesOfThePage) {
  WriteFile(Src("a Stereo 128.mp3"), Song(9, 0x04, "Eins"));
  WriteFile(Src("b Jöint 128.mp3"), Song(9, 0x44, "Zwei"));
  WriteFile(Src("c Stereo 160.mp3"), Song(10, 0x04, "Drei"));
  WriteFile(Src("d Mono 96.mp3"), Song(7, 0xC4, "Vier"));
  WriteFile(Rec("b Jöint 128.mp3"), "an older recode");
  const auto before = test::FolderState(dir.file("src"));

  const RecodeResult result = Run();
  const std::string xing = "Xing 2.20|Radium Codec";
  const std::vector<std::string> expected = {
      "\"a Stereo 128.mp3\": " + xing + ", 128kBit, Stereo",
      S(36),
      "\"b J\xF6int 128.mp3\": l3Enc, 128kBit, Joint-Stereo",
      S(98),
      S(32) + " 128kBit",
      S(33),
      "\"c Stereo 160.mp3\": " + xing + ", 160kBit, Stereo",
      S(98),
      S(32) + " 128kBit",
      S(33),
      "\"d Mono 96.mp3\": " + UnknownEncoderText() + ", 96kBit, Single-Channel",
      S(98),
      S(32) + " 128kBit",
      S(33),
      S(37)};
  EXPECT_EQ(host.memo, expected);
  EXPECT_EQ(LogLines(), expected);
  EXPECT_EQ(host.buttons, (std::vector<bool>{true, false}));
  EXPECT_EQ(result.recoded, 3);
  EXPECT_EQ(result.copied, 1);
  EXPECT_EQ(result.errors, 0);
  EXPECT_EQ(slept, 3000);  // the pause after each recoded file

  EXPECT_EQ(ReadFile(Rec("a Stereo 128.mp3")), ReadFile(Src("a Stereo 128.mp3")));
  // The recoded file carries the source's tag.
  Mp3Info tag;
  ASSERT_TRUE(ReadID3Tag(dir.file("rec/b J\xF6int 128.mp3"), tag));
  EXPECT_EQ(tag.Title, "Zwei");
  EXPECT_EQ(tag.Artist, "Artist");
  EXPECT_EQ(commands[0], std::string("Mp3ToMp3.bat") + " \"b J\xF6int 128.mp3\" " +
                             dir.file("src/") + " " + dir.file("rec/") + " 128");
  EXPECT_EQ(test::FolderState(dir.file("src")), before);
}

TEST_F(Pass, NamesInLetterCasePairsStayApartAndUnusableNamesAreReported) {
  WriteFile(Src("Song.mp3"), Song(10, 0x04, "Gross"));
  WriteFile(Src("song.mp3"), Song(10, 0x04, "Klein"));
  WriteFile(Src("bad\x01name.mp3"), Song(10, 0x04, "Steuerzeichen"));
  const RecodeResult result = Run();
  EXPECT_EQ(result.errors, 1);
  EXPECT_EQ(host.memo[0].find("bad"), host.memo[0].size() - 12) << host.memo[0];
  EXPECT_EQ(result.recoded, 2);
  Mp3Info upper, lower;
  ASSERT_TRUE(ReadID3Tag(Rec("Song.mp3"), upper));
  ASSERT_TRUE(ReadID3Tag(Rec("song.mp3"), lower));
  EXPECT_EQ(upper.Title, "Gross");
  EXPECT_EQ(lower.Title, "Klein");
  EXPECT_FALSE(fs::exists(Rec("bad\x01name.mp3")));
}

TEST_F(Pass, AnEmptyFolderLogsOnlyTheEndLine) {
  Run();
  EXPECT_EQ(host.memo, std::vector<std::string>{S(37)});
  EXPECT_EQ(LogLines(), std::vector<std::string>{S(37)});
}

TEST_F(Pass, TheSourceFolderAsRecodeFolder) {
  WriteFile(Src("a.mp3"), Song(10, 0x04, "Eins"));
  const auto before = test::FolderState(dir.file("src"));
  options.recodeDir = dir.file("src") + "/./";
  // Recoding into it is refused before anything runs.
  RecodeResult result = Run();
  EXPECT_TRUE(result.refused);
  EXPECT_EQ(host.memo, std::vector<std::string>{" " + S(180)});
  EXPECT_TRUE(host.buttons.empty());
  EXPECT_EQ(test::FolderState(dir.file("src")), before);
  // Without recoding every file gets the copy line, and nothing is copied.
  options.rule.recode = false;
  result = Run();
  EXPECT_EQ(host.memo, (std::vector<std::string>{
                           "\"a.mp3\": Xing 2.20|Radium Codec, 160kBit, Stereo", S(36), S(37)}));
  EXPECT_EQ(test::FolderState(dir.file("src"), {"TOVIX.LOG"}), before);
  EXPECT_TRUE(commands.empty());
}

TEST_F(Pass, ACancelDuringACopyEndsThePassWithoutAPartialCopy) {
  WriteFile(Src("a.mp3"), Song(9, 0x04, "Eins") + std::string(200000, 'x'));
  WriteFile(Src("b.mp3"), Song(9, 0x04, "Zwei"));
  WriteFile(Rec("a.mp3"), "older copy");
  host.cancelAtGauge = 20;
  const RecodeResult result = Run();
  EXPECT_TRUE(result.cancelled);
  EXPECT_EQ(host.memo,
            (std::vector<std::string>{"\"a.mp3\": Xing 2.20|Radium Codec, 128kBit, Stereo", S(36),
                                      S(34), S(37)}));
  EXPECT_EQ(ReadFile(Rec("a.mp3")), "older copy");
  EXPECT_FALSE(fs::exists(Rec("b.mp3")));
  EXPECT_EQ(host.buttons.back(), false);
}

TEST_F(Pass, ABatchWithoutOutputEndsThePassAndSaysWhy) {
  WriteFile(Src("a fails.mp3"), Song(10, 0x04, "Eins"));
  WriteFile(Src("b.mp3"), Song(10, 0x04, "Zwei"));
  WriteFile(Rec("a fails.mp3"), "older recode");
  const RecodeResult result = Run();
  ASSERT_EQ(host.memo.size(), 7u);
  EXPECT_EQ(host.memo[3], "\"a fails.mp3\": " + S(183) + ": " + Rec("a fails.mp3"));
  EXPECT_EQ(host.memo[4], S(35));
  EXPECT_EQ(host.memo[5], " ! \"a fails.mp3\": lame ist fehlgeschlagen");
  EXPECT_EQ(host.memo[6], S(37));
  EXPECT_EQ(result.errors, 1);
  EXPECT_EQ(host.page, 0);
  // The older file is neither taken for the new one nor tagged.
  EXPECT_EQ(ReadFile(Rec("a fails.mp3")), "older recode");
  EXPECT_FALSE(fs::exists(Rec("b.mp3")));
  EXPECT_FALSE(fs::exists(dir.file("prog/fehler.txt")));
}

TEST_F(Pass, ACopyErrorIsLoggedWithTheNameAndTheButtonsComeBack) {
  WriteFile(Src("a.mp3"), Song(9, 0x04, "Eins"));
  WriteFile(Src("b.mp3"), Song(9, 0x04, "Zwei"));
  fs::create_directory(Rec("a.mp3"));
  const RecodeResult result = Run();
  ASSERT_EQ(host.memo.size(), 5u);
  EXPECT_EQ(host.memo[2].rfind("\"a.mp3\": ", 0), 0u) << host.memo[2];
  EXPECT_EQ(host.memo[3], S(35));
  EXPECT_EQ(host.memo[4], S(37));
  EXPECT_EQ(result.errors, 1);
  EXPECT_EQ(host.buttons, (std::vector<bool>{true, false}));
}

TEST_F(Pass, AnUnwritableLogEndsThePassButTheButtonsComeBack) {
  WriteFile(Src("a.mp3"), Song(9, 0x04, "Eins"));
  fs::create_directory(Rec("TOVIX.LOG"));
  EXPECT_THROW(Run(), std::exception);
  EXPECT_EQ(host.buttons, (std::vector<bool>{true, false}));
}

TEST_F(Pass, ASongGoneSinceTheListingIsNamedAndTheOthersAreDone) {
  // Copied and recoded: b.mp3 goes once the pass is at a.mp3.
  for (const std::uint32_t rate : {9u, 10u}) {
    SCOPED_TRACE(rate);
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3"})
      WriteFile(Src(name), Song(rate, 0x04, name));
    fs::remove(Rec("a.mp3"));
    fs::remove(Rec("c.mp3"));
    host.page = 2;
    host.onMemo = [this](const std::string& line) {
      if (line.starts_with("\"a.mp3\"")) fs::remove(Src("b.mp3"));
    };
    const RecodeResult result = Run();
    EXPECT_EQ(result.errors, 1);
    EXPECT_EQ(result.files, 2);
    const std::vector<std::string> log = LogLines();
    EXPECT_NE(std::find(log.begin(), log.end(), "Datei ausgelassen, sie ist nicht mehr da: b.mp3"),
              log.end());
    EXPECT_EQ(log.back(), S(37));
    EXPECT_TRUE(fs::exists(Rec("a.mp3")) && fs::exists(Rec("c.mp3")));
    EXPECT_FALSE(fs::exists(Rec("b.mp3")));
    EXPECT_EQ(ReadFile(Src("c.mp3")), Song(rate, 0x04, "c.mp3"));
  }
}

TEST_F(Pass, ThroughAWavFile) {
  WriteFile(Src("Live.MP3.mp3"), Song(7, 0x44, "Eins"));
  FakePlayer player;
  env.player = &player;
  options.tmpWav = true;
  Run();
  const std::string wav = dir.file("tmp/Live.wav");
  EXPECT_EQ(host.memo, (std::vector<std::string>{"\"Live.MP3.mp3\": l3Enc, 96kBit, Joint-Stereo",
                                                 S(98), S(52), "++ " + wav + " " + S(31),
                                                 S(32) + " 128kBit", S(33), S(37)}));
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_NE(commands[0].find("Wavtomp3.bat Live.MP3.mp3 " + wav + " "), std::string::npos)
      << commands[0];
  EXPECT_EQ(player.device, "wavemapper");
}

// A WAV the user keeps under the temporary one's name, in any letter case,
// in the system's temp folder or the MP3 folder itself: kept, and the
// pass's own WAV is gone once the song is done.
TEST_F(Pass, TheTemporaryWavTakesAFreeNameAndIsRemoved) {
  for (const char* temp : {"tmp", "src"}) {
    for (const char* kept : {"Live.wav", "LIVE.WAV"}) {
      SCOPED_TRACE(std::string(temp) + "/" + kept);
      fs::remove_all(dir.file("src"));
      fs::create_directory(dir.file("src"));
      options.tempDir = dir.file(temp);
      WriteFile(Src("Live.mp3"), Song(7, 0x44, "Eins"));
      WriteFile(dir.file(std::string(temp) + "/" + kept), "the user's own recording");
      const auto before = test::FolderState(dir.file(temp), {"TOVIX.LOG"});
      FakePlayer player;
      env.player = &player;
      options.tmpWav = true;
      EXPECT_EQ(Run().errors, 0);
      const std::string wav = dir.file(std::string(temp) + "/Live~1.wav");
      EXPECT_EQ(host.memo[3], "++ " + wav + " " + S(31));
      EXPECT_EQ(test::FolderState(dir.file(temp), {"TOVIX.LOG"}), before);
    }
  }
}

// "*" and "?" are wildcards to the batch files: such a song to be recoded
// is refused with one line, and the pass goes on; one only copied is fine.
TEST_F(Pass, NamesTheBatchCannotCarryAreRefusedAndThePassGoesOn) {
  WriteFile(Src("a*.mp3"), Song(7, 0x44, "Eins"));
  WriteFile(Src("b?.mp3"), Song(9, 0x04, "Zwei"));
  WriteFile(Src("c.mp3"), Song(7, 0x44, "Drei"));
  options.rule.ifXing = false;
  const RecodeResult result = Run();
  EXPECT_EQ(result.errors, 1);
  EXPECT_EQ(std::count(host.memo.begin(), host.memo.end(), BatchRefusalNote("a*.mp3")), 1);
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_NE(commands[0].find(" c.mp3 "), std::string::npos);
  std::vector<std::string> plan;
  for (const PlannedFile& file : PlanRecode(options))
    plan.push_back(file.name + (file.refused ? " refused" : ""));
  EXPECT_EQ(plan, (std::vector<std::string>{"a*.mp3 refused", "b?.mp3", "c.mp3"}));
}

TEST_F(Pass, ACancelDuringTheDecodeRemovesThePartialWavAndRunsNoBatch) {
  WriteFile(Src("a.mp3"), Song(7, 0x44, "Eins"));
  WriteFile(Src("b.mp3"), Song(7, 0x44, "Zwei"));
  FakePlayer player;
  player.host = &host;
  player.cancelAtPoll = 2;
  env.player = &player;
  options.tmpWav = true;
  const RecodeResult result = Run();
  EXPECT_EQ(host.memo, (std::vector<std::string>{"\"a.mp3\": l3Enc, 96kBit, Joint-Stereo", S(98),
                                                 S(52), S(34), S(37)}));
  EXPECT_TRUE(commands.empty());
  EXPECT_TRUE(fs::is_empty(dir.file("tmp")));
  EXPECT_TRUE(result.cancelled);
  EXPECT_EQ(player.device, "wavemapper");
}

TEST_F(Pass, TwoJobsGiveTheLinesAndFilesOfOne) {
  for (int i = 0; i < 6; ++i)
    WriteFile(Src("song " + std::to_string(i) + ".mp3"),
              Song(i % 2 ? 7 : 9, 0x44, "T" + std::to_string(i)));
  env.privateWorkFolders = true;
  env.workRoot = dir.file("work");
  fs::create_directory(env.workRoot);
  Run();
  const std::vector<std::string> one = host.memo;
  const auto filesOne = test::FolderState(dir.file("rec"), {"TOVIX.LOG"});
  fs::remove_all(dir.file("rec"));
  fs::create_directory(dir.file("rec"));
  env.jobs = 2;
  Run();
  EXPECT_EQ(host.memo, one);
  EXPECT_EQ(LogLines(), one);
  EXPECT_EQ(test::FolderState(dir.file("rec"), {"TOVIX.LOG"}), filesOne);
  EXPECT_EQ(filesOne.size(), 6u);
  EXPECT_TRUE(fs::is_empty(env.workRoot));
}

// An installed copy's program folder is read-only: the window's batches then
// run in the program's own folder, named by their path, and what they write
// into fehler.txt there still reaches the log.
TEST_F(Pass, BatchesRunInTheOwnFolderWhenItIsNotTheProgramFolder) {
  fs::create_directory(dir.file("own"));
  env.ownDir = dir.file("own") + "/";
  std::vector<std::string> workDirs;
  const auto batch = env.runBatch;
  env.runBatch = [&](const std::string& line, const std::string& workDir) {
    workDirs.push_back(workDir);
    batch(line, workDir);
  };
  WriteFile(Src("fails 96.mp3"), Song(7, 0x04, "Eins"));
  const RecodeResult result = Run();
  EXPECT_EQ(result.errors, 1);
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0].rfind(env.programDir + "Mp3ToMp3.bat", 0), 0u) << commands[0];
  EXPECT_EQ(workDirs, std::vector<std::string>{env.ownDir});
  const std::vector<std::string> lines = LogLines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), " ! \"fails 96.mp3\": lame ist fehlgeschlagen"),
            lines.end());
  EXPECT_FALSE(fs::exists(dir.file("own/fehler.txt")));
}

}  // namespace
}  // namespace tovix
