// tovix-cmd's interpreter run in the test process: echo, redirection,
// labels, if, errorlevel, programs and the forms it refuses.
#include <cstdlib>

#include "cmd/batchtest.h"
#include "cmd/interpreter.h"

namespace tovix::test {
namespace {

using Echo = BatchTest;

TEST_F(Echo, FormsAndEchoState) {
  Result r = Run(Bat({"@echo off", "echo Hello  World ", "Echo [ Fertig ]", "echo.", "echo:x",
                      "echo", "echo on", "@echo", "@rem echo not me", "@rem > not.txt"}));
  EXPECT_EQ(r.out, Crlf({"Hello  World ", "[ Fertig ]", "", "x", "ECHO is off.", "ECHO is on."}));
  EXPECT_EQ(r.level, 0);
  EXPECT_FALSE(Has("not.txt"));
}

TEST_F(Echo, EchoOnShowsEachLineButNotAtLines) {
  Result r = Run(Bat({"echo one", "@echo two"}));
  std::string cwd = std::filesystem::current_path().string();
  EXPECT_EQ(r.out, Crlf({cwd + ">echo one", "one", "two"}));
}

TEST_F(Echo, TextReadAsCodePage850AndWrittenAsTheProgramsCodePage) {
  // "Grüße" in code page 850: ü = 0x81, ß = 0xE1.
  Result r =
      Run(Bat({"@echo Gr\x81\xE1"
               "e>gruss.txt"}));
  EXPECT_EQ(Get("gruss.txt"),
            "Gr\xFC\xDF"
            "e\r\n");  // Windows-1252
  EXPECT_EQ(r.level, 0);
}

using Redirect = BatchTest;

TEST_F(Redirect, FilesAppendErrorsAndNul) {
  Result r = Run(Bat({"@echo off", "echo first >log.txt", "echo second>>LOG.TXT",
                      "del missing.txt 2>err.txt", "del missing2.txt 2>>Err.txt", "echo gone >NUL",
                      "echo gone too > nul", "echo both >both.txt 2>&1"}));
  EXPECT_EQ(Get("log.txt"), Crlf({"first ", "second"}));
  EXPECT_EQ(Get("err.txt"), Crlf({"Could Not Find missing.txt", "Could Not Find missing2.txt"}));
  EXPECT_EQ(Get("both.txt"), Crlf({"both  "}));
  EXPECT_FALSE(Has("NUL"));
  EXPECT_FALSE(Has("nul"));
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(Names(), (std::vector<std::string>{"both.txt", "err.txt", "log.txt", "test.bat"}));
}

TEST_F(Redirect, QuotedTargetWithBlanksAndProgramOutput) {
  Script("hello", "echo out-$1; echo err-$1 >&2");
  Result r = Run(Bat({"@echo off", "hello A >\"my log.txt\" 2>\"my err.txt\"", "hello B >nul"}));
  EXPECT_EQ(Get("my log.txt"), "out-A\n");
  EXPECT_EQ(Get("my err.txt"), "err-A\n");
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "err-B\n");
}

TEST_F(Redirect, UnopenableTargetSkipsTheCommand) {
  Result r = Run(Bat({"@echo off", "echo x >nofolder\\x.txt", "echo after"}));
  EXPECT_EQ(r.out, Crlf({"after"}));
  EXPECT_NE(r.err.find("nofolder"), std::string::npos);
}

TEST_F(Redirect, EchoIntoAFullDiskFails) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  Result r = Run(Bat({"@echo off", "echo x >/dev/full && echo written", "echo level %errorlevel%",
                      "echo y >/dev/full || echo refused"}));
  EXPECT_EQ(r.out, Crlf({"level 1", "refused"}));
  EXPECT_NE(r.err.find("could not be written"), std::string::npos);
}

using Labels = BatchTest;

TEST_F(Labels, GotoForwardBackwardAndEof) {
  Result r = Run(Bat({"@echo off", "goto Start", "echo skipped", ":again", "echo again",
                      "goto :EOF", ":start", "echo start", "GOTO aGaIn", "echo never"}));
  EXPECT_EQ(r.out, Crlf({"start", "again"}));
  EXPECT_EQ(r.level, 0);
}

