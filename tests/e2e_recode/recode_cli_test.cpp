// tovix-cli recode end to end: real lame files, the shipped batch files run
// by tovix-cmd, the log as the page shows it, and the source folder never
// touched, also when a pass fails.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <map>

#include "cli/clirunner.h"
#include "lang/sprachen.h"
#include "mp3/mp3builder.h"
#include "platform/codepage.h"
#include "platform/process.h"
#include "player/mpegplay.h"
#include "recode/playerdecoder.h"
#include "recode/recodedecision.h"
#include "recode/recodepass.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

std::string Strip(const std::string& line) {
  return line.size() >= 19 && line[2] == '.' && line[17] == ' ' ? line.substr(19) : line;
}

std::vector<std::string> Stripped(const std::string& text) {
  std::vector<std::string> lines;
  for (const std::string& l : test::Lines(text)) lines.push_back(Strip(l));
  return lines;
}

std::string Shown(int n) {
  return platform::AnsiToUtf8(LanguageString(n));
}

bool Has(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// An ID3v1 tag as a DOS-era tagger wrote it: code page 850 (ü = 0x81).
std::string Tag850(const std::string& title) {
  test::TagFields tag;
  tag.title = title;
  tag.artist = "M\x81ller & S\xE1hne";
  tag.album = "Live";
  tag.year = "1999";
  tag.genre = 17;
  return test::Id3v1(tag);
}

// The songs of the generated folder (UTF-8 names), encoded once for all tests.
struct Songs {
  std::map<std::string, std::string> files;
  Songs() {
    TempDir work;
    const std::string mono = test::ToneWav(44100, 1, 3), stereo = test::ToneWav(44100, 2, 3);
    auto lame = [&](const std::string& wav, const std::string& args) {
      return test::EncodeWithLame(wav, args, work.path());
    };
    files["01 Mono 96 Ä.mp3"] = lame(mono, "-b 96 -m m --resample 44.1") + Tag850("Mono");
    files["02 Stereo 128.mp3"] = lame(stereo, "-b 128 -m s") + Tag850("Stereo");
    files["03 Joint 128 ß.mp3"] = lame(stereo, "-b 128 -m j") + Tag850("Joint");
    files["04 Stereo 160 é.mp3"] = lame(stereo, "-b 160 -m s");
    files["05 Stereo 192 ñ ç.mp3"] = lame(stereo, "-b 192 -m s") + Tag850("Hoch");
    // Byte 6 of the first frame 0x0F: a stereo file read as "Mp3 Compressor".
    std::string critical = lame(stereo, "-b 128 -m s");
    critical[6] = 0x0F;
    files["06 Kritisch 128.mp3"] = critical + Tag850("Kritisch");
  }
};

const Songs& GeneratedSongs() {
  static const Songs songs;
  return songs;
}

// The memo lines as the pass prints them, with the window's cancel.
class CancellingHost : public RecodeHost {
 public:
  void Line(const std::string& text, int) override { memo.push_back(Strip(text)); }
  bool KeepGoing() override { return page == 2; }
  void Stop() override { page = 0; }
  // The second look at the window during the decode is a click on " oops...".
  void ProcessMessages() override {
    if (++looks == 2) page = 0;
  }
  std::vector<std::string> memo;
  int page = 2, looks = 0;
};

class RecodeCli : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(ApplyLanguage(0, test::SourceDir() + "dist/tovix.lng"), LanguageResult::kOk);
    for (const std::string& d : {src, rec, tmp}) fs::create_directories(d);
    for (const auto& [name, bytes] : GeneratedSongs().files) WriteFile(src + "/" + name, bytes);
    WriteIni("mp3dir", src);
    WriteIni("WaveDir", rec);
    WriteIni("TempDir", tmp);
    WriteIni("TmpWav", "0");
  }
  void WriteIni(const std::string& key, const std::string& value) { keys[key] = value; }
  std::vector<std::string> Args(std::vector<std::string> command) {
    std::string ini = "[Tovix]\r\n";
    for (const auto& [k, v] : keys) ini += k + "=" + v + "\r\n";
    WriteFile(dir.file("tovix.ini"), ini);
    command.insert(command.begin(), {"--ini", dir.file("tovix.ini")});
    return command;
  }
  test::CliOutcome Recode(const std::vector<std::string>& extra = {},
                          const std::optional<std::vector<std::string>>& env = std::nullopt) {
    std::vector<std::string> command = {"recode"};
    command.insert(command.end(), extra.begin(), extra.end());
    return test::RunCli(Args(command), dir.path(), env);
  }
  // name -> "recode" or "copy", from --plan.
  std::map<std::string, std::string> Plan(const std::string& folder) {
    const auto saved = keys;
    keys["mp3dir"] = folder;
    keys["WaveDir"] = tmp;
    const test::CliOutcome plan = test::RunCli(Args({"recode", "--plan"}), dir.path());
    keys = saved;
    EXPECT_EQ(plan.exitCode, 0) << plan.err;
    std::map<std::string, std::string> decisions;
    for (const std::string& line : test::Lines(plan.out)) {
      const auto tab = line.find('\t');
      decisions[line.substr(0, tab)] = line.substr(tab + 1, line.find('\t', tab + 1) - tab - 1);
    }
    return decisions;
  }
  std::string Log() { return ReadFile(rec + "/TOVIX.LOG"); }

  TempDir dir;
  std::string src = dir.file("src dir"), rec = dir.file("recode dir"), tmp = dir.file("tmp");
  std::map<std::string, std::string> keys;
};

