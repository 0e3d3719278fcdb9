#include "rename/cdbatches.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
#include <set>

#include "platform/codepage.h"
#include "platform/filesys.h"
#include "platform/ioerror.h"
#include "rename/mp3fixture.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

using test::GetFile;
using test::HasFile;
using test::PutFile;
using Lines = std::vector<std::string>;

TEST(CdShortName, CleansAndCutsAtTheHyphen) {
  EXPECT_EQ(CdShortName("Some Band - First Song.mp3"), "SOMEBAND");
  EXPECT_EQ(CdShortName("Yesterday.mp3"), "YESTERDAY_MP3");
  EXPECT_EQ(CdShortName("Rock 'n' Roll & More.mp3"), "ROCKNROLL_MORE_MP3");
  EXPECT_EQ(CdShortName("\x8Erger.mp3"), "_RGER_MP3");
  EXPECT_EQ(CdShortName("-lead.mp3"), "");
  EXPECT_EQ(CdShortName(""), "");
}

// The lines of a batch file; checks the CR LF ends and the time stamp line.
Lines BatchLines(const std::string& folder, const std::string& name, const std::string& kind) {
  const std::string text = GetFile(folder, name);
  Lines lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    EXPECT_NE(end, std::string::npos) << name << " does not end in CR LF";
    if (end == std::string::npos) break;
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  if (lines.size() >= 2) {
    EXPECT_TRUE(std::regex_match(lines[1], std::regex("rem batchfile " + kind +
                                                      " erzeugt am \\d\\d\\.\\d\\d\\.\\d{4} "
                                                      "\\d\\d:\\d\\d:\\d\\d")))
        << lines[1];
    lines[1] = "<stamp>";
  }
  return lines;
}

class CdBatchesTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  Lines shortBat, longBat;
  int Make(bool subDirs, const std::string& binDir = "") {
    const int n = CreateCdBatches(dir.path(), binDir.empty() ? dir.path() : binDir, subDirs);
    shortBat = BatchLines(dir.path(), "Short.bat", "SHORT");
    longBat = BatchLines(dir.path(), "Long.bat", "LONG");
    return n;
  }
  void Put(const std::string& name) { PutFile(dir.path(), name, name); }
};

const std::string kShortHead = "rem SHORT erzeugt Unterverzeichnisse";
// Code page 850, as the rest of the batch: \x94 is its o umlaut.
const std::string kLongHead = "rem LONG erwartet & l\x94scht Unterverzeichnisse";
const std::string kEnd = "Echo [ Fertig ]";

TEST_F(CdBatchesTest, EmptyFolderGivesHeadsAndEnd) {
  EXPECT_EQ(Make(true), 0);
  EXPECT_EQ(shortBat, (Lines{"@echo off", "<stamp>", kShortHead, kEnd}));
  EXPECT_EQ(longBat, (Lines{"@echo off", "<stamp>", kLongHead, kEnd}));
  Make(false);
  EXPECT_EQ(shortBat,
            (Lines{"@echo off", "<stamp>", "rem SHORT erzeugt KEINE Unterverzeichnisse", kEnd}));
  EXPECT_EQ(longBat,
            (Lines{"@echo off", "<stamp>", "rem LONG erwartet KEINE Unterverzeichnisse", kEnd}));
}

TEST_F(CdBatchesTest, FirstFileOfRoundWithCompanion) {
  Put("Some Band - First Song.mp3");
  Put("Some Band - First Song.bin");
  EXPECT_EQ(Make(true), 1);
  EXPECT_EQ(shortBat, (Lines{"@echo off", "<stamp>", kShortHead, "MD S",
                             "move \"Some Band - First Song.mp3\" S\\01SOMEB.mp3",
                             "move \"Some Band - First Song.bin\" S\\01SOMEB.bin", kEnd}));
  EXPECT_EQ(longBat, (Lines{"@echo off", "<stamp>", kLongHead,
                            "move S\\01SOMEB.mp3 \"Some Band - First Song.mp3\" ",
                            "move S\\01SOMEB.bin \"Some Band - First Song.bin\" ", "RD S", kEnd}));
}

