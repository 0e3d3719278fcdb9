// A real collection end to end through tovix-cli and tovix-cmd: tags in
// Windows-1252 and in code page 850, ID3v2 only, cover art, names that
// differ only in case, a backslash in a name, a line feed in a tag. The
// rename list, the BIN run with its info texts and the CD batch pair must
// give right names, right tags and right running times, and change no
// file's content beyond the tag fields they were asked to write.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>

#include "cli/clirunner.h"
#include "mp3/mp3builder.h"
#include "mp3/mpegfile.h"
#include "mp3/songtag.h"
#include "picture/picturename.h"
#include "platform/codepage.h"
#include "platform/filesys.h"
#include "rename/mp3fixture.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

namespace fs = std::filesystem;

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// The audio of a file: its bytes without an ID3v1 tag at the end.
std::string Audio(const std::string& bytes) {
  if (bytes.size() >= 128 && bytes.compare(bytes.size() - 128, 3, "TAG") == 0)
    return bytes.substr(0, bytes.size() - 128);
  return bytes;
}

// ID3v1 tag bytes other than title and artist (album, year, comment, genre).
std::string OtherTagBytes(const std::string& bytes) {
  if (Audio(bytes).size() == bytes.size()) return "";
  return bytes.substr(bytes.size() - 128 + 63);
}

struct Planned {
  const char* name;    // Windows-1252
  const char* artist;  // raw ID3v1 bytes
  const char* title;
  const char* renamed;  // Windows-1252 name after the rename list
};

// Written as taggers write them: 1252 by today's, 850 by DOS-era ones.
constexpr Planned kTagged[] = {
    {"t01.mp3", "Die \xC4rzte",
     "Gr\xFC\xDF"
     "e aus K\xF6ln",
     "Die \xC4rzte - Gr\xFC\xDF"
     "e aus K\xF6ln.mp3"},
    {"t02.mp3", "Bj\xF6rk", "J\xF3ga", "Bj\xF6rk - J\xF3ga.mp3"},
    {"t03.mp3", "Sigur R\xF3s", "Gar\xE7on", "Sigur R\xF3s - Gar\xE7on.mp3"},
    {"t04.mp3", "Mot\xF6rhead", "Caf\xE9 del Mar", "Mot\xF6rhead - Caf\xE9 del Mar.mp3"},
    {"t05.mp3", "M\x81ller",
     "Sch\x94n Stra\xE1"
     "e",
     "M\xFCller - Sch\xF6n Stra\xDF"
     "e.mp3"},
    {"t06.mp3", "\x99l", "\x8Erzte", "\xD6l - \xC4rzte.mp3"},
    {"t07.mp3", "Line\nFeed", "Split", "Line Feed - Split.mp3"},
    {"t08.mp3", "Queen", "Don\x92t Stop", "Queen - Don't Stop.mp3"},
    // A case pair that keeps its names: the later one is left out everywhere.
    {"Band - Song.mp3", "Band", "Song", "Band - Song.mp3"},
    {"band - song.mp3", "Band", "Song", "band - song.mp3"},
};

