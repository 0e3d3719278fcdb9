// Rename plans as tags from real collections give them, and what follows a
// renamed song: its pictures and text, the undo list, the summary line.
#include <gtest/gtest.h>

#include "lang/buildstrings.h"
#include "lang/sprachen.h"
#include "rename/mp3fixture.h"
#include "rename/renamelist.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

using test::GetFile;
using test::HasFile;
using test::PutFile;
using test::Song;

constexpr auto Line = test::RenameLine;

struct Recorder : PassReport {
  std::vector<std::string> messages;
  void Line(const std::string& text, int) override { messages.push_back(text); }
};

RenameOptions NamesOnly() {
  RenameOptions o;
  o.makeTag = o.saveTag = o.niceWords = false;
  return o;
}

// Characters a Windows or CD name cannot hold leave the plan, so the list
// applies as it stands; two files that plan one name are told apart.
TEST(RenamePlan, TagCharactersGiveNamesACdCanHoldAndClashesSayWhatHappened) {
  test::TempDir dir;
  PutFile(dir.path(), "1.mp3", Song("AC/DC", "Back: In\\Black?", '1'));
  PutFile(dir.path(), "2.mp3", Song("<Who>", "\"Why\" | *Now*", '2'));
  PutFile(dir.path(), "3.mp3", Song("Same", "Song", '3'));
  PutFile(dir.path(), "4.mp3", Song("Same", "Song", '4'));
  PutFile(dir.path(), "5.mp3", Song("Case", "song", '5'));
  PutFile(dir.path(), "6.mp3", Song("CASE", "SONG", '6'));
  const auto lines = BuildRenameList(dir.path(), NamesOnly());
  const std::vector<std::string> expected = {
      Line("1.mp3", "AC-DC - Back- In-Black.mp3"),
      Line("2.mp3", "Who - Why  Now.mp3"),
      Line("3.mp3", "Same - Song.mp3"),
      Line("5.mp3", "Case - song.mp3"),
      BuildText(str::kNameClash, {"4.mp3", "3.mp3",
                                  "beide hei\xDF"
                                  "en Same - Song.mp3"}),
      BuildText(str::kNameClash, {"6.mp3", "5.mp3", BuildText(str::kDiffersInCase)})};
  for (const std::string& line : expected)
    EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
  const ApplyResult r = ApplyRenameList(dir.path(), lines, NamesOnly());
  EXPECT_EQ(r.outcome, ApplyResult::Outcome::Done);
  EXPECT_EQ(r.renamed, 4);
  EXPECT_TRUE(HasFile(dir.path(), "AC-DC - Back- In-Black.mp3"));

  // A name typed in by hand is checked the same way, before any rename.
  Recorder recorder;
  const auto before = test::Snapshot(dir.path());
  const ApplyResult typed = ApplyRenameList(
      dir.path(), {Line("4.mp3", "four.mp3"), Line("6.mp3", "Why?.mp3")}, NamesOnly(), &recorder);
  EXPECT_EQ(typed.outcome, ApplyResult::Outcome::MissingFile);
  EXPECT_EQ(recorder.messages, std::vector<std::string>{BuildText(str::kForbiddenChar) + " 2!"});
  EXPECT_EQ(test::Snapshot(dir.path()), before);
}

// A song's .BIN, .JPG and .TXT follow it, in the BIN folder or beside it,
// and the undo list gives every name back.
class Companions : public ::testing::TestWithParam<bool> {
 protected:
  test::TempDir songs, pictures;
  std::string bins() const { return GetParam() ? songs.path() : pictures.path(); }
  RenameOptions Options() const {
    RenameOptions o = NamesOnly();
    o.companionDir = bins();
    return o;
  }
};