TEST_F(CdBatchesTest, DigitRoundsShareOneDirectoryAndRestartNumbers) {
  Put("7 Tracks.mp3");
  Put("1 Track.mp3");
  Put("b.mp3");
  Put("a.mp3");
  Put("A2.mp3");
  EXPECT_EQ(Make(true), 5);
  EXPECT_EQ(shortBat, (Lines{"@echo off", "<stamp>", kShortHead, "MD 0-9",
                             "move \"1 Track.mp3\" 0-9\\011TRAC.mp3", "MD 0-9",
                             "move \"7 Tracks.mp3\" 0-9\\017TRAC.mp3", "MD A",
                             "move \"a.mp3\" A\\01A_MP3.mp3", "move \"A2.mp3\" A\\02A2_MP.mp3",
                             "MD B", "move \"b.mp3\" B\\01B_MP3.mp3", kEnd}));
  EXPECT_EQ(longBat,
            (Lines{"@echo off", "<stamp>", kLongHead, "move 0-9\\011TRAC.mp3 \"1 Track.mp3\" ",
                   "RD 0-9", "move 0-9\\017TRAC.mp3 \"7 Tracks.mp3\" ", "RD 0-9",
                   "move A\\01A_MP3.mp3 \"a.mp3\" ", "move A\\02A2_MP.mp3 \"A2.mp3\" ", "RD A",
                   "move B\\01B_MP3.mp3 \"b.mp3\" ", "RD B", kEnd}));
}

TEST_F(CdBatchesTest, WithoutSubdirectoriesNumbersRunOn) {
  Put("1 Track.mp3");
  Put("a.mp3");
  Put("b.mp3");
  EXPECT_EQ(Make(false), 3);
  EXPECT_EQ(shortBat, (Lines{"@echo off", "<stamp>", "rem SHORT erzeugt KEINE Unterverzeichnisse",
                             "move \"1 Track.mp3\" .\\011TRAC.mp3", "move \"a.mp3\" .\\02A_MP3.mp3",
                             "move \"b.mp3\" .\\03B_MP3.mp3", kEnd}));
  EXPECT_EQ(longBat[3], "move .\\011TRAC.mp3 \"1 Track.mp3\" ");
  EXPECT_EQ(longBat.size(), 7u);
}

TEST_F(CdBatchesTest, NumbersPassNinetyNine) {
  for (int i = 0; i < 101; ++i) Put("Song " + std::to_string(1000 + i) + ".mp3");
  EXPECT_EQ(Make(true), 101);
  ASSERT_EQ(shortBat.size(), 3u + 1u + 101u + 1u);
  EXPECT_EQ(shortBat[4 + 98], "move \"Song 1098.mp3\" S\\99SONG1.mp3");
  EXPECT_EQ(shortBat[4 + 99], "move \"Song 1099.mp3\" S\\100SONG1.mp3");
  EXPECT_EQ(shortBat[4 + 100], "move \"Song 1100.mp3\" S\\101SONG1.mp3");
}

// Every song reaches the CD: an accented initial goes with its base letter,
// any other initial to the folder "_"; the summary counts them all.
TEST_F(CdBatchesTest, EveryInitialFindsItsFolder) {
  const std::map<std::string, std::string> folderOf = {{"\xC9"
                                                        "cho.mp3",
                                                        "E"},
                                                       {"\xE9"
                                                        "cole.mp3",
                                                        "E"},
                                                       {"\xC8lan.mp3", "E"},
                                                       {"\xE7"
                                                        "a va.mp3",
                                                        "C"},
                                                       {"\xF1u.mp3", "N"},
                                                       {"\xDFtart.mp3", "S"},
                                                       {"\xE4pfel.mp3", "\x8E"},
                                                       {"_under.mp3", "_"},
                                                       {"(intro).mp3", "_"},
                                                       {"[live] set.mp3", "_"},
                                                       {"-dash.mp3", "_"},
                                                       {"Easy.mp3", "E"}};
  for (const auto& [name, folder] : folderOf) Put(name);
  CdBatchResult result;
  EXPECT_EQ(CreateCdBatches(dir.path(), dir.path(), true, nullptr, &result), 12);
  shortBat = BatchLines(dir.path(), "Short.bat", "SHORT");
  for (const auto& [name, folder] : folderOf) {
    const std::string move = "move \"" + platform::AnsiToOem(name) + "\" " + folder + "\\";
    EXPECT_EQ(std::count_if(shortBat.begin(), shortBat.end(),
                            [&](const std::string& l) { return l.rfind(move, 0) == 0; }),
              1)
        << name;
  }
  EXPECT_EQ(std::count(shortBat.begin(), shortBat.end(), "MD _"), 1);
  EXPECT_EQ(result.songs, 12);
  EXPECT_TRUE(result.leftOut.empty());
}

TEST_F(CdBatchesTest, AcuteAccentRenamedOnDisk) {
  Put("Don\xB4t Stop.mp3");
  Put("Don\xB4t Stop.jpg");
  EXPECT_EQ(Make(true), 1);
  EXPECT_TRUE(HasFile(dir.path(), "Don't Stop.mp3"));
  EXPECT_TRUE(HasFile(dir.path(), "Don't Stop.jpg"));
  EXPECT_FALSE(HasFile(dir.path(), "Don\xB4t Stop.mp3"));
  EXPECT_EQ(GetFile(dir.path(), "Don't Stop.mp3"), "Don\xB4t Stop.mp3");
  EXPECT_EQ(shortBat[4], "move \"Don't Stop.mp3\" D\\01DONTS.mp3");
  EXPECT_EQ(shortBat[5], "move \"Don't Stop.jpg\" D\\01DONTS.jpg");
}

