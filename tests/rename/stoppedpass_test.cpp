// A pass the report stops ends between songs: what it did is whole and can
// be taken back, and nothing after the stop is begun.
#include <gtest/gtest.h>

#include <cctype>

#include "platform/filesys.h"
#include "rename/infotexts.h"
#include "rename/mp3fixture.h"
#include "rename/renamelist.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

using test::GetFile;
using test::HasFile;

// Says go on `left` times, then stop.
struct StopAfter : PassReport {
  explicit StopAfter(int goOn) : left(goOn) {}
  int left;
  void Line(const std::string&, int) override {}
  bool KeepGoing() override { return left-- > 0; }
};

const char kSongs[] = "abc";

void PutSongs(const test::TempDir& src) {
  for (const char c : std::string(kSongs))
    test::PutFile(src.path(), std::string(1, c) + ".mp3",
                  test::Song(std::string(1, char(std::toupper(c))), "Song", c));
}

TEST(StoppedPass, RenamesEndBetweenSongsWithTheirCompanionsAndTheUndoListTakesThemBack) {
  for (int goOn = 0; goOn <= 3; ++goOn) {
    SCOPED_TRACE(goOn);
    test::TempDir src, bin;
    PutSongs(src);
    std::vector<std::string> lines;
    for (const char c : std::string(kSongs)) {
      const std::string name(1, c);
      test::PutFile(bin.path(), name + ".bin", "bin " + name);
      lines.push_back(test::RenameLine(name + ".mp3", "New " + name + ".mp3"));
    }
    const auto songsBefore = test::Snapshot(src.path());
    const auto binsBefore = test::Snapshot(bin.path());
    RenameOptions options;
    options.makeTag = options.saveTag = options.niceWords = false;
    options.companionDir = bin.path();
    options.undoFile = src.path() + "/stop.undo";
    StopAfter report(goOn);

    const ApplyResult r = ApplyRenameList(src.path(), lines, options, &report);
    EXPECT_EQ(r.outcome, goOn < 3 ? ApplyResult::Outcome::Stopped : ApplyResult::Outcome::Done);
    EXPECT_EQ(r.renamed, goOn);
    EXPECT_EQ(r.leftOut.size(), std::size_t(3 - goOn));
    for (int k = 0; k < 3; ++k) {
      const std::string name(1, kSongs[k]);
      EXPECT_EQ(HasFile(src.path(), name + ".mp3"), k >= goOn) << name;
      EXPECT_EQ(HasFile(bin.path(), name + ".bin"), k >= goOn) << name;
    }
    EXPECT_EQ(test::Contents(bin.path()).size(), 3u);
    ASSERT_EQ(platform::Exists(options.undoFile), goOn > 0);
    if (goOn == 0) continue;
    const std::vector<std::string> undo = ReadRenameListFile(options.undoFile);
    EXPECT_EQ(ApplyRenameList(src.path(), undo, UndoOptions(options)).outcome,
              ApplyResult::Outcome::Done);
    platform::RemoveFile(options.undoFile);
    EXPECT_EQ(test::Snapshot(src.path()), songsBefore);
    EXPECT_EQ(test::Snapshot(bin.path()), binsBefore);
  }
}

// Each text names its neighbours: stopped while the songs are read, the
// pass writes none.
TEST(StoppedPass, InfoTextsAreWrittenForAllSongsOrNone) {
  for (int goOn = 0; goOn <= 3; ++goOn) {
    SCOPED_TRACE(goOn);
    test::TempDir src, bin;
    PutSongs(src);
    StopAfter report(goOn);
    const int written = WriteInfoTexts(src.path(), bin.path(), &report);
    EXPECT_EQ(written, goOn == 3 ? 3 : 0);
    EXPECT_EQ(test::Contents(bin.path()).size(), std::size_t(written));
  }
}

}  // namespace
}  // namespace tovix
