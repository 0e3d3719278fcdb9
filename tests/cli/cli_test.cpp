// tovix-cli end to end: the real binary on generated folders, with the real
// tovix-cmd, mklogo and c2bin behind the BIN run and the CD batch pair.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "cli/clirunner.h"
#include "lang/buildstrings.h"
#include "lang/sprachen.h"
#include "platform/codepage.h"
#include "rename/mp3fixture.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

namespace fs = std::filesystem;
using test::CliOutcome;
using test::Lines;
using test::TempDir;

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// tovix-cli in English: the texts below are its English ones.
CliOutcome RunCli(std::vector<std::string> args, const std::string& workDir,
                  const std::optional<std::vector<std::string>>& env = std::nullopt) {
  args.insert(args.begin(), {"--set", "Sprache=1"});
  return test::RunCli(args, workDir, env);
}

// A language string as the binary prints it (UTF-8).
std::string Shown(int n) {
  return platform::AnsiToUtf8(LanguageString(n));
}

int CountWithExtension(const std::string& folder, const std::string& ext) {
  int count = 0;
  for (const auto& e : fs::directory_iterator(folder))
    if (e.is_regular_file() && e.path().extension() == ext) ++count;
  return count;
}

class Cli : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(ApplyLanguage(1, test::ProgramDir() + "tovix.lng"), LanguageResult::kOk);
  }
  void SetUp() override {
    fs::create_directory(music());
    fs::create_directory(bins());
  }
  std::string music() const { return root_.file("music"); }
  std::string bins() const { return root_.file("bins"); }
  std::string ini() const { return root_.file("tovix.ini"); }
  // Settings of the run: a private ini (the program folder's is never
  // touched), the two folders and the given overrides.
  CliOutcome Run(std::vector<std::string> args, const std::vector<std::string>& sets = {}) {
    std::vector<std::string> call = {
        "--ini", ini(), "--set", "mp3dir=" + music(), "--set", "bindir=" + bins()};
    for (const std::string& s : sets) call.insert(call.end(), {"--set", s});
    call.insert(call.end(), args.begin(), args.end());
    return RunCli(call, root_.path());
  }
  void PutSongs(int count) {
    const std::vector<std::pair<std::string, std::string>> tags = {{"Some Band", "First Song"},
                                                                   {"Other Band", "Second Song"},
                                                                   {"", ""},
                                                                   {"\xC4rzte", "Sch\xF6n"},
                                                                   {"Zebra", "Last One"}};
    for (int i = 0; i < count; ++i) {
      const auto& [artist, title] = tags[static_cast<std::size_t>(i) % tags.size()];
      test::PutFile(music(), "track0" + std::to_string(i + 1) + ".mp3",
                    test::Song(artist, title, static_cast<char>('a' + i)));
    }
  }
  TempDir root_;
};