TEST_F(CdBatchesTest, CompanionsInAnyCaseFromTheBinFolder) {
  test::TempDir bin;
  Put("Song.mp3");
  PutFile(bin.path(), "song.JPG", "j");
  PutFile(bin.path(), "SONG.Txt", "t");
  PutFile(dir.path(), "Song.bin", "not in the bin folder");
  EXPECT_EQ(Make(true, bin.path()), 1);
  EXPECT_EQ(shortBat,
            (Lines{"@echo off", "<stamp>", kShortHead, "MD S", "move \"Song.mp3\" S\\01SONG_.mp3",
                   "move \"song.JPG\" S\\01SONG_.JPG", "move \"SONG.Txt\" S\\01SONG_.Txt", kEnd}));
}

TEST_F(CdBatchesTest, CompanionsTakeTheShortNameOfTheirSong) {
  // A short cleaned name would otherwise let each extension leak in.
  Put("\xD6ko.mp3");
  Put("\xD6ko.JPG");
  Put("\xD6ko.bin");
  EXPECT_EQ(Make(true), 1);
  EXPECT_EQ(shortBat,
            (Lines{"@echo off", "<stamp>", kShortHead, "MD \x99",
                   "move \"\x99ko.mp3\" \x99\\01_KO_M.mp3", "move \"\x99ko.bin\" \x99\\01_KO_M.bin",
                   "move \"\x99ko.JPG\" \x99\\01_KO_M.JPG", kEnd}));
}

TEST_F(CdBatchesTest, NamesDifferingOnlyInCaseStayWhereTheyAre) {
  // The interpreter takes them for one file: Long.bat would move the first
  // back over the second.
  Put("Song.mp3");
  Put("song.mp3");
  Put("Other.mp3");
  EXPECT_EQ(Make(false), 1);
  int moves = 0;
  for (const std::string& line : longBat) {
    if (line.rfind("move ", 0) == 0) ++moves;
    EXPECT_EQ(line.find("ong.mp3\""), std::string::npos) << line;
  }
  EXPECT_EQ(moves, 1);
  const auto rem = std::find_if(shortBat.begin(), shortBat.end(), [](const std::string& l) {
    return l.rfind("rem ", 0) == 0 && l.find("song.mp3") != std::string::npos &&
           l.find("Song.mp3") != std::string::npos;
  });
  EXPECT_NE(rem, shortBat.end());
}

TEST_F(CdBatchesTest, PercentIsDoubled) {
  Put("100% Hits.mp3");
  Make(true);
  EXPECT_EQ(shortBat[4], "move \"100%% Hits.mp3\" 0-9\\01100%%H.mp3");
  EXPECT_EQ(longBat[3], "move 0-9\\01100%%H.mp3 \"100%% Hits.mp3\" ");
}

TEST_F(CdBatchesTest, UnquotableNamesBecomeRemLines) {
  test::WriteFile(dir.file("Say \"Hi\".mp3"), "q");
  test::WriteFile(dir.file("Tab\tName.mp3"), "t");
  Put("Euro \x80.mp3");
  Put("Ok.mp3");
  EXPECT_EQ(Make(true), 1);
  int rems = 0;
  for (const Lines* bat : {&shortBat, &longBat}) {
    for (const std::string& line : *bat) {
      EXPECT_EQ(line.find("Say \"Hi\""), std::string::npos);
      EXPECT_EQ(line.find('\t'), std::string::npos);
      if (line.rfind("rem ausgelassen", 0) == 0) ++rems;
    }
  }
  EXPECT_EQ(rems, 6);
  EXPECT_EQ(shortBat.back(), kEnd);
  EXPECT_EQ(shortBat[shortBat.size() - 2], "move \"Ok.mp3\" O\\01OK_MP.mp3");
}

TEST_F(CdBatchesTest, UmlautRoundsUseTheirOwnDirectory) {
  Put("\xC4rger.mp3");
  Put("\xE4hnlich.mp3");
  Put("Apfel.mp3");
  Put("\xDC"
      "ber.mp3");
  EXPECT_EQ(Make(true), 4);
  EXPECT_EQ(shortBat,
            (Lines{"@echo off", "<stamp>", kShortHead, "MD A", "move \"Apfel.mp3\" A\\01APFEL.mp3",
                   "MD \x8E", "move \"\x84hnlich.mp3\" \x8E\\01_HNLI.mp3",
                   "move \"\x8Erger.mp3\" \x8E\\02_RGER.mp3", "MD \x9A",
                   "move \"\x9A"
                   "ber.mp3\" \x9A\\01_BER_.mp3",
                   kEnd}));
  EXPECT_EQ(longBat[longBat.size() - 2], "RD \x9A");
}

