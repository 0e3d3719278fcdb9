#include "rename/infotexts.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/filesys.h"
#include "platform/ioerror.h"
#include "rename/mp3fixture.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

using test::GetFile;
using test::HasFile;
using test::PutFile;
using test::Song;

std::string Crlf(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& l : lines) text += l + "\r\n";
  return text;
}

struct Memo : PassReport {
  std::vector<std::string> lines;
  int progress = 0;
  void Line(const std::string& text, int) override { lines.push_back(text); }
  void Progress(std::int64_t, std::int64_t) override { ++progress; }
};

class InfoTextsTest : public ::testing::Test {
 protected:
  test::TempDir src;
  test::TempDir bin;
  Memo memo;
  int Run() { return WriteInfoTexts(src.path(), bin.path(), &memo); }
};

TEST_F(InfoTextsTest, SecondOfThreeSongs) {
  PutFile(src.path(), "b.mp3", Song("Artist B", "Title B"));
  PutFile(src.path(), "a.mp3", Song("Artist A", "Title A"));
  PutFile(src.path(), "c.mp3", Song("Artist C", "Title C"));
  EXPECT_EQ(Run(), 3);
  EXPECT_EQ(memo.progress, 3);
  EXPECT_EQ(GetFile(bin.path(), "b.TXT"),
            Crlf({" ", " Artist A", "  Title A", "*Artist B", "* Title B", " ", " Artist C",
                  "  Title C", " ", " "}));
  EXPECT_EQ(GetFile(bin.path(), "a.TXT"),
            Crlf({" ", " ", " ", "*Artist A", "* Title A", " ", " Artist B", "  Title B",
                  " Artist C", "  Title C"}));
  EXPECT_EQ(GetFile(bin.path(), "c.TXT"), Crlf({" ", " Artist B", "  Title B", "*Artist C",
                                                "* Title C", " ", " ", " ", " ", " "}));
}

TEST_F(InfoTextsTest, OneSong) {
  PutFile(src.path(), "Only.mp3", Song("Solo", "Alone"));
  EXPECT_EQ(Run(), 1);
  EXPECT_EQ(GetFile(bin.path(), "Only.TXT"),
            Crlf({" ", " ", " ", "*Solo", "* Alone", " ", " ", " ", " ", " "}));
}

TEST_F(InfoTextsTest, UmlautsTransliteratedOrderTakenBefore) {
  // Collated, "Mü - " sorts before "Mud"; transliterated to "Mue" it would not.
  PutFile(src.path(), "Mud - Zwei.mp3", Song("", ""));
  PutFile(src.path(), "M\xFC - Eins.mp3", Song("", ""));
  ASSERT_EQ(Run(), 2);
  EXPECT_EQ(GetFile(bin.path(), "M\xFC - Eins.TXT"),
            Crlf({" ", " ", " ", "*Mue", "* Eins", " ", " Mud", "  Zwei", " ", " "}));
  EXPECT_EQ(GetFile(bin.path(), "Mud - Zwei.TXT"),
            Crlf({" ", " Mue", "  Eins", "*Mud", "* Zwei", " ", " ", " ", " ", " "}));
}

TEST_F(InfoTextsTest, UmlautInTagArtist) {
  PutFile(src.path(), "x.mp3",
          Song("M\xFCller",
               "Stra\xDF"
               "e"));
  ASSERT_EQ(Run(), 1);
  EXPECT_EQ(GetFile(bin.path(), "x.TXT"),
            Crlf({" ", " ", " ", "*Mueller", "* Strasse", " ", " ", " ", " ", " "}));
}

TEST_F(InfoTextsTest, MixedCaseStemAndNameWithoutTag) {
  PutFile(src.path(), "Artist_Name - Song_Name.Mp3", Song("", ""));
  ASSERT_EQ(Run(), 1);
  EXPECT_TRUE(HasFile(bin.path(), "Artist_Name - Song_Name.TXT"));
  EXPECT_EQ(GetFile(bin.path(), "Artist_Name - Song_Name.TXT"),
            Crlf({" ", " ", " ", "*Artist Name", "* Song Name", " ", " ", " ", " ", " "}));
}

TEST_F(InfoTextsTest, TitleEndingInMp3AndSeparatorsInsideNames) {
  PutFile(src.path(), "odd~name?.mp3", Song("A~B", "T.mp3"));
  ASSERT_EQ(Run(), 1);
  EXPECT_EQ(GetFile(bin.path(), "odd~name?.TXT"),
            Crlf({" ", " ", " ", "*A~B", "* T", " ", " ", " ", " ", " "}));
}

TEST_F(InfoTextsTest, OverwritesExistingTextOfAnotherCase) {
  PutFile(src.path(), "Song.mp3", Song("A", "B"));
  PutFile(bin.path(), "song.txt", "old");
  ASSERT_EQ(Run(), 1);
  EXPECT_EQ(GetFile(bin.path(), "song.txt"),
            Crlf({" ", " ", " ", "*A", "* B", " ", " ", " ", " ", " "}));
  EXPECT_FALSE(HasFile(bin.path(), "Song.TXT"));
}

// A case pair would write one text file twice; a line feed in a tag would
// add a line; a 1252 tag is shown as it is, not converted again.
TEST_F(InfoTextsTest, CasePairsLineFeedsAndTodaysTags) {
  test::WriteFile(src.file("a.mp3"),
                  test::Mp3Frames('a') + test::Id3v1Raw("Line\nFeed", "No\xEBl"));
  PutFile(src.path(), "B.mp3", Song("Two", "Songs", 'b'));
  PutFile(src.path(), "b.mp3", Song("Other", "Song", 'c'));
  ASSERT_EQ(Run(), 2);
  EXPECT_EQ(GetFile(bin.path(), "a.TXT"),
            Crlf({" ", " ", " ", "*Line Feed", "* No\xEBl", " ", " Two", "  Songs", " ", " "}));
  EXPECT_EQ(GetFile(bin.path(), "B.TXT"),
            Crlf({" ", " Line Feed", "  No\xEBl", "*Two", "* Songs", " ", " ", " ", " ", " "}));
  ASSERT_EQ(memo.lines.size(), 1u);
  EXPECT_NE(memo.lines[0].find("b.mp3 ergibt denselben Namen wie B.mp3"), std::string::npos);
}

TEST_F(InfoTextsTest, EmptyFolderAndUnusableNames) {
  EXPECT_EQ(Run(), 0);
  test::WriteFile(src.file("bad\x01name.mp3"), Song("A", "B"));
  EXPECT_EQ(Run(), 0);
  ASSERT_EQ(memo.lines.size(), 1u);
  EXPECT_NE(memo.lines[0].find("bad?name.mp3"), std::string::npos);
  EXPECT_TRUE(std::filesystem::is_empty(bin.path()));
}

TEST_F(InfoTextsTest, UnwritableTargetIsAnError) {
  PutFile(src.path(), "a.mp3", Song("A", "B"));
  PutFile(bin.path(), "a.TXT", "keep");
  ASSERT_TRUE(platform::SetReadOnly(bin.file("a.TXT"), true));
  EXPECT_THROW(WriteInfoTexts(src.path(), bin.path(), &memo), IoError);
  EXPECT_EQ(GetFile(bin.path(), "a.TXT"), "keep");
  EXPECT_THROW(WriteInfoTexts(src.path(), bin.file("missing"), &memo), IoError);
  EXPECT_THROW(WriteInfoTexts(src.file("missing"), bin.path(), &memo), IoError);
}

}  // namespace
}  // namespace tovix
