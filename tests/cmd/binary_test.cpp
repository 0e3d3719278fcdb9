// The real tovix-cmd program, started as the program starts it.
#include <cstdlib>

#include "cmd/batchtest.h"
#include "platform/process.h"

namespace tovix::test {
namespace {

class Binary : public BatchTest {
 protected:
  // Runs tovix-cmd with args in the test folder; output caught in files.
  Result Cmd(const std::vector<std::string>& args,
             std::optional<std::vector<std::string>> env = std::nullopt) {
    platform::ProcessSpec request;
    request.program = ProgramDir() + "tovix-cmd";
    request.args = {request.program};
    request.args.insert(request.args.end(), args.begin(), args.end());
    request.workDir = dir_.path();
    request.env = std::move(env);
    request.in = platform::StdStream::Null();
    request.out = platform::StdStream::ToFile(side_.file("bout"));
    request.err = platform::StdStream::ToFile(side_.file("berr"));
    platform::Process p;
    Result r;
    if (!p.Start(request)) {
      ADD_FAILURE() << "tovix-cmd cannot be started: " << request.program;
      return r;
    }
    EXPECT_TRUE(p.Wait(60000));
    r.level = p.exitCode();
    r.out = ReadFile(side_.file("bout"));
    r.err = ReadFile(side_.file("berr"));
    return r;
  }
};

TEST_F(Binary, PictureBatchEndToEnd) {
  Script("mklogo", "[ -f \"$1\" ] || exit 1; echo \"level $2\" > e2logo.c; echo x > menu.vbs");
  Script("c2bin", "cp \"$1\" \"$2\"; echo noise");
  std::filesystem::create_directory("Ziel Ordner");
  Put("BM7.BMP", "bmp");
  Put("tmpbat.bat",
      Bat({"@echo batchfile of 01.02.2025 10:11:12 >tmpbat.sem", "@echo off",
           "Echo [ Ziel Ordner\\Caf\x82 ]",  // é in code page 850
           "if exist \"Ziel Ordner\\Caf\x82.BIN\" goto NoReplace", "mklogo BM7.BMP 4",
           "if errorlevel 1 pause", "if errorlevel 1 goto NoReplace",
           "c2bin e2logo.c e2logo.bin >NUL", "move e2logo.bin \"Ziel Ordner\\Caf\x82.BIN\"",
           ":NoReplace", "Del BM7.BMP", "Echo [ Fertig ]", "del menu.vbs", "del e2logo.c"}));
  Result r = Cmd({".\\tmpbat.bat"});
  EXPECT_EQ(r.level, 0) << r.err;
  EXPECT_EQ(r.out, Crlf({"[ Ziel Ordner\\Caf\xE9 ]", "        1 file(s) moved.", "[ Fertig ]"}));
  EXPECT_EQ(Get("Ziel Ordner/Caf\xC3\xA9.BIN"), "level 4\n");
  EXPECT_EQ(Names(), (std::vector<std::string>{"Ziel Ordner", "c2bin", "mklogo", "tmpbat.bat",
                                               "tmpbat.sem"}));
  // A second run finds the .BIN and leaves it alone; the bitmap still goes.
  Put("BM7.BMP", "bmp");
  Put("Ziel Ordner/Caf\xC3\xA9.BIN", "kept");
  r = Cmd({"TMPBAT.BAT"});
  EXPECT_EQ(Get("Ziel Ordner/Caf\xC3\xA9.BIN"), "kept");
  EXPECT_FALSE(Has("BM7.BMP"));
}

TEST_F(Binary, ArgumentsWithBlanksAndExitCodes) {
  Put("args.bat", Bat({"@echo off", "echo [%1] [%~1] [%2] [%~2]", "exit /b %3"}));
  Result r = Cmd({"args.bat", "a b", "\"q r\"", "7"});
  EXPECT_EQ(r.out, Crlf({"[\"a b\"] [a b] [\"q r\"] [q r]"}));
  EXPECT_EQ(r.level, 7);
  // The exit code is the last errorlevel; one beyond 255 still means failure.
  Put("missing.bat", Bat({"@no-such-program-anywhere"}));
  r = Cmd({"missing.bat"});
  EXPECT_EQ(r.level, 255);
  EXPECT_NE(r.err.find("not recognized"), std::string::npos);
}

TEST_F(Binary, ProgramsFromTheCurrentFolderThenPath) {
  std::filesystem::create_directory("bin");
  Put("bin/which", "#!/bin/sh\necho path\n");
  std::filesystem::permissions(dir_.file("bin/which"), std::filesystem::perms::owner_all);
  Put("run.bat", Bat({"@which"}));
  std::vector<std::string> env{"PATH=" + dir_.file("bin") + ":/usr/bin:/bin"};
  EXPECT_EQ(Cmd({"run.bat"}, env).out, "path\n");
  Script("which", "echo here");
  EXPECT_EQ(Cmd({"run.bat"}, env).out, "here\n");
}

TEST_F(Binary, MissingBatchOrNoArguments) {
  Result r = Cmd({"nothing.bat"});
  EXPECT_EQ(r.level, 1);
  EXPECT_NE(r.err.find("nothing.bat"), std::string::npos);
  r = Cmd({});
  EXPECT_EQ(r.level, 1);
  EXPECT_NE(r.err.find("usage"), std::string::npos);
  EXPECT_EQ(Names(), std::vector<std::string>{});
}

TEST_F(Binary, EndlessGotoLoopEndsOnSigtermAndSigint) {
  // A shell's background job starts with SIGINT ignored; tovix-cmd must
  // still end at once on Ctrl+C, and on SIGTERM.
  Put("loop.bat", Bat({"@echo off", ":again", "goto again"}));
  Put("run.sh",
      "for sig in TERM INT; do\n  \"$1\" loop.bat & pid=$!\n  sleep 0.2\n"
      "  kill -$sig $pid; wait $pid; echo $?\ndone\n");
  platform::ProcessSpec request;
  request.program = "/bin/sh";
  request.args = {"/bin/sh", "run.sh", ProgramDir() + "tovix-cmd"};
  request.workDir = dir_.path();
  request.in = platform::StdStream::Null();
  request.out = platform::StdStream::ToFile(side_.file("out"));
  platform::Process p;
  ASSERT_TRUE(p.Start(request));
  ASSERT_TRUE(p.Wait(30000)) << "the loop did not end";
  EXPECT_EQ(ReadFile(side_.file("out")), "143\n130\n");
}

}  // namespace
}  // namespace tovix::test
