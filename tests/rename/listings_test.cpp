// How often the passes over many files list their folders.
#include <gtest/gtest.h>

#include "mp3/mpegfile.h"
#include "rename/infotexts.h"
#include "rename/mp3fixture.h"
#include "rename/renamelist.h"
#include "support/listedfolders.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

using test::HasFile;
using test::PutFile;
using test::Song;

constexpr auto Line = test::RenameLine;

TEST(ApplyRenameListFolder, IsListedOnceHoweverManyFilesItHolds) {
  test::TempDir dir;
  constexpr int kFiles = 150;
  std::vector<std::string> lines;
  for (int i = 0; i < kFiles; ++i) {
    const std::string n = std::to_string(i);
    // Every other file without a title: the tag is completed from its name.
    PutFile(dir.path(), "song " + n + ".mp3", Song("Band " + n, i % 2 ? "" : "Title " + n));
    lines.push_back(Line("song " + n + ".mp3", "band " + n + " - title " + n + ".mp3"));
  }
  PutFile(dir.path(), "case.mp3", Song("Case", "Only"));
  lines.push_back(Line("case.mp3", "Case.mp3"));
  RenameOptions options;
  options.completeTagsOnApply = true;
  test::ForgetListedFolders();
  const ApplyResult r = ApplyRenameList(dir.path(), lines, options);
  const auto listings = test::ListedFolders().size();
  EXPECT_EQ(r.outcome, ApplyResult::Outcome::Done);
  EXPECT_EQ(r.renamed, kFiles + 1);
  EXPECT_LE(listings, 2u);
  EXPECT_TRUE(HasFile(dir.path(), "Band 0 - Title 0.mp3"));
  EXPECT_TRUE(HasFile(dir.path(), "Band 149 - Title 149.mp3"));
  EXPECT_TRUE(HasFile(dir.path(), "Case.mp3"));
  EXPECT_FALSE(HasFile(dir.path(), "case.mp3"));
}

TEST(ApplyRenameListFolder, LaterLinesSeeTheNamesEarlierLinesGaveAndFreed) {
  test::TempDir dir;
  PutFile(dir.path(), "one.mp3", Song("A", "1", 'a'));
  PutFile(dir.path(), "two.mp3", Song("B", "2", 'b'));
  PutFile(dir.path(), "x.mp3", Song("C", "3", 'c'));
  PutFile(dir.path(), "y.mp3", Song("D", "4", 'd'));
  RenameOptions plain;
  plain.saveTag = plain.niceWords = plain.makeTag = false;
  // A name an earlier line freed may be taken, in another letter case too.
  ApplyResult r = ApplyRenameList(
      dir.path(), {Line("one.mp3", "three.mp3"), Line("two.mp3", "One.mp3")}, plain);
  EXPECT_EQ(r.outcome, ApplyResult::Outcome::Done);
  EXPECT_EQ(test::GetFile(dir.path(), "One.mp3"), Song("B", "2", 'b'));
  EXPECT_EQ(test::GetFile(dir.path(), "three.mp3"), Song("A", "1", 'a'));
  // A name an earlier line gave through a change of letter case may not.
  r = ApplyRenameList(dir.path(), {Line("x.mp3", "X.mp3"), Line("y.mp3", "x.mp3")}, plain);
  EXPECT_EQ(r.outcome, ApplyResult::Outcome::RenameFailed);
  EXPECT_EQ(r.line, 1);
  EXPECT_EQ(test::GetFile(dir.path(), "X.mp3"), Song("C", "3", 'c'));
  EXPECT_EQ(test::GetFile(dir.path(), "y.mp3"), Song("D", "4", 'd'));
  EXPECT_FALSE(HasFile(dir.path(), "x.mp3"));
  // Nor a third spelling of two names that differ only in letter case.
  PutFile(dir.path(), "Y.mp3", Song("E", "5", 'e'));
  const auto before = test::Snapshot(dir.path());
  r = ApplyRenameList(dir.path(), {Line("Y.mp3", "Y.MP3")}, plain);
  EXPECT_EQ(r.outcome, ApplyResult::Outcome::RenameFailed);
  EXPECT_EQ(test::Snapshot(dir.path()), before);
}

TEST(WriteInfoTexts, ListsEachFolderOnceAndOverwritesTheTextOfAnotherCase) {
  test::TempDir source, bin;
  constexpr int kFiles = 150;
  for (int i = 0; i < kFiles; ++i)
    PutFile(source.path(), "song " + std::to_string(i) + ".mp3", Song("Band", std::to_string(i)));
  PutFile(bin.path(), "SONG 7.txt", "old text");
  test::ForgetListedFolders();
  EXPECT_EQ(WriteInfoTexts(source.path(), bin.path(), nullptr, false), kFiles);
  EXPECT_LE(test::ListedFolders().size(), 2u);
  EXPECT_TRUE(HasFile(bin.path(), "song 0.TXT"));
  EXPECT_TRUE(HasFile(bin.path(), "song 149.TXT"));
  EXPECT_FALSE(HasFile(bin.path(), "song 7.TXT"));
  EXPECT_NE(test::GetFile(bin.path(), "SONG 7.txt"), "old text");
  EXPECT_EQ(test::Contents(bin.path()).size(), static_cast<std::size_t>(kFiles));
}

}  // namespace
}  // namespace tovix
