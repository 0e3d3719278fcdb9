// The file-name entry points: missing files, folders, letter case, and a
// tag write that never loses audio, also when the disk is full.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "mp3/mpegfile.h"
#include "mp3builder.h"
#include "platform/filesys.h"
#include "platform/ioerror.h"
#include "support/tempdir.h"
#include "support/unprivileged.h"

namespace tovix {
namespace {

using test::Frames;
using test::Id3v1;
using test::ReadFile;
using test::TagFields;
using test::TempDir;
using test::WriteFile;

TEST(ReadMPEGDataFile, MissingFilesAndFoldersGiveMinusOne) {
  TempDir dir;
  TMPEGData d;
  d.BitRate = 7;
  EXPECT_EQ(ReadMPEGData(dir.file("none.mp3"), d), -1);
  EXPECT_EQ(d.BitRate, 0);
  EXPECT_EQ(d.Encoder, "");
  EXPECT_EQ(ReadMPEGData(dir.path(), d), -1);
}

TEST(ReadMPEGDataFile, FindsTheFileWithoutRegardToCase) {
  TempDir dir;
  WriteFile(dir.file("Song.MP3"), Frames(10));
  TMPEGData d;
  EXPECT_EQ(ReadMPEGData(dir.file("song.mp3"), d), 0);
  EXPECT_EQ(d.BitRate, 128);
  EXPECT_EQ(d.FileLength, 4170);
}

TEST(ReadMPEGDataFile, AnUnreadableFileGivesTheSystemsErrorNumber) {
  TempDir dir;
  const std::string locked = dir.file("locked.mp3");
  WriteFile(locked, Frames(10));
  chmod(locked.c_str(), 0);
  // 0: as expected; 1..3: which expectation failed.
  const int result = test::RunUnprivileged({dir.path(), locked}, [&] {
    TMPEGData d;
    if (ReadMPEGData(locked, d) != EACCES || d.BitRate != 0) return 1;
    TID3Tag tag;
    tag.Title = "kept";
    try {
      ReadID3Tag(locked, tag);
      return 2;
    } catch (const IoError&) {
    }
    return tag.Title == "kept" ? 0 : 3;
  });
  EXPECT_EQ(result, 0);
}

TEST(ReadID3TagFile, MissingFilesAndFoldersLeaveTheRecordAlone) {
  TempDir dir;
  TID3Tag tag;
  tag.Title = "kept";
  EXPECT_FALSE(ReadID3Tag(dir.file("none.mp3"), tag));
  EXPECT_FALSE(ReadID3Tag(dir.path(), tag));
  EXPECT_EQ(tag.Title, "kept");
  TagFields f;
  f.title = "Found";
  WriteFile(dir.file("A.mp3"), Frames(2) + Id3v1(f));
  EXPECT_TRUE(ReadID3Tag(dir.file("a.mp3"), tag));
  EXPECT_EQ(tag.Title, "Found");
}

class WriteTagTest : public ::testing::Test {
 protected:
  TempDir dir_;
  std::string audio_ = Frames(30) + "end of audio";
  std::string path_ = dir_.file("song.mp3");