TEST_F(Cli, BinsMakesOneBinPerSongAndKeepsThemUnlessReplacing) {
  PutSongs(5);
  CliOutcome r = Run({"bins"});
  ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
  EXPECT_EQ(CountWithExtension(bins(), ".BIN"), 5) << r.out << r.err;
  for (int i = 1; i <= 5; ++i) {
    const auto size = fs::file_size(bins() + "/TRACK0" + std::to_string(i) + ".BIN");
    EXPECT_GT(size, 0u);
    EXPECT_LE(size, 163840u);
  }
  // The page's memo: the summary, the level, the count.
  EXPECT_TRUE(Has(r.out, Shown(17))) << r.out;
  EXPECT_TRUE(Has(r.out, "(5 mp3)")) << r.out;
  EXPECT_TRUE(Has(r.out, Shown(38) + "2")) << r.out;
  EXPECT_TRUE(Has(r.out, "5 " + Shown(40))) << r.out;
  // No text files unless asked, and nothing left in the current folder.
  EXPECT_EQ(CountWithExtension(bins(), ".TXT"), 0);
  EXPECT_FALSE(fs::exists(root_.file("tmpbat.bat")));

  const auto before = test::FolderState(bins());
  r = Run({"bins"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(Has(r.out, "0 " + Shown(40))) << r.out;
  EXPECT_TRUE(test::FolderState(bins()) == before);

  r = Run({"bins"}, {"NewBins=1", "MakeTxt=1", "SaveJpg=1"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(Has(r.out, "5 " + Shown(40))) << r.out;
  EXPECT_TRUE(Has(r.out, Shown(39))) << r.out;
  EXPECT_EQ(CountWithExtension(bins(), ".TXT"), 5);
  EXPECT_EQ(CountWithExtension(bins(), ".JPG"), 5);
}

TEST_F(Cli, BinsReportsTheRunsErrorWithExitCodeOne) {
  PutSongs(1);
  // The euro sign is Windows-1252 but not code page 850: no batch line can
  // name the folder, and the calibration's error box says so.
  const std::string euro = root_.file("bins \xE2\x82\xAC");
  fs::create_directory(euro);
  CliOutcome r = Run({"bins"}, {"bindir=" + euro});
  EXPECT_EQ(r.exitCode, 1) << r.out << r.err;
  EXPECT_TRUE(Has(r.err, euro)) << r.err;
  EXPECT_TRUE(Has(r.out, "0 " + Shown(40))) << r.out;
  EXPECT_TRUE(fs::is_empty(euro));

  // A target that is a file is refused before anything runs.
  test::WriteFile(root_.file("notafolder"), "x");
  r = Run({"bins"}, {"bindir=" + root_.file("notafolder")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(Has(r.err, "is not a folder")) << r.err;
  EXPECT_TRUE(Has(r.err, "bindir")) << r.err;
}

TEST_F(Cli, TextsWritesOneFilePerSong) {
  PutSongs(3);
  CliOutcome r = Run({"texts"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(CountWithExtension(bins(), ".TXT"), 3);
  EXPECT_EQ(CountWithExtension(bins(), ".BIN"), 0);
  EXPECT_TRUE(Has(r.out, Shown(39)));
  // track03 has no tag: it is listed from its file name; track01 is marked.
  const std::vector<std::string> first = Lines(test::ReadFile(bins() + "/track01.TXT"));
  ASSERT_GE(first.size(), 6u);
  EXPECT_EQ(first[0], " ");
  EXPECT_EQ(first[3], "*Some Band");
  EXPECT_EQ(first[4], "* First Song");
}

TEST_F(Cli, RenamePlanEditApply) {
  PutSongs(4);  // the fourth has an artist with an umlaut
  const std::string plan = root_.file("plan.txt");
  CliOutcome r = Run({"rename", "--plan", plan}, {"SaveTag=0"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::string bytes = test::ReadFile(plan);
  // Windows-1252 with CR LF, as the page's list.
  EXPECT_TRUE(Has(bytes, "\"track01.mp3\"=\"Some Band - First Song.mp3\"\r\n")) << bytes;
  EXPECT_TRUE(Has(bytes, "\"track04.mp3\"=\"\xC4rzte - Sch\xF6n.mp3\"")) << bytes;
  EXPECT_FALSE(Has(bytes, "\xC3\x84"));
  // The memo shows the list, in UTF-8.
  EXPECT_TRUE(Has(r.out, "\"track04.mp3\"=\"\xC3\x84rzte - Sch\xC3\xB6n.mp3\"")) << r.out;

  // The user drops one line and changes another.
  std::string edited;
  for (const std::string& line : Lines(bytes)) {
    if (Has(line, "track03.mp3")) continue;
    edited +=
        (Has(line, "track02.mp3") ? std::string("\"track02.mp3\"=\"my own - name.mp3\"") : line) +
        "\r\n";
  }
  test::WriteFile(plan, edited);
  r = Run({"rename", "--apply", plan}, {"SaveTag=0"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(test::HasFile(music(), "Some Band - First Song.mp3"));
  EXPECT_TRUE(test::HasFile(music(), "My Own - Name.mp3"));  // NiceWords is on by default
  EXPECT_TRUE(test::HasFile(music(), "track03.mp3"));
  EXPECT_TRUE(test::HasFile(music(), "\xC4rzte - Sch\xF6n.mp3"));
  EXPECT_FALSE(test::HasFile(music(), "track01.mp3"));
  EXPECT_TRUE(
      Has(r.out, platform::AnsiToUtf8(BuildText(str::kRenameSummary, {"3", "0", "0", "0", ""}))))
      << r.out;

  // The same list again: its old names are gone, nothing is renamed.
  const auto before = test::FolderState(music());
  r = Run({"rename", "--apply", plan});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(Has(r.err, Shown(25) + " 1!")) << r.err;
  EXPECT_TRUE(Has(r.err, "nothing was renamed")) << r.err;
  EXPECT_TRUE(test::FolderState(music()) == before);
}

TEST_F(Cli, RenameThatWouldReplaceAFileStopsThere) {
  PutSongs(2);
  const std::string plan = root_.file("plan.txt");
  test::WriteFile(plan, "\"track01.mp3\"=\"same.mp3\"\r\n\"track02.mp3\"=\"same.mp3\"\r\n");
  const auto contents = test::Contents(music());
  CliOutcome r = Run({"rename", "--apply", plan}, {"NiceWords=0", "SaveTag=0"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(Has(r.err, Shown(26) + "\"track02.mp3\"=\"same.mp3\"" + Shown(27))) << r.err;
  EXPECT_TRUE(test::HasFile(music(), "same.mp3"));
  EXPECT_TRUE(test::HasFile(music(), "track02.mp3"));
  EXPECT_EQ(test::Contents(music()), contents);
}

// The renames of a plan take each song's picture files along; the undo list
// written beside the plan gives every name back, in both folders.
TEST_F(Cli, RenameApplyTakesCompanionsAlongAndItsUndoListBringsThemBack) {
  PutSongs(2);
  test::PutFile(bins(), "TRACK01.BIN", "picture 1");
  test::PutFile(bins(), "track01.txt", "text 1");
  const auto musicBefore = test::FolderState(music());
  const auto binsBefore = test::FolderState(bins());
  const std::string plan = root_.file("plan.txt");
  ASSERT_EQ(Run({"rename", "--plan", plan}).exitCode, 0);
  CliOutcome r = Run({"rename", "--apply", plan});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(test::GetFile(bins(), "SOME BAND - FIRST SONG.BIN"), "picture 1");
  EXPECT_EQ(test::GetFile(bins(), "Some Band - First Song.txt"), "text 1");
  EXPECT_TRUE(
      Has(r.out, platform::AnsiToUtf8(BuildText(str::kRenameSummary, {"2", "2", "2", "0", ""}))))
      << r.out;
  r = Run({"rename", "--apply", plan + ".undo"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const auto musicAfter = test::FolderState(music());
  EXPECT_EQ(musicAfter.size(), musicBefore.size());
  for (const auto& [name, bytes] : musicBefore) EXPECT_EQ(musicAfter.count(name), 1u) << name;
  EXPECT_TRUE(test::FolderState(bins()) == binsBefore);
}

TEST_F(Cli, CdBatchPairRunByTheInterpreterRestoresTheFolder) {
  PutSongs(5);
  test::PutFile(music(), "track01.bin", "picture 1");
  test::PutFile(music(), "Track02.TXT", "text 2");
  test::PutFile(music(), "\xC4pfel & Birnen 100%.mp3", test::Song("", "", 'q'));
  // Initials outside A-Z and 0-9 reach the CD too.
  for (const char* name : {"\xC9"
                           "cho.mp3",
                           "\xDFtart.mp3", "(intro).mp3", "[live] set.mp3"})
    test::PutFile(music(), name, test::Song("", "", 'h'));
  for (const bool subdirs : {true, false}) {
    SCOPED_TRACE(subdirs ? "with subfolders" : "without");
    const auto before = test::FolderState(music(), {"Short.bat", "Long.bat"});
    CliOutcome r = subdirs ? Run({"cdbatch"}, {"bindir=" + music()})
                           : Run({"cdbatch", "--no-subdirs"}, {"bindir=" + music()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Has(r.out, Shown(41) + " " + music())) << r.out;
    ASSERT_TRUE(fs::exists(music() + "/Short.bat"));
    ASSERT_TRUE(fs::exists(music() + "/Long.bat"));

    EXPECT_TRUE(
        Has(r.out, platform::AnsiToUtf8(BuildText(str::kCdBatchSummary, {"10", "0", "0", ""}))))
        << r.out;
    ASSERT_EQ(test::RunProgram("tovix-cmd", {"Short.bat"}, music()), 0);
    EXPECT_EQ(fs::exists(music() + "/T"), subdirs);
    EXPECT_EQ(fs::exists(music() + "/_"), subdirs);
    for (const auto& [name, bytes] : test::FolderState(music()))
      EXPECT_FALSE(subdirs && name.find('/') == std::string::npos && Has(name, ".mp3"))
          << name << " stayed";
    ASSERT_EQ(test::RunProgram("tovix-cmd", {"Long.bat"}, music()), 0);
    EXPECT_TRUE(test::FolderState(music(), {"Short.bat", "Long.bat"}) == before);
    EXPECT_FALSE(fs::exists(music() + "/T"));
  }
}

TEST_F(Cli, DiscCheckFailsOnWhatKeepsTheDiscFromWorkingAndWritesNoImage) {
  PutSongs(2);
  test::PutFile(music(), "track01.BIN", std::string(163841, 'b'));
  const std::string iso = root_.file("cd.iso");
  CliOutcome r = Run({"disc", "--check"}, {"bindir=" + music()});
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_TRUE(Has(r.out, Shown(174) + " track01.BIN : 163841 > 163840")) << r.out;
  EXPECT_TRUE(Has(r.out, Shown(178) + " track02.mp3")) << r.out;
  r = Run({"disc", iso}, {"bindir=" + music()});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_FALSE(fs::exists(iso));

  test::PutFile(music(), "track01.BIN", "a picture");
  r = Run({"disc", "--check", "--size", "650"}, {"bindir=" + music(), "DiscFiles=2"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(Has(r.out, Shown(173) + " 3 > 2")) << r.out;
  r = Run({"disc", iso}, {"bindir=" + music()});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(Has(r.out, Shown(197) + " " + iso)) << r.out;
  EXPECT_GT(fs::file_size(iso), 32u * 2048u);
  // Bad calls: neither --check nor an image, a size no medium has.
  EXPECT_EQ(Run({"disc"}).exitCode, 2);
  EXPECT_EQ(Run({"disc", "--check", "--size", "600"}).exitCode, 2);
}

// Width and height from a PNG's header.
std::pair<int, int> PngSize(const std::string& path) {
  const std::string head = test::ReadFile(path).substr(0, 24);
  auto word = [&](std::size_t at) {
    int value = 0;
    for (std::size_t i = at; i < at + 4; ++i)
      value = value << 8 | static_cast<unsigned char>(head[i]);
    return value;
  };
  return {word(16), word(20)};
}

// One picture of every song was 1984 x 110256 pixels for 623 songs, more
// than viewers open: pages of at most 48 pictures (16 rows of 3).
TEST_F(Cli, SheetWritesPagesOfAtMost48Pictures) {
  for (int i = 0; i < 97; ++i)
    test::PutFile(music(), "song" + std::to_string(100 + i) + ".mp3", test::Song("", ""));
  const CliOutcome r = Run({"sheet", root_.file("tv.png")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::pair<const char*, std::pair<int, int>> pages[] = {
      {"tv.png", {16 + 3 * 656, 16 + 16 * 530}},
      {"tv-2.png", {16 + 3 * 656, 16 + 16 * 530}},
      {"tv-3.png", {16 + 656, 16 + 530}},
  };
  for (const auto& [name, size] : pages) {
    ASSERT_TRUE(fs::exists(root_.file(name))) << name << "\n" << r.out;
    EXPECT_EQ(PngSize(root_.file(name)), size) << name;
  }
  EXPECT_FALSE(fs::exists(root_.file("tv-4.png")));
  EXPECT_TRUE(Has(r.out, "97 songs without a .BIN")) << r.out;
}

// Names Windows-1252 cannot hold reach the terminal as they are (they came
// out as "ä¸­æ–‡.mp3"); only what could upset the terminal becomes '?'.
TEST_F(Cli, DiscCheckPrintsEveryNameAsItStands) {
  const std::pair<std::string, std::string> names[] = {
      {"\xE4\xB8\xAD\xE6\x96\x87.mp3", "\xE4\xB8\xAD\xE6\x96\x87.mp3"},  // 中文
      {"Caf\xC3\xA9 \xE2\x98\x95.mp3", "Caf\xC3\xA9 \xE2\x98\x95.mp3"},  // Café ☕
      {"tab\there.mp3", "tab?here.mp3"},
      {"rtl\xE2\x80\xAEpm.exe.mp3", "rtl?pm.exe.mp3"},  // a right-to-left override
      {"latin1 \xE9.mp3", "latin1 ?.mp3"},              // no UTF-8
  };
  for (const auto& [name, shown] : names) test::WriteFile(music() + "/" + name, test::Song("", ""));
  for (const char* layout : {"--check", "--as-is"}) {
    std::vector<std::string> call = {"disc", "--check"};
    if (std::string(layout) == "--as-is") call.push_back(layout);
    const CliOutcome r = Run(call, {"bindir=" + music()});
    for (const auto& [name, shown] : names)
      EXPECT_TRUE(Has(r.out, shown + "\n")) << layout << ": " << shown << " in\n" << r.out;
    EXPECT_FALSE(Has(r.out, "\xC3\xA4\xC2\xB8")) << r.out;  // "ä¸", the double-encoded form
  }
}

TEST_F(Cli, BadCallsAndMissingFoldersSayWhatIsWrong) {
  CliOutcome r = RunCli({"--ini", ini(), "burn"}, root_.path());
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_TRUE(Has(r.err, "unknown command \"burn\"")) << r.err;
  EXPECT_TRUE(Has(r.err, "Usage: tovix-cli")) << r.err;
  // The complaint already speaks the language the run would read, quotes and all.
  r = test::RunCli({"--ini", ini(), "--set", "Sprache= \"1\" ", "burn"}, root_.path());
  EXPECT_TRUE(Has(r.err, "unknown command \"burn\"")) << r.err;

  r = RunCli({"--ini", ini(), "picture", "only-one.mp3"}, root_.path());
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_TRUE(Has(r.err, "Usage: tovix-cli picture MP3 OUT.BMP")) << r.err;

  r = Run({"texts"}, {"mp3dir=" + root_.file("no-such-folder")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(Has(r.err, "\"" + root_.file("no-such-folder") + "\" does not exist")) << r.err;
  EXPECT_TRUE(Has(r.err, "mp3dir")) << r.err;
  EXPECT_EQ(CountWithExtension(bins(), ".TXT"), 0);

  for (const char* command : {"bins", "cdbatch"}) {
    r = Run({command}, {"mp3dir=" + root_.file("no-such-folder")});
    EXPECT_EQ(r.exitCode, 1) << command;
    EXPECT_TRUE(Has(r.err, "does not exist")) << command << ": " << r.err;
  }

  r = Run({"scan", music() + "/missing.mp3"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(Has(r.err, "missing.mp3")) << r.err;
}

TEST_F(Cli, SetOverridesForOneRunAndSaveWritesBack) {
  const std::string stored = "[Tovix]\r\nmp3dir=" + root_.file("elsewhere") + "\r\nScale=1\r\n";
  test::WriteFile(ini(), stored);
  PutSongs(2);
  CliOutcome r =
      RunCli({"--ini", ini(), "--set", "mp3dir=" + music(), "--set", "BINDIR=" + bins(), "texts"},
             root_.path());
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(CountWithExtension(bins(), ".TXT"), 2);
  EXPECT_EQ(test::ReadFile(ini()), stored);

  // An unknown key is a bad call, and nothing is written.
  r = RunCli({"--ini", ini(), "--set", "colour=red", "--save"}, root_.path());
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_TRUE(Has(r.err, "\"colour\" is not a key")) << r.err;
  EXPECT_EQ(test::ReadFile(ini()), stored);

  r = RunCli({"--ini", ini(), "--set", "mp3dir=" + music(), "--set", "Overscan=0x28", "--save"},
             root_.path());
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::string saved = test::ReadFile(ini());
  const auto lines = Lines(saved);
  EXPECT_NE(std::find(lines.begin(), lines.end(), "mp3dir=" + music()), lines.end()) << saved;
  EXPECT_TRUE(Has(saved, "Overscan=40")) << saved;  // read by its rule, written in decimal
  EXPECT_TRUE(Has(saved, "Scale=1")) << saved;      // kept
  EXPECT_TRUE(Has(saved, "Sprache=1")) << saved;    // every key is written
}

TEST_F(Cli, PictureIsRenderedWithoutADisplay) {
  PutSongs(1);
  test::WriteFile(ini(), "[Tovix]\r\n");
  // No display and no platform chosen: tovix-cli renders off-screen by itself.
  std::vector<std::string> env;
  for (const char* name : {"PATH", "HOME", "TMPDIR", "LSAN_OPTIONS"})
    if (const char* value = std::getenv(name)) env.push_back(std::string(name) + "=" + value);
  const std::string bmp = root_.file("song.bmp");
  const std::string jpg = root_.file("song.jpg");
  CliOutcome r = RunCli({"--ini", ini(), "picture", music() + "/track01.mp3", bmp, "--jpeg", jpg},
                        root_.path(), env);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(fs::file_size(bmp), 1013814u);
  EXPECT_EQ(test::ReadFile(bmp).substr(0, 2), "BM");
  // Without a background of the user's the pages' light one shows, so the
  // default black texts can be read (not a black picture).
  const std::string pixels = test::ReadFile(bmp).substr(54);
  const auto light = std::count_if(pixels.begin(), pixels.end(),
                                   [](char c) { return static_cast<unsigned char>(c) > 200; });
  EXPECT_GT(light, static_cast<std::ptrdiff_t>(pixels.size() / 2));
  EXPECT_EQ(test::ReadFile(jpg).substr(0, 2), "\xFF\xD8");
  EXPECT_TRUE(r.err.empty()) << r.err;

  r = RunCli({"--ini", ini(), "picture", music() + "/nothing.mp3", bmp}, root_.path());
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(Has(r.err, "nothing.mp3\" does not exist")) << r.err;
}

TEST_F(Cli, PictureCommandsWithoutTheirModuleFailClearlyAndTheOthersStillRun) {
  PutSongs(1);
  // The module missing, and a file under its name that is no library.
  for (const char* module : {"", "not a library\n"}) {
    TempDir program;
    ASSERT_TRUE(test::MirrorProgramFiles(program.path(), {"tovix-cli", "tovix.lng"}));
    if (*module) test::WriteFile(program.file("libtovix-cli-pictures.so"), module);
    const std::string bmp = root_.file("song.bmp");
    for (const std::vector<std::string>& call :
         std::vector<std::vector<std::string>>{{"picture", music() + "/track01.mp3", bmp},
                                               {"bins"},
                                               {"sheet", root_.file("sheet.png")},
                                               {"demo", root_.file("demo")}}) {
      std::vector<std::string> args = {"--set", "Sprache=1"};
      args.insert(args.end(), call.begin(), call.end());
      const CliOutcome r = test::RunCliFrom(program.path() + "/", args, root_.path());
      EXPECT_EQ(r.exitCode, 1) << call[0];
      EXPECT_TRUE(Has(r.err, call[0] + " needs the library " +
                                 program.file("libtovix-cli-pictures.so") +
                                 ", which cannot be loaded: "))
          << r.err;
    }
    EXPECT_FALSE(fs::exists(bmp));
    CliOutcome r = test::RunCliFrom(program.path() + "/", {"--set", "Sprache=1", "scan", music()},
                                    root_.path());
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Has(r.out, "track01.mp3")) << r.out;
  }
}

TEST_F(Cli, TheLanguageFileIsReadAsTheProgramReadsIt) {
  // The current folder's tovix.lng wins over the program folder's.
  test::WriteFile(root_.file("tovix.lng"), "[Strings]\r\n0001=x\r\n");
  CliOutcome r = Run({"texts"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(Has(r.err, "Stringlist not found: ABORTING")) << r.err;

  fs::remove(root_.file("tovix.lng"));
  r = Run({"texts"}, {"Sprache=7"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(Has(r.err, "Error in languagefile: ABORTING")) << r.err;
}

TEST_F(Cli, HelpOfEachCommand) {
  for (const char* command :
       {"scan", "picture", "bins", "texts", "rename", "cdbatch", "sheet", "disc", "demo"}) {
    CliOutcome r = RunCli({command, "--help"}, root_.path());
    EXPECT_EQ(r.exitCode, 0) << command;
    EXPECT_TRUE(Has(r.out, std::string("Usage: tovix-cli ") + command)) << r.out;
  }
  CliOutcome r = RunCli({"rename", "--help"}, root_.path());
  EXPECT_TRUE(Has(r.out, "Windows-1252")) << r.out;
  r = RunCli({"--help"}, root_.path());
  EXPECT_TRUE(Has(r.out, "tovix.lng in the current")) << r.out;
}

TEST_F(Cli, ScanPrintsTheTable) {
  PutSongs(3);
  CliOutcome r = Run({"scan", music()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 4u) << r.out;
  EXPECT_TRUE(Has(lines[1], "track01.mp3")) << lines[1];
  EXPECT_TRUE(Has(lines[1], "Some Band")) << lines[1];
}

TEST_F(Cli, DemoMakesTheWholeJob) {
  const std::string dir = root_.file("demo cd");
  CliOutcome r = RunCli({"demo", dir}, root_.path());
  ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
  const int songs = CountWithExtension(dir, ".mp3");
  EXPECT_GE(songs, 4);
  EXPECT_EQ(CountWithExtension(dir, ".BIN"), songs);
  EXPECT_EQ(CountWithExtension(dir, ".TXT"), songs);
  EXPECT_TRUE(fs::exists(dir + "/Short.bat"));
  EXPECT_TRUE(fs::exists(dir + "/Long.bat"));
  EXPECT_EQ(CountWithExtension(dir, ".jpg") + CountWithExtension(dir, ".bmp"), 1);
  EXPECT_TRUE(Has(r.out, "ready in " + dir)) << r.out;
  // It ends with the TV sheet and the CD image, and says where they are.
  EXPECT_GT(fs::file_size(dir + "/tv-sheet.png"), 1000u);
  EXPECT_GT(fs::file_size(dir + "/tovix-demo.iso"), 32u * 2048u);
  EXPECT_TRUE(Has(r.out, dir + "/tovix-demo.iso")) << r.out;
  // Real encoded songs, some with a tag and some without.
  CliOutcome scan = RunCli({"scan", dir}, root_.path());
  ASSERT_EQ(scan.exitCode, 0);
  EXPECT_TRUE(Has(scan.out, "Die Wellen")) << scan.out;
  EXPECT_TRUE(Has(scan.out, "\t-1\t") || Has(scan.out, "\t-1")) << scan.out;

  // A folder that holds files is never filled.
  const auto before = test::FolderState(dir);
  r = RunCli({"demo", dir}, root_.path());
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(Has(r.err, "not empty")) << r.err;
  EXPECT_TRUE(test::FolderState(dir) == before);
}

}  // namespace
}  // namespace tovix
