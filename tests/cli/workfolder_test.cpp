// The BIN run's scratch folder: gone after the run, after SIGTERM or
// SIGINT, and at the next start when its run was killed outright.
#include "workfolder.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "support/tempdir.h"

namespace tovix::cli {
namespace {

namespace fs = std::filesystem;

// The work folders under dir, as names.
std::vector<std::string> WorkFolders(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir))
    if (e.path().filename().string().starts_with("tovix-cli-work-"))
      names.push_back(e.path().filename().string());
  return names;
}

class WorkFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* old = std::getenv("TMPDIR");
    oldTmp_ = old ? old : "";
    hadTmp_ = old != nullptr;
    setenv("TMPDIR", tmp_.path().c_str(), 1);
  }
  void TearDown() override {
    if (hadTmp_)
      setenv("TMPDIR", oldTmp_.c_str(), 1);
    else
      unsetenv("TMPDIR");
  }
  test::TempDir tmp_;
  std::string oldTmp_;
  bool hadTmp_ = false;
};

TEST_F(WorkFolderTest, SignalsRemoveTheFolderWithItsBitmaps) {
  for (int sig : {SIGTERM, SIGINT}) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      WorkFolder work;
      test::WriteFile("BM1.BMP", std::string(1 << 20, 'x'));
      test::WriteFile("tmpbat.bat", "@echo off\r\n");
      raise(sig);
      _exit(0);  // not reached: the signal ends the run
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << status;
    EXPECT_EQ(WorkFolders(tmp_.path()), std::vector<std::string>{}) << sig;
  }
}

TEST_F(WorkFolderTest, FoldersOfRunsThatAreGoneGoAtTheNextStart) {
  // A process that has ended: its number names no running run.
  const pid_t gone = fork();
  ASSERT_GE(gone, 0);
  if (gone == 0) _exit(0);
  waitpid(gone, nullptr, 0);
  const std::string stale = tmp_.file("tovix-cli-work-" + std::to_string(gone) + "-abc123");
  const std::string running = tmp_.file("tovix-cli-work-" + std::to_string(getpid()) + "-def456");
  const std::string other = tmp_.file("tovix-cli-work-keep");
  for (const std::string& dir : {stale, running, other}) {
    fs::create_directory(dir);
    test::WriteFile(dir + "/BM1.BMP", "bitmap");
  }
  {
    WorkFolder work;
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(running + "/BM1.BMP"));  // a run still going
    EXPECT_TRUE(fs::exists(other + "/BM1.BMP"));    // not named by a run
    EXPECT_EQ(WorkFolders(tmp_.path()).size(), 3u);
  }
  EXPECT_EQ(WorkFolders(tmp_.path()).size(), 2u);
}

}  // namespace
}  // namespace tovix::cli