class Collection : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { setenv("LC_ALL", "C.UTF-8", 1); }
  void SetUp() override {
    fs::create_directory(music());
    char seed = 'a';
    for (const Planned& p : kTagged)
      test::PutFile(music(), p.name, test::Mp3Frames(seed++) + test::Id3v1Raw(p.artist, p.title));
    // lame: a Latin-1 ID3v1 tag and a 300 KB cover picture in the ID3v2 tag.
    test::WriteFile(root_.file("cover.jpg"),
                    std::string("\xFF\xD8\xFF\xE0", 4) + std::string(300000, '\0') + "\xFF\xD9");
    const std::string wav = test::ToneWav(44100, 2, 2.0);
    test::PutFile(
        music(), "cover.mp3",
        test::EncodeWithLame(wav,
                             "-b 128 --ta 'No\xC3\xABl' --tt 'H\xC3\xA9l\xC3\xA8ne' --ti '" +
                                 root_.file("cover.jpg") + "'",
                             root_.path()));
    // Only an ID3v2 tag, as bought files carry.
    test::PutFile(music(), "v2only.mp3",
                  test::EncodeWithLame(
                      wav, "-b 128 --id3v2-only --id3v2-utf16 --ta 'Beyonc\xC3\xA9' --tt 'Halo'",
                      root_.path()));
    // A backslash that the interpreter would take for a separator.
    test::WriteFile(music() + "/sub\\..\\..\\victim.mp3", test::Mp3Frames('v'));
  }
  std::string music() const { return root_.file("music"); }
  test::CliOutcome Run(std::vector<std::string> args) {
    std::vector<std::string> call = {"--ini", root_.file("tovix.ini"),
                                     "--set", "mp3dir=" + music(),
                                     "--set", "bindir=" + music(),
                                     "--set", "NiceWords=0",
                                     "--set", "NewBins=0",
                                     "--set", "MakeTxt=1"};
    call.insert(call.end(), args.begin(), args.end());
    return test::RunCli(call, root_.path());
  }
  std::string Get(const std::string& name) const { return test::GetFile(music(), name); }
  test::TempDir root_;
};