TEST_F(RecodeCli, RecodesWhatThePlanSaysIntoPlainStereoAtTheNewBitRate) {
  const auto source = test::FolderState(src);
  const auto plan = Plan(src);
  const std::map<std::string, std::string> expected = {
      {"01 Mono 96 Ä.mp3", "recode"},      {"02 Stereo 128.mp3", "copy"},
      {"03 Joint 128 ß.mp3", "recode"},    {"04 Stereo 160 é.mp3", "recode"},
      {"05 Stereo 192 ñ ç.mp3", "recode"}, {"06 Kritisch 128.mp3", "recode"}};
  EXPECT_EQ(plan, expected);

  const test::CliOutcome run = Recode({"--jobs", "1"});
  ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
  EXPECT_EQ(test::FolderState(src), source);
  // Standard output is the memo; the log holds the same lines (in 1252).
  EXPECT_EQ(Stripped(platform::AnsiToUtf8(Log())), Stripped(run.out));
  EXPECT_EQ(platform::AnsiToUtf8(Log()).find('\n'), platform::AnsiToUtf8(Log()).find("\r\n") + 1);

  // The lines of every file, exactly, in the order of the folder.
  std::vector<std::string> lines = Stripped(run.out);
  std::vector<std::string> want;
  for (const auto& [name, decision] : expected) {
    TMPEGData data;
    ASSERT_EQ(ReadMPEGData(platform::Utf8ToAnsi(src + "/" + name).value(), data), 0);
    want.push_back("\"" + name + "\": " + platform::AnsiToUtf8(ShownEncoder(data.Encoder)) + ", " +
                   std::to_string(data.BitRate) + "kBit, " + std::string(ModeNames[data.Mode]));
    if (decision == "copy") {
      want.push_back(Shown(36));
    } else {
      want.insert(want.end(), {Shown(98), Shown(32) + " 128kBit", Shown(33)});
    }
  }
  want.push_back(Shown(37));
  EXPECT_EQ(lines, want);

  for (const auto& [name, decision] : expected) {
    const std::string out = platform::Utf8ToAnsi(rec + "/" + name).value();
    const std::string in = platform::Utf8ToAnsi(src + "/" + name).value();
    if (decision == "copy") {
      EXPECT_EQ(ReadFile(rec + "/" + name), ReadFile(src + "/" + name)) << name;
      continue;
    }
    TMPEGData data;
    ASSERT_EQ(ReadMPEGData(out, data), 0) << name;
    EXPECT_EQ(data.BitRate, 128) << name;
    EXPECT_EQ(data.Mode, 0) << name;
    EXPECT_EQ(data.SampleRate, 44100) << name;
    EXPECT_NEAR(data.Duration, 3, 1) << name;
    TID3Tag was, is;
    const bool tagged = ReadID3Tag(in, was);
    ASSERT_TRUE(ReadID3Tag(out, is)) << name;
    if (tagged) {
      EXPECT_EQ(is.Title, was.Title) << name;
      EXPECT_EQ(is.Artist, was.Artist) << name;
      EXPECT_EQ(is.Genre, 17) << name;
      // Written back in the code page it was read in.
      EXPECT_EQ(ReadFile(rec + "/" + name).substr(ReadFile(rec + "/" + name).size() - 128),
                ReadFile(src + "/" + name).substr(ReadFile(src + "/" + name).size() - 128));
    }
  }
  // The recoded files pass the pass's own rule: a second pass copies them.
  for (const auto& [name, decision] : Plan(rec)) EXPECT_EQ(decision, "copy") << name;
  // Nothing half-done is left beside them.
  EXPECT_EQ(test::FolderState(rec).size(), expected.size() + 1);
}

