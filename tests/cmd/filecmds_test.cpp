// tovix-cmd's commands that change files: move, del, md, rd, ren.
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>

#include "cmd/batchtest.h"

namespace tovix::test {
namespace {

namespace fs = std::filesystem;

void MakeReadOnly(const std::string& path) {
  fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
}

using Move = BatchTest;

TEST_F(Move, RenamesReplacesAndFindsNamesWithoutCase) {
  Put("a.mp3", "song");
  Put("e2logo.bin", "new picture");
  fs::create_directory("BIN");
  Put("BIN/abc.bin", "old picture");
  Result r = Run(Bat({"@echo off", "move A.MP3 b.mp3", "move e2logo.bin \"bin\\ABC.BIN\""}));
  EXPECT_EQ(r.level, 0) << r.err;
  EXPECT_EQ(Get("b.mp3"), "song");
  EXPECT_FALSE(Has("a.mp3"));
  // The old file is replaced and the name takes the spelling asked for.
  EXPECT_EQ(Names("BIN"), std::vector<std::string>{"ABC.BIN"});
  EXPECT_EQ(Get("BIN/ABC.BIN"), "new picture");
  EXPECT_EQ(r.out, Crlf({"        1 file(s) moved.", "        1 file(s) moved."}));
}

TEST_F(Move, IntoFolderAndBack) {
  Put("Some Band - First Song.mp3", "mp3 bytes");
  Put("Some Band - First Song.bin", "bin bytes");
  Result shortRun =
      Run(Bat({"@echo off", "MD S", "move \"Some Band - First Song.mp3\" S\\01SOMEB.mp3",
               "move \"Some Band - First Song.bin\" S\\01SOMEB.bin", "Echo [ Fertig ]"}));
  EXPECT_EQ(shortRun.level, 0) << shortRun.err;
  EXPECT_EQ(Names("S"), (std::vector<std::string>{"01SOMEB.bin", "01SOMEB.mp3"}));
  Result longRun =
      Run(Bat({"@echo off", "move S\\01SOMEB.mp3 \"Some Band - First Song.mp3\" ",
               "move S\\01SOMEB.bin \"Some Band - First Song.bin\" ", "RD S", "Echo [ Fertig ]"}));
  EXPECT_EQ(longRun.level, 0) << longRun.err;
  EXPECT_EQ(Names(), (std::vector<std::string>{"Some Band - First Song.bin",
                                               "Some Band - First Song.mp3", "test.bat"}));
  EXPECT_EQ(Get("Some Band - First Song.mp3"), "mp3 bytes");

  Put("x.txt", "x");
  fs::create_directory("Sub");
  Result into = Run(Bat({"@move X.TXT sub"}));
  EXPECT_EQ(Get("Sub/x.txt"), "x");
  EXPECT_EQ(into.level, 0);
}

TEST_F(Move, FailuresKeepTheFiles) {
  Put("src.txt", "source");
  Put("ro.txt", "read-only target");
  MakeReadOnly(dir_.file("ro.txt"));
  fs::create_directory("folder");
  Put("folder/src.txt", "not a folder");
  Result r =
      Run(Bat({"@echo off", "move missing.txt x.txt", "echo %errorlevel%", "move src.txt ro.txt",
               "echo %errorlevel%", "move folder src.txt", "echo %errorlevel%"}));
  EXPECT_EQ(r.out, Crlf({"1", "1", "1"}));
  EXPECT_EQ(Get("src.txt"), "source");
  EXPECT_EQ(Get("ro.txt"), "read-only target");
  EXPECT_EQ(Get("folder/src.txt"), "not a folder");
  EXPECT_NE(r.err.find("missing.txt"), std::string::npos);
  EXPECT_NE(r.err.find("read-only"), std::string::npos);
}

TEST_F(Move, OemNamesFromTheBatchFile) {
  // "Ärger.mp3" with Ä as code page 850 0x8E; on disk the UTF-8 name.
  Put("\xC3\x84rger.mp3", "x");
  Result r = Run(Bat({"@move \x8Erger.mp3 \x84rger2.mp3"}));
  EXPECT_EQ(r.level, 0) << r.err;
  EXPECT_EQ(Names(), (std::vector<std::string>{"test.bat", "\xC3\xA4rger2.mp3"}));
}

TEST_F(Move, CaseChangeOfTheSameFile) {
  Put("song.mp3", "x");
  Result r = Run(Bat({"@move song.mp3 SONG.MP3"}));
  EXPECT_EQ(r.level, 0) << r.err;
  EXPECT_EQ(Names(), (std::vector<std::string>{"SONG.MP3", "test.bat"}));
}

TEST_F(Move, PercentSignsInNamesWrittenDoubled) {
  Put("e2logo.bin", "picture");
  Result r = Run(Bat({"@move e2logo.bin \"100%% Hits & More.BIN\""}));
  EXPECT_EQ(r.level, 0) << r.err;
  EXPECT_EQ(Get("100% Hits & More.BIN"), "picture");
}

// A folder on /dev/shm, another file system than the test folder's, so a
// move there has to copy; removed with everything in it.
class OtherFileSystem {
 public:
  OtherFileSystem() {
    std::string dir = "/dev/shm/tovix-move-XXXXXX";
    if (!fs::exists("/dev/shm") || !mkdtemp(dir.data())) return;
    path_ = dir;
    struct stat here, there;
    if (stat(".", &here) != 0 || stat(dir.c_str(), &there) != 0 || here.st_dev == there.st_dev)
      why_ = "/dev/shm is on the same file system";
  }
  ~OtherFileSystem() {
    if (!path_.empty()) fs::remove_all(path_);
  }
  // Empty when the folder serves; else why not.
  std::string why() const { return path_.empty() ? "no /dev/shm here" : why_; }
  const std::string& path() const { return path_; }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(path_)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::string path_, why_;
};

TEST_F(Move, ToAnotherFileSystemCopiesThenRemoves) {
  OtherFileSystem other;
  if (!other.why().empty()) GTEST_SKIP() << other.why();
  const std::string shm = other.path();
  Put("new.mp3", "moved bytes");
  Put("old.mp3", "replacing bytes");
  WriteFile(shm + "/old.mp3", "replaced");
  Result r = Run(Bat({"@echo off", "move new.mp3 \"" + shm + "/new.mp3\"",
                      "move old.mp3 \"" + shm + "/OLD.MP3\""}));
  EXPECT_EQ(r.level, 0) << r.err;
  EXPECT_FALSE(Has("new.mp3"));
  EXPECT_FALSE(Has("old.mp3"));
  EXPECT_EQ(ReadFile(shm + "/new.mp3"), "moved bytes");
  // No temporary copy is left behind and the old target is replaced.
  EXPECT_EQ(other.Names(), (std::vector<std::string>{"OLD.MP3", "new.mp3"}));
  EXPECT_EQ(ReadFile(shm + "/OLD.MP3"), "replacing bytes");
}

TEST_F(Move, ToAFullFileSystemKeepsBothFiles) {
  // The BIN run moves each .BIN out of its work folder: onto a full disk
  // the copy fails, and neither the picture nor the old .BIN may suffer.
  OtherFileSystem other;
  if (!other.why().empty()) GTEST_SKIP() << other.why();
  const std::string shm = other.path();
  const std::string picture(64 * 1024, 'p');
  Put("e2logo.bin", picture);
  WriteFile(shm + "/SONG.BIN", "old picture");
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // A file-size limit stands in for the full disk; it binds root too.
    rlimit limit{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
    signal(SIGXFSZ, SIG_IGN);
    const Result r =
        Run(Bat({"@echo off", "move e2logo.bin \"" + shm + "/song.bin\"", "echo %errorlevel%",
                 "move e2logo.bin \"" + shm + "/new.bin\"", "echo %errorlevel%"}));
    const bool said = r.err.find(std::strerror(EFBIG)) != std::string::npos;
    _exit(r.out == Crlf({"1", "1"}) && said ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_EQ(Get("e2logo.bin"), picture);
  EXPECT_EQ(ReadFile(shm + "/SONG.BIN"), "old picture");
  EXPECT_EQ(other.Names(), std::vector<std::string>{"SONG.BIN"});
}

using Del = BatchTest;

TEST_F(Del, FilesPatternsAndRefusals) {
  Put("BM1.BMP", "1");
  Put("menu.vbs", "v");
  Put("keep.txt", "k");
  Put("a.tmp", "");
  Put("B.TMP", "");
  Put("locked.txt", "l");
  Put("forced.txt", "f");
  MakeReadOnly(dir_.file("locked.txt"));
  MakeReadOnly(dir_.file("forced.txt"));
  fs::create_directory("dir");
  Result r = Run(Bat({"@echo off", "Del bm1.bmp", "DEL MENU.VBS", "del *.tmp", "del locked.txt",
                      "echo %errorlevel%", "del /f forced.txt", "echo %errorlevel%", "del dir",
                      "erase none.txt"}));
  EXPECT_EQ(Names(), (std::vector<std::string>{"dir", "keep.txt", "locked.txt", "test.bat"}));
  EXPECT_EQ(r.out, Crlf({"1", "0"}));
  EXPECT_NE(r.err.find("Access is denied: locked.txt"), std::string::npos);
  EXPECT_NE(r.err.find("dir is a folder"), std::string::npos);
  EXPECT_NE(r.err.find("Could Not Find none.txt"), std::string::npos);
  EXPECT_EQ(r.level, 1);
}

using Folders = BatchTest;

TEST_F(Folders, MakeAndRemove) {
  Result r = Run(Bat({"@echo off", "MD 0-9", "md 0-9", "echo %errorlevel%", "mkdir a\\b\\c",
                      "md \"with blank\"", "rd a", "echo %errorlevel%", "rmdir A\\B\\C", "rd a\\b",
                      "RD \"WITH BLANK\"", "rd nothing", "echo %errorlevel%"}));
  EXPECT_EQ(Names(), (std::vector<std::string>{"0-9", "a", "test.bat"}));
  EXPECT_TRUE(Names("a").empty());
  EXPECT_EQ(r.out, Crlf({"1", "1", "1"}));
  EXPECT_NE(r.err.find("0-9 already exists"), std::string::npos);
  EXPECT_NE(r.err.find("not empty: a"), std::string::npos);
}

TEST_F(Folders, RenameNeverReplaces) {
  Put("one.txt", "1");
  Put("two.txt", "2");
  Result r = Run(Bat({"@echo off", "ren one.txt TWO.TXT", "echo %errorlevel%",
                      "ren ONE.TXT three.txt", "ren two.txt Two.txt"}));
  EXPECT_EQ(r.out, Crlf({"1"}));
  EXPECT_EQ(Names(), (std::vector<std::string>{"Two.txt", "test.bat", "three.txt"}));
  EXPECT_EQ(Get("three.txt"), "1");
  EXPECT_EQ(Get("Two.txt"), "2");
}

}  // namespace
}  // namespace tovix::test