TEST_F(CdBatchesTest, NamesWithoutGuessedUmlautsStillGoOutInOem) {
  Put("Sm\xF8rrebr\xF8"
      "d.mp3");
  Make(true);
  EXPECT_EQ(shortBat[4],
            "move \"Sm\x9Brrebr\x9B"
            "d.mp3\" S\\01SM_RR.mp3");
}

TEST_F(CdBatchesTest, LongBatGivesBackTheSameOemNamesShortBatTookAway) {
  // ä, é and ß: each long name must leave and come back in the very same
  // code-page-850 bytes, and be the file's name on disk in code page 850.
  for (const char* name : {"K\xE4"
                           "fer - Stra\xDF"
                           "e.mp3",
                           "Caf\xE9 - Cr\xE8me.mp3", "\xE4rger.mp3",
                           "Fu\xDF"
                           "ball.mp3",
                           "Plain.mp3"})
    Put(name);
  for (bool subDirs : {true, false}) {
    ASSERT_EQ(Make(subDirs), 5);
    std::map<std::string, std::string> leaving, coming;  // short -> long
    const std::regex shortMove("move \"([^\"]+)\" (\\S+)");
    const std::regex longMove("move (\\S+) \"([^\"]+)\" ");
    std::smatch m;
    for (const std::string& line : shortBat)
      if (std::regex_match(line, m, shortMove)) leaving[m[2]] = m[1];
    for (const std::string& line : longBat)
      if (std::regex_match(line, m, longMove)) coming[m[1]] = m[2];
    EXPECT_EQ(leaving.size(), 5u);
    EXPECT_EQ(leaving, coming);
    std::set<std::string> onDisk, inBatch;
    for (const std::string& name : platform::ListFiles(dir.path(), "*.mp3").names)
      onDisk.insert(platform::AnsiToOem(name));
    for (const auto& [shortName, longName] : coming) inBatch.insert(longName);
    EXPECT_EQ(inBatch, onDisk);
    EXPECT_EQ(inBatch.count("K\x84"
                            "fer - Stra\xE1"
                            "e.mp3"),
              1u);
    EXPECT_EQ(inBatch.count("Fu\xE1"
                            "ball.mp3"),
              1u);
  }
}

TEST_F(CdBatchesTest, SplittingCharactersNeverReachAShortName) {
  Put("A=B;C.mp3");
  Make(true);
  EXPECT_EQ(shortBat[4], "move \"A=B;C.mp3\" A\\01A_B_C.mp3");
}

TEST_F(CdBatchesTest, OverwritesExistingBatchOfAnotherCase) {
  PutFile(dir.path(), "short.bat", "old");
  CreateCdBatches(dir.path(), dir.path(), true);
  EXPECT_FALSE(HasFile(dir.path(), "Short.bat"));
  EXPECT_EQ(BatchLines(dir.path(), "short.bat", "SHORT").back(), kEnd);
}

TEST_F(CdBatchesTest, AReadOnlyBatchOfThePairKeepsTheOtherOneOld) {
  for (const char* locked : {"Long.bat", "Short.bat"}) {
    SCOPED_TRACE(locked);
    PutFile(dir.path(), "Short.bat", "old short");
    PutFile(dir.path(), "Long.bat", "old long");
    ASSERT_TRUE(platform::SetReadOnly(dir.file(locked), true));
    EXPECT_THROW(CreateCdBatches(dir.path(), dir.path(), true), IoError);
    EXPECT_EQ(GetFile(dir.path(), "Short.bat"), "old short");
    EXPECT_EQ(GetFile(dir.path(), "Long.bat"), "old long");
    ASSERT_TRUE(platform::SetReadOnly(dir.file(locked), false));
  }
  // A Long.bat that cannot be written for another reason takes the new
  // Short.bat with it.
  std::filesystem::remove(dir.file("Short.bat"));
  std::filesystem::remove(dir.file("Long.bat"));
  std::filesystem::create_directory(dir.file("Long.bat"));
  EXPECT_THROW(CreateCdBatches(dir.path(), dir.path(), true), IoError);
  EXPECT_FALSE(HasFile(dir.path(), "Short.bat"));
}

TEST_F(CdBatchesTest, MissingFolderIsAnError) {
  EXPECT_THROW(CreateCdBatches(dir.file("missing"), dir.path(), true), IoError);
}

}  // namespace
}  // namespace tovix
