// A song that vanishes while a pass is over the folder (deleted by hand,
// moved by another program): each pass names it or passes over it, does
// the other songs, loses nothing and reports no success it did not have.
// The song goes from inside the pass, when it reports its first file, so
// the moment is always the same.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "platform/ioerror.h"
#include "rename/cdbatches.h"
#include "rename/infotexts.h"
#include "rename/mp3fixture.h"
#include "rename/renamelist.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

using test::GetFile;
using test::HasFile;

// Takes b.mp3 away when the pass reports its first file; keeps what it says.
struct Vanishing : PassReport {
  std::string folder;
  std::string said;
  void Line(const std::string& text, int) override { said += text + "\n"; }
  void Progress(std::int64_t done, std::int64_t) override {
    if (done == 1) std::filesystem::remove(folder + "/b.mp3");
  }
};

const std::string kGone = "Datei ausgelassen, sie ist nicht mehr da: b.mp3";

struct Pass {
  const char* what;
  std::string named;  // what the pass says of b.mp3
  // Runs the pass; true when it did its work for a.mp3 and c.mp3.
  std::function<bool(const test::TempDir& src, const test::TempDir& bin, Vanishing& observer)> run;
};

const Pass kPasses[] = {
    {"rename list", kGone,
     [](const test::TempDir& src, const test::TempDir&, Vanishing& o) {
       RenameOptions options;
       options.saveTag = false;
       std::string list;
       for (const std::string& line : BuildRenameList(src.path(), options, &o)) list += line + "\n";
       o.said += list;
       return list.find("\"a.mp3\"=\"A - Song a.mp3\"") != std::string::npos &&
              list.find("\"c.mp3\"=\"C - Song c.mp3\"") != std::string::npos &&
              list.find("\"b.mp3\"=") == std::string::npos;
     }},
    // The pass stops at the rename it cannot make, as at any failed
    // rename: the one before stays, the one after is not begun.
    {"applied list", "\"b.mp3\"=\"B - Zwei.mp3\"",
     [](const test::TempDir& src, const test::TempDir&, Vanishing& o) {
       RenameOptions options;
       options.saveTag = false;
       const ApplyResult result =
           ApplyRenameList(src.path(),
                           {"\"a.mp3\"=\"A - Eins.mp3\"", "\"b.mp3\"=\"B - Zwei.mp3\"",
                            "\"c.mp3\"=\"C - Drei.mp3\""},
                           options, &o);
       return result.outcome == ApplyResult::Outcome::RenameFailed && result.line == 1 &&
              result.renamed == 1 && HasFile(src.path(), "A - Eins.mp3") &&
              HasFile(src.path(), "c.mp3");
     }},
    {"info texts", kGone,
     [](const test::TempDir& src, const test::TempDir& bin, Vanishing& o) {
       return WriteInfoTexts(src.path(), bin.path(), &o) == 2 && HasFile(bin.path(), "a.TXT") &&
              HasFile(bin.path(), "c.TXT") && !HasFile(bin.path(), "b.TXT");
     }},
    {"CD batch pair", kGone,
     [](const test::TempDir& src, const test::TempDir& bin, Vanishing& o) {
       const int placed = CreateCdBatches(src.path(), bin.path(), false, &o);
       const std::string batch = GetFile(src.path(), "Short.bat");
       return placed == 2 && batch.find("\"a.mp3\"") != std::string::npos &&
              batch.find("\"c.mp3\"") != std::string::npos &&
              batch.find("move \"b.mp3\"") == std::string::npos;
     }},
};

TEST(VanishedSong, EachPassNamesItAndDoesTheOthers) {
  for (const Pass& pass : kPasses) {
    SCOPED_TRACE(pass.what);
    test::TempDir src, bin;
    for (const char* song : {"a", "b", "c"}) {
      const std::string upper(1, char(std::toupper(song[0])));
      test::PutFile(src.path(), std::string(song) + ".mp3",
                    test::Song(upper, std::string("Song ") + song, song[0]));
    }
    Vanishing observer;
    observer.folder = src.path();
    bool done = false;
    try {
      done = pass.run(src, bin, observer);
    } catch (const IoError& e) {
      observer.said += std::string("thrown: ") + e.what();
    }
    EXPECT_TRUE(done) << observer.said;
    EXPECT_NE(observer.said.find(pass.named), std::string::npos) << observer.said;
    // The other songs keep their bytes, whatever their names now.
    std::multiset<std::string> left = test::Contents(src.path());
    std::erase_if(left, [](const std::string& bytes) { return bytes.size() < 1000; });
    EXPECT_EQ(left.size(), 2u);
    EXPECT_EQ(left.count(test::Song("A", "Song a", 'a')), 1u);
    EXPECT_EQ(left.count(test::Song("C", "Song c", 'c')), 1u);
  }
}

}  // namespace
}  // namespace tovix
