// The process layer on its own: exit codes, working folder, environment,
// the time limit, and children given up while running.
#include "platform/process.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "support/tempdir.h"

namespace tovix::platform {
namespace {

using test::ReadFile;
using test::TempDir;

ProcessSpec Shell(const std::string& script) {
  ProcessSpec request;
  request.program = "/bin/sh";
  request.args = {"sh", "-c", script};
  request.in = StdStream::Null();
  return request;
}

int RunToEnd(const ProcessSpec& request) {
  Process child;
  if (!child.Start(request)) return -1000 - child.error();
  if (!child.Wait(kWaitForever)) return -1;
  return child.exitCode();
}

// Polls a condition that holds as soon as some other process got there;
// the limit is only there so a fault ends the test instead of hanging it.
template <class Condition>
bool Eventually(Condition condition) {
  for (int i = 0; i < 3000; ++i) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return condition();
}

TEST(Process, ExitCodesAndSignals) {
  EXPECT_EQ(RunToEnd(Shell("exit 0")), 0);
  EXPECT_EQ(RunToEnd(Shell("exit 7")), 7);
  EXPECT_EQ(RunToEnd(Shell("exit 255")), 255);
  EXPECT_EQ(RunToEnd(Shell("kill -KILL $$")), 128 + SIGKILL);
  Process missing;
  ProcessSpec request;
  request.program = "/no/such/program";
  EXPECT_FALSE(missing.Start(request));
  EXPECT_EQ(missing.error(), ENOENT);
}

TEST(Process, WorkingFolderEnvironmentAndStreams) {
  TempDir dir;
  const std::string work = dir.file("work folder");
  std::filesystem::create_directory(work);
  ProcessSpec request = Shell("pwd; echo \"[$TOVIX_PROBE]\"; echo \"${HOME:-no home}\"; echo err >&2");
  request.workDir = work;
  request.env = std::vector<std::string>{"TOVIX_PROBE=a b=c"};
  request.out = StdStream::ToFile(dir.file("out.txt"));
  request.err = StdStream::ToFile(dir.file("err.txt"));
  ASSERT_EQ(RunToEnd(request), 0);
  const std::string real = std::filesystem::canonical(work).string();
  EXPECT_EQ(ReadFile(dir.file("out.txt")), real + "\n[a b=c]\nno home\n");
  EXPECT_EQ(ReadFile(dir.file("err.txt")), "err\n");
  // Appending keeps what was there.
  request = Shell("echo more");
  request.out = StdStream::ToFile(dir.file("err.txt"), true);
  ASSERT_EQ(RunToEnd(request), 0);
  EXPECT_EQ(ReadFile(dir.file("err.txt")), "err\nmore\n");
  // A working folder that does not exist is a failure to start.
  request.workDir = dir.file("missing");
  Process child;
  EXPECT_FALSE(child.Start(request));
  EXPECT_NE(child.error(), 0);
}

// A shell script in folder that reads its standard input from a pipe: the
// child runs until the test closes the pipe's write end, gate[1].
struct GatedChild {
  int gate[2] = {-1, -1};
  ProcessSpec request;
  GatedChild(const std::string& script, const std::string& folder) {
    if (pipe2(gate, O_CLOEXEC) != 0) ADD_FAILURE() << "no pipe";
    request = Shell(script);
    request.workDir = folder;
    request.in = StdStream::FromDescriptor(gate[0]);
  }
  bool Start(Process& child) {
    const bool started = child.Start(request);
    close(gate[0]);
    return started;
  }
  void Open() { close(gate[1]); }
};

TEST(Process, TheTimeLimitEndsTheWaitNotTheChild) {
  TempDir dir;
  // The child runs until the gate opens, then leaves a mark.
  GatedChild gated("read line; echo done > mark", dir.path());
  Process child;
  ASSERT_TRUE(gated.Start(child));
  EXPECT_FALSE(child.Wait(0));
  EXPECT_FALSE(child.Wait(50));
  EXPECT_FALSE(child.finished());
  gated.Open();
  EXPECT_TRUE(child.Wait(kWaitForever));
  EXPECT_EQ(child.exitCode(), 0);
  EXPECT_EQ(ReadFile(dir.file("mark")), "done\n");
}

TEST(Process, AChildLeftRunningIsReapedWhenItEnds) {
  TempDir dir;
  GatedChild gated("echo $$ > pid; read line", dir.path());
  const std::size_t before = PendingChildren();
  {
    Process child;
    ASSERT_TRUE(gated.Start(child));
    ASSERT_TRUE(Eventually([&] { return !ReadFile(dir.file("pid")).empty(); }));
    EXPECT_FALSE(child.Wait(0));
  }  // given up while it runs
  const pid_t pid = std::stoi(ReadFile(dir.file("pid")));
  EXPECT_EQ(PendingChildren(), before + 1);
  EXPECT_EQ(kill(pid, 0), 0) << "the child must run on";
  gated.Open();
  // Once it ends it is reaped: no zombie stays in the process table.
  EXPECT_TRUE(Eventually([&] { return PendingChildren() == before; }));
  EXPECT_TRUE(Eventually([&] { return kill(pid, 0) != 0 && errno == ESRCH; }));
}

}  // namespace
}  // namespace tovix::platform
