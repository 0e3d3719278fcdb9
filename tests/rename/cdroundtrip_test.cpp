// Short.bat and then Long.bat, run by the real interpreter, must leave a CD
// folder exactly as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "platform/codepage.h"
#include "platform/process.h"
#include "rename/cdbatches.h"
#include "rename/mp3fixture.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

namespace fs = std::filesystem;

constexpr int kFiles = 200;

// Names that begin every kind of round, the accented and other initials
// among them, and bodies holding the characters a batch line has to survive.
const std::vector<std::string> kStarts = {
    "0",    "1",    "7",    "A",    "a",    "\xC4", "\xE4", "B", "K", "m", "O",
    "\xD6", "\xF6", "S",    "s",    "U",    "\xDC", "\xFC", "Z", "y", "(", "_",
    "[",    "\xC9", "\xE9", "\xC8", "\xDF", "\xE7", "\xF1", "-", "!"};
const std::vector<std::string> kBodies = {" Band - Song",
                                          "\xB4s Night",
                                          " 'n' Roll",
                                          " & Friends",
                                          " 100% Live",
                                          "_under score",
                                          "-hy-phen",
                                          " Caf\xE9",
                                          " Stra\xDF"
                                          "e",
                                          "  two  blanks",
                                          " It's"};
const std::vector<std::string> kCompanions = {".bin", ".JPG", ".Txt", ".BIN", ".jpg", ".TXT"};

// A CD folder of kFiles files: MP3 files and companions, each file's bytes unique.
void MakeCdFolder(const std::string& folder) {
  int made = 0;
  for (int i = 0; made < kFiles; ++i) {
    const std::string stem =
        kStarts[i % kStarts.size()] + kBodies[i % kBodies.size()] + " " + std::to_string(i);
    test::PutFile(folder, stem + (i % 5 == 0 ? ".MP3" : ".mp3"), "song " + std::to_string(i));
    ++made;
    for (int c = 0; c < 2 && made < kFiles; ++c) {
      if ((i + c) % 3 != 0) continue;
      test::PutFile(folder, stem + kCompanions[(i + c) % kCompanions.size()],
                    "companion " + std::to_string(i) + " " + std::to_string(c));
      ++made;
    }
  }
}

bool RunBatch(const std::string& program, const std::string& folder, const std::string& batch,
              const std::string& log) {
  platform::Process p;
  platform::ProcessSpec request;
  request.program = program;
  request.args = {program, batch};
  request.workDir = folder;
  request.in = platform::StdStream::Null();
  request.out = platform::StdStream::ToFile(log, true);
  request.err = platform::StdStream::ToFile(log, true);
  return p.Start(request) && p.Wait(120000);
}

// Files of the folder that take part, by native name.
std::set<std::string> TopLevelFiles(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(folder))
    if (e.is_regular_file()) names.insert(e.path().filename().string());
  return names;
}

bool TakesPart(const std::string& nativeName) {
  return nativeName != "Short.bat" && nativeName != "Long.bat";
}

class CdRoundTrip : public ::testing::TestWithParam<bool> {};

TEST_P(CdRoundTrip, ShortThenLongRestoresTheFolder) {
  const std::string program = test::ProgramDir() + "tovix-cmd";
  ASSERT_TRUE(fs::exists(program)) << "tovix-cmd is not built: " << program;
  const bool subDirs = GetParam();
  test::TempDir cd;
  test::TempDir logs;
  MakeCdFolder(cd.path());
  ASSERT_EQ(TopLevelFiles(cd.path()).size(), static_cast<std::size_t>(kFiles));
  CreateCdBatches(cd.path(), cd.path(), subDirs);
  const auto before = test::Snapshot(cd.path());
  const std::string log = logs.file("cmd.log");

  ASSERT_TRUE(RunBatch(program, cd.path(), "Short.bat", log));
  const auto afterShort = test::Snapshot(cd.path());
  std::multiset<std::string> contentsBefore, contentsAfter;
  for (const auto& [name, bytes] : before) contentsBefore.insert(bytes);
  int moved = 0;
  for (const auto& [name, bytes] : afterShort) {
    if (bytes != "<dir>") contentsAfter.insert(bytes);
    if (bytes == "<dir>" || before.count(name)) continue;
    ++moved;
    const fs::path path(name);
    EXPECT_LE(path.stem().string().size(), 8u) << name;
    EXPECT_EQ(path.has_parent_path(), subDirs) << name;
  }
  EXPECT_EQ(contentsAfter, contentsBefore) << test::ReadFile(log);
  for (const std::string& name : TopLevelFiles(cd.path()))
    EXPECT_TRUE(!TakesPart(name) || (!subDirs && !before.count(name))) << name << " was not moved";
  EXPECT_GT(moved, kFiles / 2);

  ASSERT_TRUE(RunBatch(program, cd.path(), "Long.bat", log));
  EXPECT_EQ(test::Snapshot(cd.path()), before) << test::ReadFile(log);
}

INSTANTIATE_TEST_SUITE_P(Subdirectories, CdRoundTrip, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "WithSubdirs" : "Flat"; });

}  // namespace
}  // namespace tovix