TEST_F(Collection, RenameBinsTextsAndTheBatchPairKeepEverythingRight) {
  ASSERT_FALSE(test::ProgramDir().empty()) << "run through ctest";
  const auto original = test::FolderState(music());

  // The plan changes no file.
  const std::string plan = root_.file("plan.txt");
  test::CliOutcome r = Run({"rename", "--plan", plan});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(test::FolderState(music()) == original);
  const std::string list = test::ReadFile(plan);
  EXPECT_TRUE(Has(list, "\"cover.mp3\"=\"No\xEBl - H\xE9l\xE8ne.mp3\"")) << list;
  EXPECT_TRUE(Has(list, "\"v2only.mp3\"=\"Beyonc\xE9 - Halo.mp3\"")) << list;
  EXPECT_TRUE(Has(list, "band - song.mp3 ergibt denselben Namen wie Band - Song.mp3")) << list;
  EXPECT_TRUE(Has(list, "victim.mp3")) << list;

  r = Run({"rename", "--apply", plan});
  ASSERT_EQ(r.exitCode, 0) << r.err << r.out;
  for (const Planned& p : kTagged) EXPECT_TRUE(test::HasFile(music(), p.renamed)) << p.renamed;
  EXPECT_TRUE(test::HasFile(music(), "No\xEBl - H\xE9l\xE8ne.mp3"));
  EXPECT_TRUE(test::HasFile(music(), "Beyonc\xE9 - Halo.mp3"));
  EXPECT_TRUE(fs::exists(music() + "/sub\\..\\..\\victim.mp3"));

  // Tags: right texts, each still in the code page it was read in.
  TID3Tag tag;
  ASSERT_TRUE(ReadID3Tag(music() + "/Die \xC4rzte - Gr\xFC\xDF"
                                   "e aus K\xF6ln.mp3",
                         tag));
  EXPECT_EQ(tag.CodePage, 1252);
  EXPECT_TRUE(Has(tag.RawTag, "Die \xC4rzte"));
  ASSERT_TRUE(ReadID3Tag(music() + "/M\xFCller - Sch\xF6n Stra\xDF"
                                   "e.mp3",
                         tag));
  EXPECT_EQ(tag.CodePage, 850);
  EXPECT_EQ(tag.Title,
            "Sch\xF6n Stra\xDF"
            "e");
  ASSERT_TRUE(ReadID3Tag(music() + "/Line Feed - Split.mp3", tag));
  EXPECT_EQ(tag.Artist, "Line Feed");
  ASSERT_TRUE(ReadID3Tag(music() + "/Beyonc\xE9 - Halo.mp3", tag));
  EXPECT_EQ(tag.Artist, "Beyonc\xE9");

  // Running time: the music, not the cover picture.
  TMPEGData data;
  ASSERT_EQ(ReadMPEGData(music() + "/No\xEBl - H\xE9l\xE8ne.mp3", data), 0);
  EXPECT_EQ(data.Duration, 2);

  // The BIN run with its info texts: each .BIN named like its song.
  r = Run({"bins"});
  EXPECT_EQ(r.exitCode, 0) << r.err << r.out;
  EXPECT_TRUE(Has(r.out, "band - song.mp3 ergibt denselben Namen wie Band - Song.mp3")) << r.out;
  std::set<std::string> songs;
  for (const auto& e : fs::directory_iterator(music()))
    if (e.path().extension() == ".mp3") songs.insert(e.path().filename().string());
  for (const std::string& native : songs) {
    const auto name = platform::FromNative(native);
    if (!name || Has(*name, "\\") || *name == "band - song.mp3") continue;
    const std::string bin = platform::OemToAnsi(PictureBaseName(*name)) + ".BIN";
    EXPECT_TRUE(test::HasFile(music(), bin)) << bin;
  }
  EXPECT_TRUE(test::HasFile(music(), "NO\xEBL - H\xE9L\xE8NE.BIN"));
  EXPECT_FALSE(fs::exists(root_.file("victim.BIN")));
  EXPECT_FALSE(fs::exists(root_.path() + "/../VICTIM.BIN"));
  EXPECT_TRUE(Has(Get("Line Feed - Split.TXT"), "*Line Feed\r\n* Split\r\n"));
  EXPECT_TRUE(Has(Get("No\xEBl - H\xE9l\xE8ne.TXT"), "*No\xEBl\r\n* Helene\r\n"));

  // Contents: the audio of every song as before; besides title and artist
  // the tags hold what they held.
  std::multiset<std::string> before, after;
  std::map<std::string, std::string> otherBytes;
  for (const auto& [path, bytes] : original) {
    before.insert(Audio(bytes));
    otherBytes[Audio(bytes)] = OtherTagBytes(bytes);
  }
  for (const auto& [path, bytes] : test::FolderState(music())) {
    if (fs::path(path).extension() != ".mp3") continue;
    after.insert(Audio(bytes));
    if (!otherBytes[Audio(bytes)].empty()) {
      EXPECT_EQ(OtherTagBytes(bytes), otherBytes[Audio(bytes)]) << path;
    }
  }
  EXPECT_EQ(after, before);

  // The batch pair through the interpreter: there and back unchanged, and
  // each song beside its picture under one short name in between.
  r = Run({"cdbatch"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const auto beforePair = test::FolderState(music(), {"Short.bat", "Long.bat"});
  ASSERT_EQ(test::RunProgram("tovix-cmd", {"Short.bat"}, music()), 0);
  // The case pair stays: the interpreter would take both for one file.
  EXPECT_TRUE(fs::exists(music() + "/band - song.mp3"));
  EXPECT_TRUE(fs::exists(music() + "/Band - Song.mp3"));
  int pairs = 0;
  for (const auto& e : fs::recursive_directory_iterator(music())) {
    if (e.path().extension() != ".mp3" || e.path().parent_path() == fs::path(music())) continue;
    fs::path bin = e.path();
    bin.replace_extension(".BIN");
    EXPECT_TRUE(fs::exists(bin)) << bin;
    ++pairs;
  }
  EXPECT_EQ(pairs, 10);
  ASSERT_EQ(test::RunProgram("tovix-cmd", {"Long.bat"}, music()), 0);
  const auto afterPair = test::FolderState(music(), {"Short.bat", "Long.bat"});
  for (const auto& [path, bytes] : beforePair)
    EXPECT_TRUE(afterPair.count(path) && afterPair.at(path) == bytes) << path << " is gone";
  for (const auto& [path, bytes] : afterPair)
    EXPECT_TRUE(beforePair.count(path)) << path << " is new";
}

}  // namespace
}  // namespace tovix
