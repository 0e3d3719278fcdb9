// RunAndWait: starting commands and batch files and waiting with a limit.
#include "platform/winexc32.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "platform/filesys.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

class RunAndWaitTest : public ::testing::Test {
 protected:
  RunAndWaitTest() : oldCwd_(fs::current_path()) {
    fs::current_path(dir_.path());
    platform::SetProgramDir(test::ProgramDir());
  }
  ~RunAndWaitTest() override {
    platform::SetProgramDir("");
    std::error_code ec;
    fs::current_path(oldCwd_, ec);
  }

  void Script(const std::string& name, const std::string& body) {
    test::WriteFile(dir_.file(name), "#!/bin/sh\n" + body + "\n");
    fs::permissions(dir_.file(name), fs::perms::owner_all);
  }
  void Batch(const std::string& name, const std::string& lines) {
    test::WriteFile(dir_.file(name), lines);
  }
  bool Has(const std::string& name) const { return fs::exists(dir_.file(name)); }
  // Waits (up to 10 s) for a file the child writes once it is done.
  bool Appears(const std::string& name) const {
    for (int i = 0; i < 1000 && !Has(name); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return Has(name);
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (auto& e : fs::directory_iterator(dir_.path())) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
  double Timed(const std::string& command, std::uint16_t show, std::int32_t limit) {
    auto start = Clock::now();
    RunAndWait(command, show, limit);
    return std::chrono::duration<double>(Clock::now() - start).count();
  }

  test::TempDir dir_;
  fs::path oldCwd_;
};

TEST_F(RunAndWaitTest, LimitZeroStartsAndReturnsAtOnce) {
  Script("slow", "sleep 2; touch done");
  EXPECT_LT(Timed("./slow", kShowHidden, 0), 1.0);
  EXPECT_FALSE(Has("done"));
  EXPECT_TRUE(Appears("done"));  // it was started and ran to its end
}

TEST_F(RunAndWaitTest, ChildEndingEarlyReturnsAtOnce) {
  Script("quick", "touch done");
  EXPECT_LT(Timed("quick", kShowHidden, 20000), 5.0);
  EXPECT_TRUE(Has("done"));
  Batch("quick.bat", "@echo off\r\necho x>batch.txt\r\n");
  EXPECT_LT(Timed("quick.bat", kShowHidden, 2147483647), 5.0);
  EXPECT_TRUE(Has("batch.txt"));
}

TEST_F(RunAndWaitTest, WaitsForTheBatchToEnd) {
  Batch("tmpbat.bat", "@echo off\r\nsleep 1\r\necho done>done.txt\r\n");
  RunAndWait(".\\tmpbat.bat", kShowHidden, 5000);
  EXPECT_TRUE(Has("done.txt"));
}

TEST_F(RunAndWaitTest, WindowKeepsAnsweringWhileTheBatchRuns) {
  Batch("tmpbat.bat", "@echo off\r\nsleep 1\r\necho done>done.txt\r\n");
  int pumped = 0;
  RunAndWait(".\\tmpbat.bat", kShowHidden, 5000, [&] { ++pumped; });
  EXPECT_TRUE(Has("done.txt"));  // waited for the end, as without the callback
  EXPECT_GE(pumped, 10);         // a one-second batch, 20 ms slices
}

TEST_F(RunAndWaitTest, MissingCommandReturnsAtOnceWithoutTrace) {
  auto before = Names();
  EXPECT_LT(Timed("nothing.bat", kShowHidden, 5000), 1.0);
  EXPECT_LT(Timed(".\\nothing.bat arg", kShowNormal, 5000), 1.0);
  EXPECT_LT(Timed("no-such-program-anywhere x", kShowNormal, 5000), 1.0);
  EXPECT_LT(Timed("", kShowHidden, 5000), 1.0);
  EXPECT_EQ(Names(), before);
  EXPECT_EQ(platform::PendingChildren(), 0u);
  EXPECT_FALSE(PlanCommand("nothing.bat", kShowHidden));
  // A folder is not a program either.
  fs::create_directory(dir_.file("dir.bat"));
  EXPECT_FALSE(PlanCommand("dir.bat", kShowHidden));
}

TEST_F(RunAndWaitTest, ChildSeesCurrentFolderAndEnvironmentOfTheCall) {
  fs::create_directory(dir_.file("work"));
  Batch("work/probe.bat", "@echo off\r\necho %TOVIX_PROBE%>env.txt\r\ncd >cwd.txt\r\n");
  Script("work/probe", "echo \"$TOVIX_PROBE\" > penv.txt; pwd > pcwd.txt");
  fs::current_path(dir_.file("work"));
  setenv("TOVIX_PROBE", "seen", 1);
  RunAndWait("PROBE.BAT", kShowHidden, 10000);
  RunAndWait("./probe", kShowHidden, 10000);
  setenv("TOVIX_PROBE", "changed", 1);
  unsetenv("TOVIX_PROBE");
  std::string work = fs::canonical(dir_.file("work")).string();
  EXPECT_EQ(test::ReadFile(dir_.file("work/env.txt")), "seen\r\n");
  EXPECT_EQ(test::ReadFile(dir_.file("work/cwd.txt")), work + "\r\n");
  EXPECT_EQ(test::ReadFile(dir_.file("work/penv.txt")), "seen\n");
  EXPECT_EQ(test::ReadFile(dir_.file("work/pcwd.txt")), work + "\n");
}

// Runs command with our standard output caught in a file.
std::string CaughtOutput(const std::string& command, std::uint16_t show, const std::string& file) {
  std::fflush(stdout);
  std::FILE* f = std::fopen(file.c_str(), "wb");
  int saved = dup(1);
  dup2(fileno(f), 1);
  RunAndWait(command, show, 10000);
  dup2(saved, 1);
  close(saved);
  std::fclose(f);
  return test::ReadFile(file);
}

TEST_F(RunAndWaitTest, ShowStates) {
  Script("talk", "read line; echo \"said [$line] $?\"");
  Batch("talk.bat", "@echo off\r\necho from batch\r\npause\r\n");
  test::TempDir side;
  // Hidden: nothing to read, nothing shown; a pause goes on at once.
  EXPECT_EQ(CaughtOutput("./talk", kShowHidden, side.file("a")), "");
  EXPECT_EQ(CaughtOutput("talk.bat", kShowHidden, side.file("b")), "");
  // Shown: the program's own terminal (here our standard output).
  Script("shown", "echo shown");
  EXPECT_EQ(CaughtOutput("./shown", kShowNormal, side.file("c")), "shown\n");
  EXPECT_EQ(CaughtOutput("talk.bat", kShowNormal, side.file("d")),
            "from batch\r\nPress any key to continue . . . \r\n");
}

TEST_F(RunAndWaitTest, ChildAtTheLimitRunsOnAndIsReaped) {
  Script("long", "sleep 1; touch done");
  double t = Timed("./long", kShowHidden, 200);
  EXPECT_GE(t, 0.19);
  EXPECT_LT(t, 0.9);
  EXPECT_FALSE(Has("done"));
  EXPECT_EQ(platform::PendingChildren(), 1u);
  EXPECT_TRUE(Appears("done"));
  // Reaped in the background: no zombie stays behind.
  for (int i = 0; i < 500 && platform::PendingChildren() > 0; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(platform::PendingChildren(), 0u);
}

TEST(PlanCommand, BatchFilesGoThroughTovixCmd) {
  test::TempDir dir;
  auto old = fs::current_path();
  fs::current_path(dir.path());
  platform::SetProgramDir(test::ProgramDir());
  test::WriteFile(dir.file("Mp3ToMp3.bat"), "@echo off\r\n");
  auto plan = PlanCommand("MP3TOMP3.BAT song.mp3 \"/a b/\" /out/ 192", kShowNormal);
  ASSERT_TRUE(plan);
  EXPECT_EQ(plan->program, test::ProgramDir() + "tovix-cmd");
  ASSERT_EQ(plan->args.size(), 6u);
  EXPECT_EQ(plan->args[1], dir.path() + "/Mp3ToMp3.bat");
  EXPECT_EQ(plan->args[3], "\"/a b/\"");  // the batch sees the quotes
  EXPECT_EQ(plan->out.kind, platform::StdStream::Kind::Inherit);
  auto hidden = PlanCommand(".\\mp3tomp3.bat", kShowHidden);
  ASSERT_TRUE(hidden);
  EXPECT_EQ(hidden->in.kind, platform::StdStream::Kind::Null);
  EXPECT_EQ(hidden->out.kind, platform::StdStream::Kind::Null);
  EXPECT_EQ(hidden->err.kind, platform::StdStream::Kind::Null);
  // Other programs get their arguments without the quotes.
  auto program = PlanCommand("sh -c \"exit 3\"", kShowHidden);
  ASSERT_TRUE(program);
  EXPECT_EQ(program->args, (std::vector<std::string>{"sh", "-c", "exit 3"}));
  platform::SetProgramDir("");
  fs::current_path(old);
}

}  // namespace
}  // namespace tovix