TEST_F(RecodeCli, TwoJobsWriteTheSameFilesAndLinesAsOne) {
  const test::CliOutcome one = Recode({"--jobs", "1"});
  ASSERT_EQ(one.exitCode, 0) << one.err;
  const auto filesOne = test::FolderState(rec, {"TOVIX.LOG"});
  fs::remove_all(rec);
  fs::create_directory(rec);
  const test::CliOutcome two = Recode({"--jobs", "2"});
  ASSERT_EQ(two.exitCode, 0) << two.err;
  EXPECT_EQ(Stripped(two.out), Stripped(one.out));
  EXPECT_EQ(test::FolderState(rec, {"TOVIX.LOG"}), filesOne);
}

TEST_F(RecodeCli, AFileThatIsNoMp3EndsThePassAndSaysWhy) {
  WriteFile(src + "/07 Kein MP3.mp3", std::string(20000, 'x'));
  const auto source = test::FolderState(src);
  const test::CliOutcome run = Recode({"--jobs", "1"});
  EXPECT_EQ(run.exitCode, 1);
  const std::vector<std::string> lines = Stripped(run.out);
  EXPECT_TRUE(Has(lines, Shown(35))) << run.out;
  EXPECT_TRUE(Has(lines,
                  " ! \"07 Kein MP3.mp3\": mpg123 konnte die Datei nicht dekodieren "
                  "(keine MP3-Datei?)"))
      << run.out;
  EXPECT_EQ(lines.back(), Shown(37));
  EXPECT_EQ(test::FolderState(src), source);
  EXPECT_FALSE(fs::exists(rec + "/07 Kein MP3.mp3"));
}

TEST_F(RecodeCli, WithoutLameNothingIsLostAndTheLogSaysSo) {
  // A PATH with mpg123 but without lame.
  const std::string bin = dir.file("bin");
  fs::create_directory(bin);
  fs::create_symlink("/usr/bin/mpg123", bin + "/mpg123");
  WriteFile(rec + "/03 Joint 128 ß.mp3", "an older recode");
  const auto source = test::FolderState(src);
  const test::CliOutcome run = Recode({"--jobs", "1"}, std::vector<std::string>{"PATH=" + bin});
  EXPECT_EQ(run.exitCode, 1);
  const std::vector<std::string> lines = Stripped(run.out);
  EXPECT_TRUE(Has(lines, " ! \"01 Mono 96 Ä.mp3\": lame ist nicht installiert")) << run.out;
  EXPECT_EQ(lines.back(), Shown(37));
  EXPECT_EQ(test::FolderState(src), source);
  // No half-written or temporary file, and the older recode is untouched.
  EXPECT_EQ(test::FolderState(rec, {"TOVIX.LOG"}),
            (std::map<std::string, std::string>{{"03 Joint 128 ß.mp3", "an older recode"}}));
}

TEST_F(RecodeCli, AFullDiskEndsThePassWithTheEndLineAndNothingLost) {
  keys["Recode"] = "0";
  const auto source = test::FolderState(src);
  // The copies may grow to 20 KiB only, as on a disk that is full.
  platform::ProcessSpec request;
  request.program = "/bin/sh";
  std::vector<std::string> args = Args({"recode", "--jobs", "1"});
  request.args = {"/bin/sh", "-c", "ulimit -f 20; trap '' XFSZ; exec \"$0\" \"$@\"",
                  test::ProgramDir() + "tovix-cli"};
  request.args.insert(request.args.end(), args.begin(), args.end());
  request.out = platform::StdStream::ToFile(dir.file("out"));
  request.err = platform::StdStream::ToFile(dir.file("err"));
  platform::Process child;
  ASSERT_TRUE(child.Start(request));
  ASSERT_TRUE(child.Wait(120000));
  EXPECT_EQ(child.exitCode(), 1);
  const std::vector<std::string> lines = Stripped(ReadFile(dir.file("out")));
  ASSERT_GE(lines.size(), 4u) << ReadFile(dir.file("err"));
  EXPECT_EQ(lines[2].rfind("\"01 Mono 96 Ä.mp3\": ", 0), 0u) << lines[2];
  EXPECT_EQ(lines[3], Shown(35));
  EXPECT_EQ(lines.back(), Shown(37));
  EXPECT_EQ(test::FolderState(src), source);
  EXPECT_EQ(test::FolderState(rec, {"TOVIX.LOG"}).size(), 0u);
}