  static TID3Tag Tag(const std::string& title) {
    TID3Tag tag;
    tag.Title = title;
    tag.Artist = "Artist";
    tag.Track = "4";
    tag.Genre = 12;
    return tag;
  }
  std::string Contents() const { return ReadFile(path_); }
};

TEST_F(WriteTagTest, AppendsToAFileWithoutTag) {
  WriteFile(path_, audio_);
  WriteID3Tag(path_, Tag("New"));
  std::string after = Contents();
  ASSERT_EQ(after.size(), audio_.size() + 128);
  EXPECT_EQ(after.substr(0, audio_.size()), audio_);
  TID3Tag back;
  ASSERT_TRUE(ReadID3Tag(path_, back));
  EXPECT_EQ(back.Title, "New");
  EXPECT_EQ(back.Track, "4");
  EXPECT_EQ(back.Genre, 12);
}

TEST_F(WriteTagTest, ReplacesAnExistingTagInPlace) {
  TagFields old;
  old.title = "Old";
  std::string lyrics = "LYRICSBEGINtextLYRICSEND";
  WriteFile(path_, audio_ + lyrics + Id3v1(old));
  WriteID3Tag(path_, Tag("Replaced"));
  std::string after = Contents();
  ASSERT_EQ(after.size(), audio_.size() + lyrics.size() + 128);
  EXPECT_EQ(after.substr(0, audio_.size() + lyrics.size()), audio_ + lyrics);
  TID3Tag back;
  ASSERT_TRUE(ReadID3Tag(path_, back));
  EXPECT_EQ(back.Title, "Replaced");
  EXPECT_EQ(back.LyricsKind, 1);
}

// The write runs as an unprivileged user (root ignores the write bit), so
// the tag only lands when the bit is really lifted for the write.
int WriteUnprivileged(const std::vector<std::string>& owned, const std::string& path,
                      const TID3Tag& tag) {
  return test::RunUnprivileged(owned, [&] {
    try {
      WriteID3Tag(path, tag);
      return 0;
    } catch (const IoError&) {
      return 1;
    }
  });
}

TEST_F(WriteTagTest, AReadOnlyFileIsReadOnlyAgainAfterwards) {
  WriteFile(path_, audio_);
  ASSERT_TRUE(platform::SetReadOnly(path_, true));
  ASSERT_EQ(WriteUnprivileged({dir_.path(), path_}, path_, Tag("Locked")), 0);
  EXPECT_TRUE(platform::IsReadOnly(path_));
  TID3Tag back;
  ASSERT_TRUE(ReadID3Tag(path_, back));
  EXPECT_EQ(back.Title, "Locked");
}

TEST_F(WriteTagTest, WorksInAReadOnlyFolderWithoutLeavingFilesBehind) {
  WriteFile(path_, audio_);
  ASSERT_TRUE(platform::SetReadOnly(path_, true));
  ASSERT_EQ(chmod(dir_.path().c_str(), 0555), 0);
  const int result = WriteUnprivileged({dir_.path(), path_}, path_, Tag("Folder"));
  chmod(dir_.path().c_str(), 0755);
  EXPECT_EQ(result, 0);
  EXPECT_TRUE(platform::IsReadOnly(path_));
  EXPECT_EQ(Contents().substr(0, audio_.size()), audio_);
  TID3Tag back;
  ASSERT_TRUE(ReadID3Tag(path_, back));
  EXPECT_EQ(back.Title, "Folder");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST_F(WriteTagTest, AFileTooShortForATagIsLeftAsItWas) {
  WriteFile(path_, std::string(127, 'a'));
  ASSERT_TRUE(platform::SetReadOnly(path_, true));
  EXPECT_THROW(WriteID3Tag(path_, Tag("x")), IoError);
  EXPECT_EQ(Contents(), std::string(127, 'a'));
  EXPECT_TRUE(platform::IsReadOnly(path_));
}

TEST_F(WriteTagTest, AMissingFileIsNotCreated) {
  try {
    WriteID3Tag(path_, Tag("x"));
    ADD_FAILURE() << "no error";
  } catch (const IoError& e) {
    EXPECT_EQ(e.code(), ENOENT);
    EXPECT_NE(std::string(e.what()).find("song.mp3"), std::string::npos);
  }
  EXPECT_FALSE(platform::Exists(path_));
}

// Runs the write in a child whose files may not grow past limit bytes, as
// on a full disk; the child reports 0 when the write failed with an error,
// 1 when it claimed success, 2 on anything else.
int WriteUnderSizeLimit(const std::string& path, const TID3Tag& tag, rlim_t limit) {
  pid_t pid = fork();
  if (pid == 0) {
    std::signal(SIGXFSZ, SIG_IGN);  // get EFBIG instead of being killed
    rlimit lim{limit, limit};
    setrlimit(RLIMIT_FSIZE, &lim);
    try {
      WriteID3Tag(path, tag);
      _exit(1);
    } catch (const IoError&) {
      _exit(0);
    } catch (...) {
      _exit(2);
    }
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 3;
}

TEST_F(WriteTagTest, AFullDiskLeavesAudioAndLengthAsTheyWere) {
  WriteFile(path_, audio_);
  ASSERT_TRUE(platform::SetReadOnly(path_, true));
  // Room for part of the tag only: the part must not stay behind.
  EXPECT_EQ(WriteUnderSizeLimit(path_, Tag("Full"), audio_.size() + 50), 0);
  EXPECT_EQ(Contents(), audio_);
  EXPECT_TRUE(platform::IsReadOnly(path_));
  // No room at all.
  EXPECT_EQ(WriteUnderSizeLimit(path_, Tag("Full"), audio_.size()), 0);
  EXPECT_EQ(Contents(), audio_);
  EXPECT_TRUE(platform::IsReadOnly(path_));
}

TEST_F(WriteTagTest, AFullDiskStillAllowsReplacingInPlace) {
  TagFields old;
  old.title = "Old";
  WriteFile(path_, audio_ + Id3v1(old));
  EXPECT_EQ(WriteUnderSizeLimit(path_, Tag("Same size"), audio_.size() + 128), 1);
  TID3Tag back;
  ASSERT_TRUE(ReadID3Tag(path_, back));
  EXPECT_EQ(back.Title, "Same size");
  EXPECT_EQ(Contents().substr(0, audio_.size()), audio_);
}

}  // namespace
}  // namespace tovix
