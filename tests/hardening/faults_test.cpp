// Faults during writes: an exceeded file-size limit stands in for a full
// disk (it works for root, too). Every write fails with its message and
// leaves the old file whole and no half-written or temporary file.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "mp3/mpegfile.h"
#include "picture/bitmap.h"
#include "platform/filesys.h"
#include "platform/inifile.h"
#include "platform/ioerror.h"
#include "platform/signals.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

using test::ReadFile;
using test::WriteFile;

constexpr rlim_t kLimit = 64 * 1024;

// Runs checks in a child under the file-size limit; its exit code is the
// number of the first check that failed.
int UnderFileSizeLimit(const std::function<int()>& checks) {
  const pid_t child = fork();
  if (child == 0) {
    rlimit limit{kLimit, kLimit};
    setrlimit(RLIMIT_FSIZE, &limit);
    platform::IgnoreFileSizeSignal();
    _exit(checks());
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

TEST(Faults, FileSizeLimitFailsEachWriteAndKeepsTheOldFiles) {
  test::TempDir dir;
  const std::string settings = dir.file("tovix.ini");
  const std::string picture = dir.file("BM1.BMP");
  const std::string song = dir.file("song.mp3");
  WriteFile(settings, "; mine\r\n[Tovix]\r\nmp3dir=/old\r\n");
  WriteFile(picture, "old picture");
  // A song just under the limit: its tag would pass it.
  WriteFile(song, std::string(kLimit - 64, '\xAA'));

  const int failed = UnderFileSizeLimit([&] {
    if (platform::WriteFileWhole(picture, std::string(kLimit + 1, 'p')) != EFBIG) return 1;
    try {
      WriteBmpFile(picture, MakeBitmap(704, 480));  // 1 MB
      return 2;
    } catch (const IoError& e) {
      if (e.code() != EFBIG) return 3;
    }
    try {
      platform::IniFile(settings).WriteString("Tovix", "bitmap", std::string(kLimit, 'b'));
      return 4;
    } catch (const IoError& e) {
      if (std::string(e.what()).find("tovix.ini") == std::string::npos) return 5;
    }
    TID3Tag tag{};
    tag.Title = "Song";
    try {
      WriteID3Tag(song, tag);
      return 6;
    } catch (const IoError& e) {
      if (e.code() != EFBIG) return 7;
    }
    return 0;
  });
  EXPECT_EQ(failed, 0);
  EXPECT_EQ(ReadFile(picture), "old picture");
  EXPECT_EQ(ReadFile(settings), "; mine\r\n[Tovix]\r\nmp3dir=/old\r\n");
  EXPECT_EQ(std::filesystem::file_size(song), kLimit - 64);  // no half tag
  std::size_t files = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir.path())) files += !e.path().empty();
  EXPECT_EQ(files, 3u);  // no temporary file left behind
}

TEST(Faults, ScratchFileGoesWhenASignalEndsTheProgram) {
  test::TempDir dir;
  const std::string temp = dir.file(".c2bin-abc");
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    WriteFile(temp, "half");
    platform::RemoveOnSignal(temp, false);
    raise(SIGTERM);
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
  EXPECT_FALSE(std::filesystem::exists(temp));
}

}  // namespace
}  // namespace tovix