TEST_F(Labels, MissingLabelEndsTheBatch) {
  Result r = Run(Bat({"@echo off", "goto nowhere", "echo never"}));
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.level, 1);
  EXPECT_NE(r.err.find("nowhere"), std::string::npos);
}

using Conditions = BatchTest;

TEST_F(Conditions, ExistAndNotExist) {
  Put("My Song.BIN", "x");
  Result r = Run(Bat({"@echo off", "if exist \"my song.bin\" echo found",
                      "if not exist \"my song.bin\" echo wrong", "if exist none.bin echo wrong",
                      "if not exist none.bin echo absent", "if exist *.bin echo pattern",
                      "If Exist MY*.bIN Echo pattern2"}));
  EXPECT_EQ(r.out, Crlf({"found", "absent", "pattern", "pattern2"}));
}

TEST_F(Conditions, ErrorlevelMeansAtLeast) {
  Script("ret", "exit $1");
  Result r =
      Run(Bat({"@echo off", "ret 2", "if errorlevel 3 echo three", "if errorlevel 2 echo two",
               "if errorlevel 1 echo one", "if not errorlevel 3 echo below3", "ret 0",
               "if errorlevel 1 echo wrong", "if not errorlevel 1 echo zero"}));
  EXPECT_EQ(r.out, Crlf({"two", "one", "below3", "zero"}));
}

TEST_F(Conditions, StringComparisons) {
  Result r = Run(Bat({"@echo off", "if \"%1\"==\"abc\" echo same",
                      "if not \"%1\"==\"ABC\" echo case", "if /i \"%1\"==\"ABC\" echo nocase",
                      "if %2 == x echo blanks", "if 10 GTR 9 echo numeric"}),
                 {"abc", "x"});
  EXPECT_EQ(r.out, Crlf({"same", "case", "nocase", "blanks", "numeric"}));
}

TEST_F(Conditions, BadFormsAreReported) {
  Result r = Run(Bat({"@echo off", "if errorlevel x echo a", "echo %errorlevel%", "if exist a.txt",
                      "echo %errorlevel%", "if exist a.txt (echo a)", "echo end"}));
  EXPECT_EQ(r.out, Crlf({"1", "1", "end"}));
  EXPECT_NE(r.err.find("not a number"), std::string::npos);
  EXPECT_NE(r.err.find("no command"), std::string::npos);
  EXPECT_NE(r.err.find("parentheses"), std::string::npos);
}

using Errorlevel = BatchTest;

// The flow of the picture batch: a failing tool skips to NoReplace, and
// the lines after the label still run.
TEST_F(Errorlevel, FailingToolSkipsToNoReplace) {
  Script("mklogo", "echo mklogo $1 $2 >>calls.txt; [ -f fail ] && exit 1; echo data > e2logo.c");
  Script("c2bin", "cp $1 $2; echo converted");
  const std::string batch =
      Bat({"@echo batchfile of now >tmpbat.sem", "@echo off", "Echo [ out\\SONG ]",
           "mklogo BM1.BMP 2", "if errorlevel 1 pause", "if errorlevel 1 goto NoReplace",
           "c2bin e2logo.c e2logo.bin >NUL", "move e2logo.bin \"out\\SONG.BIN\"", ":NoReplace",
           "Del BM1.BMP", "Echo [ Fertig ]", "del menu.vbs", "del e2logo.c"});
  std::filesystem::create_directory("out");
  Put("BM1.BMP", "bitmap");
  Result ok = Run(batch);
  EXPECT_EQ(Get("out/SONG.BIN"), "data\n");
  EXPECT_FALSE(Has("BM1.BMP"));
  EXPECT_FALSE(Has("e2logo.c"));
  EXPECT_EQ(Get("tmpbat.sem"), "batchfile of now \r\n");

  std::filesystem::remove("out/SONG.BIN");
  Put("BM1.BMP", "bitmap");
  Put("fail", "");
  Result failed = Run(batch);
  EXPECT_FALSE(Has("out/SONG.BIN"));
  EXPECT_FALSE(Has("BM1.BMP"));  // the completion signal comes all the same
  EXPECT_NE(failed.out.find("Press any key"), std::string::npos);
  EXPECT_EQ(Get("calls.txt"), "mklogo BM1.BMP 2\nmklogo BM1.BMP 2\n");
  EXPECT_EQ(ok.out.find("Press any key"), std::string::npos);
}

