#include "platform/filesys.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "support/tempdir.h"

namespace tovix::platform {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

TEST(Wildcard, MatchesWithoutRegardToCase) {
  EXPECT_TRUE(WildcardMatch("*.mp3", "Song.MP3"));
  EXPECT_TRUE(WildcardMatch("*.MP3", "a.b.mp3"));
  EXPECT_TRUE(WildcardMatch("BM?.BMP", "bm1.bmp"));
  EXPECT_FALSE(WildcardMatch("*.mp3", "song.mp3.txt"));
  EXPECT_FALSE(WildcardMatch("BM?.BMP", "BM12.BMP"));
  EXPECT_TRUE(WildcardMatch("*", ""));
  EXPECT_TRUE(WildcardMatch("*\xC4*", "x\xE4y"));  // A and a umlaut
}

TEST(ListFiles, PlainFilesOnlySortedWithoutRegardToCase) {
  TempDir dir;
  WriteFile(dir.file("b.mp3"), "b");
  WriteFile(dir.file("A.MP3"), "a");
  WriteFile(dir.file("c.txt"), "c");
  WriteFile(dir.file(".hidden.mp3"), "h");
  std::filesystem::create_directory(dir.file("folder.mp3"));
  WriteFile(dir.file("M\xC3\xBCller.mp3"), "u");  // UTF-8 on disk
  const Listing l = ListFiles(dir.path(), "*.mp3");
  EXPECT_TRUE(l.ok);
  ASSERT_EQ(l.names.size(), 3u);
  EXPECT_EQ(l.names[0], "A.MP3");
  EXPECT_EQ(l.names[1], "b.mp3");
  EXPECT_EQ(l.names[2], "M\xFCller.mp3");  // handed back as Windows-1252
  EXPECT_TRUE(l.rejected.empty());
}

TEST(ListFiles, NamesNoPassCanHandleAreReportedNotDropped) {
  TempDir dir;
  WriteFile(dir.file("\xE6\x97\xA5.mp3"), "cjk");
  WriteFile(dir.file("say \"hi\".mp3"), "q");
  WriteFile(dir.file("tab\there.mp3"), "t");
  WriteFile(dir.file("bad\xFF.mp3"), "invalid utf-8");
  WriteFile(dir.file("ok.mp3"), "ok");
  const Listing l = ListFiles(dir.path(), "*.mp3");
  ASSERT_EQ(l.names.size(), 1u);
  EXPECT_EQ(l.names[0], "ok.mp3");
  EXPECT_EQ(l.rejected.size(), 4u);
  for (const auto& r : l.rejected) EXPECT_FALSE(r.reason.empty());
}

TEST(ListFiles, MissingFolderIsNotOk) {
  TempDir dir;
  EXPECT_FALSE(ListFiles(dir.file("missing"), "*").ok);
}

TEST(Exists, LastComponentWithoutRegardToCase) {
  TempDir dir;
  WriteFile(dir.file("Song.Bin"), "x");
  EXPECT_TRUE(Exists(dir.file("song.BIN")));
  EXPECT_TRUE(Exists(dir.file("Song.Bin")));
  EXPECT_FALSE(Exists(dir.file("song.bmp")));
  ASSERT_TRUE(FindNoCase(dir.file("SONG.BIN")).has_value());
  EXPECT_EQ(*FindNoCase(dir.file("SONG.BIN")), dir.file("Song.Bin"));
  EXPECT_TRUE(IsDirectory(dir.path()));
  EXPECT_FALSE(IsDirectory(dir.file("Song.Bin")));
  EXPECT_EQ(FileSize(dir.file("Song.Bin")), 1);
  EXPECT_EQ(FileSize(dir.file("none")), -1);
}

TEST(ReadOnly, GetAndSet) {
  TempDir dir;
  const std::string f = dir.file("f.mp3");
  WriteFile(f, "x");
  EXPECT_FALSE(IsReadOnly(f));
  EXPECT_TRUE(SetReadOnly(f, true));
  EXPECT_TRUE(IsReadOnly(f));
  EXPECT_TRUE(SetReadOnly(f, false));
  EXPECT_FALSE(IsReadOnly(f));
  EXPECT_FALSE(SetReadOnly(dir.file("missing"), true));
}

TEST(RenameNoReplace, NeverReplacesAnExistingFile) {
  TempDir dir;
  WriteFile(dir.file("a.mp3"), "A");
  WriteFile(dir.file("b.mp3"), "B");
  EXPECT_FALSE(RenameNoReplace(dir.file("a.mp3"), dir.file("b.mp3")));
  EXPECT_EQ(errno, EEXIST);
  EXPECT_FALSE(RenameNoReplace(dir.file("a.mp3"), dir.file("B.MP3")));  // same name on Windows
  EXPECT_EQ(ReadFile(dir.file("a.mp3")), "A");
  EXPECT_EQ(ReadFile(dir.file("b.mp3")), "B");
  EXPECT_TRUE(RenameNoReplace(dir.file("a.mp3"), dir.file("c.mp3")));
  EXPECT_EQ(ReadFile(dir.file("c.mp3")), "A");
  EXPECT_FALSE(Exists(dir.file("a.mp3")));
}

TEST(RenameNoReplace, ChangingOnlyTheLetterCaseOfOneFileWorks) {
  TempDir dir;
  WriteFile(dir.file("abc.mp3"), "A");
  EXPECT_TRUE(RenameNoReplace(dir.file("abc.mp3"), dir.file("Abc.mp3")));
  EXPECT_EQ(ReadFile(dir.file("Abc.mp3")), "A");
  EXPECT_FALSE(std::filesystem::exists(dir.file("abc.mp3")));
}

TEST(RenameNoReplace, Windows1252NamesReachTheDiskAsUtf8) {
  TempDir dir;
  WriteFile(dir.file("x.mp3"), "X");
  EXPECT_TRUE(RenameNoReplace(dir.file("x.mp3"), dir.file("Gr\xFC\xDF"
                                                          "e.mp3")));
  EXPECT_EQ(ReadFile(dir.file("Gr\xC3\xBC\xC3\x9F"
                              "e.mp3")),
            "X");
}

TEST(Paths, SeparatorsTempShortAndProgram) {
  EXPECT_EQ(WithSep("/a"), "/a/");
  EXPECT_EQ(WithSep("/a/"), "/a/");
  EXPECT_EQ(WithSep(""), "");
  EXPECT_EQ(ShortPath("/music/My Song.mp3"), "/music/My Song.mp3");
  ASSERT_TRUE(TempPath().has_value());
  EXPECT_EQ(TempPath()->back(), '/');
  const std::string real = ProgramDir();
  EXPECT_EQ(real.back(), '/');
  EXPECT_TRUE(IsDirectory(real));
  SetProgramDir("/somewhere");
  EXPECT_EQ(ProgramDir(), "/somewhere/");
  SetProgramDir("");
  EXPECT_EQ(ProgramDir(), real);
}

TEST(Files, MakeRemoveAndOpen) {
  TempDir dir;
  const std::string sub = dir.file("Sub\xE4");
  EXPECT_TRUE(MakeDir(sub));
  EXPECT_FALSE(MakeDir(sub));
  std::FILE* f = OpenFile(sub + "/t.txt", "wb");
  ASSERT_NE(f, nullptr);
  std::fputs("hi", f);
  std::fclose(f);
  EXPECT_FALSE(RemoveDir(sub));  // not empty
  EXPECT_TRUE(RemoveFile(sub + "/t.txt"));
  EXPECT_FALSE(RemoveFile(sub + "/t.txt"));
  EXPECT_TRUE(RemoveDir(sub));
}

}  // namespace
}  // namespace tovix::platform