TEST_F(RecodeCli, ThroughAWavFileDecodedByThePlayer) {
  keys["TmpWav"] = "1";
  keys["Bitrate"] = "1";
  const auto source = test::FolderState(src);
  const test::CliOutcome run = Recode({"--jobs", "2"});
  ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
  EXPECT_EQ(test::FolderState(src), source);
  const std::vector<std::string> lines = Stripped(run.out);
  const std::string wav = tmp + "/03 Joint 128 ß.wav";
  // The log names the encoder the scan reads: lame's own name, from its tag.
  TMPEGData scanned;
  ReadMPEGData(platform::Utf8ToAnsi(src + "/03 Joint 128 ß.mp3").value(), scanned);
  EXPECT_EQ(scanned.Encoder.rfind("LAME", 0), 0u) << scanned.Encoder;
  for (const std::string& line :
       {"\"03 Joint 128 ß.mp3\": " + scanned.Encoder + ", 128kBit, Joint-Stereo", Shown(52),
        "++ " + wav + " " + Shown(31), Shown(32) + " 192kBit"})
    EXPECT_TRUE(Has(lines, line)) << line << "\n" << run.out;
  // The WAV files are gone once their songs are done; every song is
  // recoded (new bit rate 192).
  EXPECT_TRUE(fs::is_empty(tmp));
  for (const auto& [name, bytes] : GeneratedSongs().files) {
    TMPEGData data;
    ASSERT_EQ(ReadMPEGData(platform::Utf8ToAnsi(rec + "/" + name).value(), data), 0) << name;
    EXPECT_EQ(data.BitRate, 192) << name;
    EXPECT_EQ(data.Mode, 0) << name;  // the mono song too
    EXPECT_EQ(data.SampleRate, 44100) << name;
    EXPECT_NEAR(data.Duration, 3, 1) << name;
  }
  TID3Tag tag;
  ASSERT_TRUE(ReadID3Tag(platform::Utf8ToAnsi(rec + "/01 Mono 96 Ä.mp3").value(), tag));
  EXPECT_EQ(tag.Title, "Mono");
}

TEST_F(RecodeCli, RecodingIntoTheSourceFolderIsRefused) {
  keys["WaveDir"] = src + "/";
  const auto source = test::FolderState(src);
  const test::CliOutcome run = Recode();
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, " " + Shown(180) + "\n");
  EXPECT_EQ(test::FolderState(src), source);
}

}  // namespace
}  // namespace tovix

namespace tovix {
namespace {

TEST_F(RecodeCli, ACancelDuringTheDecodeRemovesThePartialWaveFileAndLogsTheEndLine) {
  // A long song, so the decode is still running when the window looks.
  std::string longSong;
  for (int i = 0; i < 100; ++i) longSong += GeneratedSongs().files.at("02 Stereo 128.mp3");
  fs::remove_all(src);
  fs::create_directory(src);
  WriteFile(src + "/Lang.mp3", longSong);
  WriteFile(src + "/Zwei.mp3", GeneratedSongs().files.at("03 Joint 128 ß.mp3"));
  TMPEGPlayer player;
  player.SetPathToDLL(test::ProgramDir());
  player.InitLibrary();
  PlayerDecoder decoder(player);
  CancellingHost host;
  RecodeEnv env;
  env.player = &decoder;
  env.programDir = test::ProgramDir();
  env.sleep = [](int) {};
  RecodeOptions options;
  options.sourceDir = src;
  options.recodeDir = rec;
  options.tempDir = tmp;
  options.rule.targetBitrate = 192;
  const RecodeResult result = RecodePass(host, env).Run(options);
  EXPECT_TRUE(result.cancelled);
  EXPECT_EQ(host.memo,
            (std::vector<std::string>{"\"Lang.mp3\": Xing 2.20|Radium Codec, 128kBit, Stereo",
                                      LanguageString(98), LanguageString(52), LanguageString(34),
                                      LanguageString(37)}));
  // The partial wave file is gone; no batch ran; the player is back on the
  // sound card, with no wave file name left for the next Play.
  EXPECT_TRUE(fs::is_empty(tmp));
  EXPECT_EQ(test::FolderState(rec, {"TOVIX.LOG"}).size(), 0u);
  EXPECT_EQ(player.OutputDevice(), TOutputDevice::wavemapper);
  EXPECT_EQ(player.OutFilename(), "");
  EXPECT_FALSE(player.Opened());
}

}  // namespace
}  // namespace tovix