TEST_F(Errorlevel, ChainsFollowSuccess) {
  Script("ok", "exit 0");
  Script("bad", "exit 4");
  Result r = Run(Bat({"@echo off", "ok && echo a", "bad && echo b", "bad || echo c",
                      "echo d & echo e", "if exist none echo f & echo g"}));
  // The blank before & belongs to the echo text, as on Windows.
  EXPECT_EQ(r.out, Crlf({"a", "c", "d ", "e"}));
  EXPECT_EQ(r.level, 4);  // echo leaves the errorlevel alone
}

using Programs = BatchTest;

TEST_F(Programs, CurrentFolderBeforePath) {
  std::filesystem::create_directory("bin");
  Put("bin/tool", "#!/bin/sh\necho from-path\n");
  std::filesystem::permissions(dir_.file("bin/tool"), std::filesystem::perms::owner_all);
  Script("tool", "echo from-here");
  std::string oldPath = std::getenv("PATH");
  setenv("PATH", (dir_.file("bin") + ":" + oldPath).c_str(), 1);
  Result here = Run(Bat({"@tool"}));
  std::filesystem::remove("tool");
  Result path = Run(Bat({"@TOOL"}));
  setenv("PATH", oldPath.c_str(), 1);
  EXPECT_EQ(here.out, "from-here\n");
  EXPECT_EQ(path.out, "from-path\n");
}

TEST_F(Programs, MissingProgramSets9009AndGoesOn) {
  Result r = Run(Bat({"@echo off", "no-such-program-anywhere x", "echo %errorlevel%"}));
  EXPECT_EQ(r.level, 9009);
  EXPECT_EQ(r.out, Crlf({"9009"}));
  EXPECT_NE(r.err.find("'no-such-program-anywhere' is not recognized"), std::string::npos);
}

TEST_F(Programs, ArgumentsQuotedWithBlanksAndWindowsPaths) {
  Script("args", "for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done");
  std::filesystem::create_directory("My Music");
  Put("My Music/Song One.mp3", "x");
  Result r =
      Run(Bat({"@args \"%~1\" %2 my~1 \"my music\\song one.MP3\" -b 192 a\\b"}), {"\"a b\"", "c"});
  EXPECT_EQ(r.out, "[a b]\n[c]\n[my~1]\n[My Music/Song One.mp3]\n[-b]\n[192]\n[a\\b]\n");
}

TEST_F(Programs, UnknownBuiltinFormsAreRefused) {
  Result r = Run(Bat({"@echo off", "for %%f in (*.mp3) do echo %%f", "echo %errorlevel%",
                      "copy a b", "move onlyone", "del /s x", "echo %errorlevel%", "echo end"}));
  EXPECT_EQ(r.out, Crlf({"1", "1", "end"}));
  EXPECT_NE(r.err.find("\"for\""), std::string::npos);
  EXPECT_NE(r.err.find("\"copy\""), std::string::npos);
  EXPECT_NE(r.err.find("move needs"), std::string::npos);
  EXPECT_NE(r.err.find("/s"), std::string::npos);
}

TEST_F(Programs, PauseWithoutTerminalReturnsAtOnce) {
  Result r = Run(Bat({"@pause", "@echo after"}));
  EXPECT_EQ(r.out, "Press any key to continue . . . \r\nafter\r\n");
}

TEST_F(Programs, NestedBatchAndCall) {
  Put("inner.bat", Bat({"@echo inner %1"}));
  Result r =
      Run(Bat({"@echo off", "call inner.bat one", "echo back", "INNER.BAT two", "echo never"}));
  EXPECT_EQ(r.out, Crlf({"inner one", "back", "inner two"}));
}

TEST_F(Programs, SetShiftAndExit) {
  Result r =
      Run(Bat({"@echo off", "set TOVIX_T=a b", "echo %tovix_t%", "set TOVIX_T=", "echo [%TOVIX_T%]",
               "shift", "echo %1", "exit /b 3", "echo never"}),
          {"first", "second"});
  EXPECT_EQ(r.out, Crlf({"a b", "[]", "second"}));
  EXPECT_EQ(r.level, 3);
  EXPECT_EQ(std::getenv("TOVIX_T"), nullptr);
}

}  // namespace
}  // namespace tovix::test