TEST_P(Companions, FollowTheirSongAndTheUndoListBringsEveryNameBack) {
  PutFile(songs.path(), "track01.mp3", Song("A", "1", 'a'));
  PutFile(songs.path(), "track02.mp3", Song("B", "2", 'b'));
  PutFile(songs.path(), "track03.mp3", Song("C", "3", 'c'));
  PutFile(bins(), "TRACK01.BIN", "bin 1");  // as the BIN run names it
  PutFile(bins(), "track01.jpg", "jpg 1");
  PutFile(bins(), "track01.TXT", "txt 1");
  PutFile(bins(), "track02.BIN", "bin 2");
  PutFile(bins(), "other.BIN", "unrelated");
  const auto songsBefore = test::Snapshot(songs.path());
  const auto binsBefore = test::Snapshot(bins());
  // track02 and track03 swap names through track01's old one.
  const std::vector<std::string> plan = {Line("track01.mp3", "A - One.mp3"),
                                         Line("track02.mp3", "track01.mp3"),
                                         Line("track03.mp3", "B - Two.mp3")};
  ApplyResult r = ApplyRenameList(songs.path(), plan, Options());
  ASSERT_EQ(r.outcome, ApplyResult::Outcome::Done);
  EXPECT_EQ(r.companions, 4);
  EXPECT_EQ(GetFile(bins(), "A - ONE.BIN"), "bin 1");
  EXPECT_EQ(GetFile(bins(), "A - One.jpg"), "jpg 1");
  EXPECT_EQ(GetFile(bins(), "A - One.TXT"), "txt 1");
  EXPECT_EQ(GetFile(bins(), "track01.BIN"), "bin 2");
  EXPECT_EQ(GetFile(songs.path(), "track01.mp3"), Song("B", "2", 'b'));
  EXPECT_EQ(r.undo, (std::vector<std::string>{Line("B - Two.mp3", "track03.mp3"),
                                              Line("track01.mp3", "track02.mp3"),
                                              Line("A - One.mp3", "track01.mp3")}));

  r = ApplyRenameList(songs.path(), r.undo, UndoOptions(Options()));
  EXPECT_EQ(r.outcome, ApplyResult::Outcome::Done);
  EXPECT_EQ(test::Snapshot(songs.path()), songsBefore);
  EXPECT_EQ(test::Snapshot(bins()), binsBefore);
}

TEST_P(Companions, ACompanionWhoseNameIsTakenStopsThePassBeforeAnyRename) {
  PutFile(songs.path(), "a.mp3", Song("A", "1", 'a'));
  PutFile(songs.path(), "b.mp3", Song("B", "2", 'b'));
  PutFile(bins(), "b.jpg", "picture of b");
  PutFile(bins(), "New.JPG", "an old picture nobody renames");
  const auto songsBefore = test::Snapshot(songs.path());
  const auto binsBefore = test::Snapshot(bins());
  Recorder recorder;
  const ApplyResult r = ApplyRenameList(
      songs.path(), {Line("a.mp3", "x.mp3"), Line("b.mp3", "new.mp3")}, Options(), &recorder);
  EXPECT_EQ(r.outcome, ApplyResult::Outcome::MissingFile);
  EXPECT_EQ(r.line, 1);
  EXPECT_EQ(recorder.messages,
            std::vector<std::string>{BuildText(str::kCompanionTaken, {"2", "b.jpg", "new.jpg"})});
  EXPECT_EQ(test::Snapshot(songs.path()), songsBefore);
  EXPECT_EQ(test::Snapshot(bins()), binsBefore);
}

INSTANTIATE_TEST_SUITE_P(BinFolder, Companions, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Same" : "Own"; });

// A pass that stops names what it left out; the undo list holds what it did.
TEST(RenameSummary, AStoppedPassNamesTheFilesItLeftOut) {
  test::TempDir dir;
  for (const char* name : {"a.mp3", "b.mp3", "c.mp3", "taken.mp3"})
    PutFile(dir.path(), name, Song("X", name));
  const ApplyResult r = ApplyRenameList(
      dir.path(), {Line("a.mp3", "A1.mp3"), Line("b.mp3", "taken.mp3"), Line("c.mp3", "C1.mp3")},
      NamesOnly());
  EXPECT_EQ(r.outcome, ApplyResult::Outcome::RenameFailed);
  EXPECT_EQ(r.undo, std::vector<std::string>{Line("A1.mp3", "a.mp3")});
  EXPECT_EQ(ApplySummary(r),
            BuildText(str::kRenameSummary, {"1", "0", "0", "2", ": b.mp3, c.mp3"}));
}

}  // namespace
}  // namespace tovix
