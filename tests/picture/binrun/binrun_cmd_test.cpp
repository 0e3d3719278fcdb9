// tmpbat.bat run by the real interpreter, with shell stand-ins for the two
// tools in the working folder (found there before anything on PATH).
#include <gtest/gtest.h>

#include <filesystem>

#include "picture/binbatch.h"
#include "picture/binrun.h"
#include "picture/binrun/binrunfakes.h"
#include "platform/filesys.h"
#include "platform/winexc32.h"

namespace tovix {
namespace {

namespace fs = std::filesystem;

void WriteScript(const std::string& name, const std::string& body) {
  test::WriteFile(name, "#!/bin/sh\n" + body);
  fs::permissions(name, fs::perms::owner_all);
}

class BatchThroughInterpreter : public ::testing::Test {
 protected:
  void SetUp() override {
    test::LoadGermanStrings();
    ASSERT_TRUE(fs::exists(test::ProgramDir() + "tovix-cmd")) << "tovix-cmd is not built";
    platform::SetProgramDir(test::ProgramDir());
    fs::create_directory(work.path() + "/mp3");
    fs::create_directory(work.path() + "/bin");
    // The tools' contract: mklogo writes e2logo.c (and may leave menu.vbs),
    // c2bin turns it into e2logo.bin.
    WriteScript("mklogo",
                "[ -f \"$1\" ] || exit 1\nprintf '%s %s' \"$1\" \"$2\" > e2logo.c\n: > menu.vbs\n");
    WriteScript("c2bin", "cp \"$1\" \"$2\"\n");
  }
  void TearDown() override { platform::SetProgramDir(""); }
  std::string source() const { return work.path() + "/mp3"; }
  std::string target() const { return work.path() + "/bin"; }
  BinRunOptions Options(bool replaceBin) const {
    BinRunOptions o;
    o.sourceDir = source();
    o.targetDir = target();
    o.replaceBin = replaceBin;
    return o;
  }
  std::vector<std::string> WorkingFiles() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(work.path()))
      if (e.is_regular_file()) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  test::WorkingFolder work;
  test::FakePictures pictures;
  test::FakeHost host;
};

TEST_F(BatchThroughInterpreter, FailingMklogoSkipsTheMoveButNotTheDeletion) {
  WriteScript("mklogo", "exit 1\n");
  test::WriteFile("e2logo.bin", "left from before");
  test::WriteFile(source() + "/a.mp3", test::SongBytes());
  test::WriteFile(source() + "/b.mp3", test::SongBytes());
  BinRun run(pictures, host);
  run.SetOptions(Options(true));
  EXPECT_EQ(run.MakeAllBins(source(), target()), 0);  // no picture made
  EXPECT_FALSE(fs::exists("BM1.BMP"));
  EXPECT_FALSE(fs::exists("BM2.BMP"));
  EXPECT_FALSE(fs::exists(target() + "/A.BIN"));
  EXPECT_EQ(test::ReadFile("e2logo.bin"), "left from before");  // no c2bin, no move
  EXPECT_TRUE(host.MemoHas("a.mp3: keine .BIN erstellt"));
}

TEST_F(BatchThroughInterpreter, WholeRunWithAwkwardNames) {
  const std::string folder = work.path() +
                             "/Gr\xFC\xDF"
                             "e & 50%";
  fs::create_directory(platform::ToNative(folder));
  for (const char* name : {"AC&DC - T.N.T.mp3", "100% Live.mp3", "K\xF6ln ^ <Rock>.mp3"})
    test::WriteFile(platform::ToNative(source() + "/" + name), test::SongBytes());
  BinRunOptions options = Options(false);
  options.targetDir = folder;
  BinRun run(pictures, host);
  EXPECT_EQ(run.Run(options), 3);
  EXPECT_TRUE(host.errors.empty()) << host.errors[0];
  EXPECT_EQ(test::ReadFile(platform::ToNative(folder + "/AC&DC - T.N.T.BIN")), "BM2.BMP 2");
  EXPECT_EQ(test::ReadFile(platform::ToNative(folder + "/100% LIVE.BIN")), "BM1.BMP 2");
  EXPECT_EQ(test::ReadFile(platform::ToNative(folder + "/K\xF6LN ^ <ROCK>.BIN")), "BM3.BMP 2");
  EXPECT_FALSE(fs::exists(platform::ToNative(folder + "/TST9999.BIN")));
  // Nothing stray from an operator taken literally, the tool files cleared.
  EXPECT_EQ(WorkingFiles(),
            (std::vector<std::string>{"c2bin", "mklogo", "tmpbat.bat", "tmpbat.sem"}));
  EXPECT_NE(test::ReadFile("tmpbat.sem").find("batchfile of "), std::string::npos);
}

TEST_F(BatchThroughInterpreter, ExistenceTestKeepsAnExistingBin) {
  test::WriteFile(target() + "/ABC.BIN", "old");
  test::WriteFile("BM1.BMP", "picture");
  for (bool replaceBin : {false, true}) {
    test::WriteFile("BM1.BMP", "picture");
    BinBatch batch;
    BeginBinBatch(batch, BatchTimestamp());
    AddBinBatchEntry(batch, target() + "/ABC", 1, 5, replaceBin);
    EndBinBatch(batch);
    WriteBinBatch("tmpbat.bat", batch);
    RunAndWait(kBatchCommand, kShowHidden, kBatchWaitMs);
    EXPECT_FALSE(fs::exists("BM1.BMP"));
    EXPECT_EQ(test::ReadFile(target() + "/ABC.BIN"), replaceBin ? "BM1.BMP 5" : "old");
  }
}

}  // namespace
}  // namespace tovix