namespace tovix::platform {
namespace {

TEST(WriteFileWhole, ReplacesContentKeepingSpellingAndPermissions) {
  test::TempDir dir;
  const std::string file = dir.file("Info.txt");
  test::WriteFile(file, "old content");
  chmod(file.c_str(), 0640);
  EXPECT_EQ(WriteFileWhole(dir.file("INFO.TXT"), "new"), 0);
  EXPECT_EQ(test::ReadFile(file), "new");
  EXPECT_FALSE(std::filesystem::exists(dir.file("INFO.TXT")));
  struct stat st;
  ASSERT_EQ(stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  // Nothing half-written stays behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(WriteFileWhole, ReadOnlyFilesAndMissingFoldersAreLeftAlone) {
  test::TempDir dir;
  const std::string file = dir.file("ro.bat");
  test::WriteFile(file, "keep");
  chmod(file.c_str(), 0444);
  EXPECT_EQ(WriteFileWhole(file, "new"), EACCES);
  EXPECT_EQ(test::ReadFile(file), "keep");
  EXPECT_NE(WriteFileWhole(dir.file("missing/x.txt"), "new"), 0);
  EXPECT_EQ(WriteFileWhole(dir.file("fresh.txt"), std::string(100000, 'x')), 0);
  EXPECT_EQ(test::ReadFile(dir.file("fresh.txt")).size(), 100000u);
}

}  // namespace
}  // namespace tovix::platform

namespace tovix::platform {
namespace {

TEST(FolderIndex, FindsNamesWithoutRegardToCaseAndLeavesFoldersOut) {
  test::TempDir dir;
  test::WriteFile(dir.file("Song.BIN"), "");
  test::WriteFile(dir.file("song.bin"), "");
  test::WriteFile(dir.file("\xC3\x84RGER.JPG"), "");  // ÄRGER.JPG
  std::filesystem::create_directory(dir.file("Folder.txt"));
  const FolderIndex index(dir.path());
  EXPECT_EQ(index.Find("song.bin"), "song.bin");  // the exact spelling wins
  EXPECT_EQ(index.Find("SONG.bin").value_or("").size(), 8u);
  EXPECT_EQ(index.Find("\xE4rger.jpg"), "\xC4RGER.JPG");  // Windows-1252 in and out
  EXPECT_EQ(index.Find("folder.txt"), std::nullopt);
  EXPECT_EQ(index.Find("missing.bin"), std::nullopt);
  EXPECT_EQ(FolderIndex(dir.file("no such folder")).Find("x"), std::nullopt);
}

}  // namespace
}  // namespace tovix::platform
