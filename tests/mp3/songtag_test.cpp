// Artist and title from the ID3v2 tag where the ID3v1 tag lacks them, and
// the running time of files carrying cover art, on files lame writes and on
// tags built byte by byte.
#include "mp3/songtag.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <cstdlib>

#include "mp3/mpegfile.h"
#include "mp3builder.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

using test::TempDir;

std::string SyncSafe(std::uint32_t n) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[i] = static_cast<char>((n >> (21 - 7 * i)) & 0x7F);
  return s;
}

// An ID3v2.4 tag with UTF-8 artist and title frames.
std::string Id3v24Utf8(const std::string& artist, const std::string& title) {
  std::string body;
  for (const auto& [id, text] : {std::pair{"TPE1", artist}, std::pair{"TIT2", title}}) {
    const std::string value = "\x03" + text;
    body += id + SyncSafe(static_cast<std::uint32_t>(value.size())) + std::string(2, '\0') + value;
  }
  return std::string("ID3\x04\x00\x00", 6) + SyncSafe(static_cast<std::uint32_t>(body.size())) +
         body;
}

// An ID3v2.2 tag (three-letter frame ids) with a Latin-1 title.
std::string Id3v22Title(const std::string& title) {
  const std::string value = std::string(1, '\0') + title;
  const auto n = static_cast<std::uint32_t>(value.size());
  const std::string frame =
      "TT2" +
      std::string{static_cast<char>(n >> 16), static_cast<char>(n >> 8), static_cast<char>(n)} +
      value;
  return std::string("ID3\x02\x00\x00", 6) + SyncSafe(static_cast<std::uint32_t>(frame.size())) +
         frame;
}

class SongTag : public ::testing::Test {
 protected:
  // lame reads tag texts in the locale's encoding; UTF-16 frames keep them whole.
  static void SetUpTestSuite() { setenv("LC_ALL", "C.UTF-8", 1); }
  std::string Lame(const std::string& args) {
    return test::EncodeWithLame(test::ToneWav(44100, 2, 2.0), "-b 128 " + args, dir.path());
  }
  TID3Tag Read(const std::string& bytes, bool useId3v2 = true) {
    test::WriteFile(dir.file("song.mp3"), bytes);
    TID3Tag tag;
    ReadSongTag(dir.file("song.mp3"), tag, useId3v2);
    return tag;
  }
  TempDir dir;
};

TEST_F(SongTag, FillsWhatTheId3v1TagLacksFromId3v2) {
  const std::string only2 =
      Lame("--id3v2-only --id3v2-utf16 --ta 'Bj\xC3\xB6rk' --tt 'J\xC3\xB3ga \xCE\xA9'");
  TID3Tag tag = Read(only2);
  EXPECT_EQ(tag.Artist, "Bj\xF6rk");
  EXPECT_EQ(tag.Title, "J\xF3ga _");  // Omega is not in Windows-1252
  EXPECT_EQ(tag.Genre, -1);           // the ID3v1 read itself found no tag
  EXPECT_EQ(Read(only2, false).Artist, "");

  // An ID3v1 artist stays; only the missing title comes from version 2.
  test::TagFields f;
  f.artist = "Old Artist";
  tag = Read(only2 + test::Id3v1(f));
  EXPECT_EQ(tag.Artist, "Old Artist");
  EXPECT_EQ(tag.Title, "J\xF3ga _");

  EXPECT_EQ(Read(Id3v24Utf8("Sigur R\xC3\xB3s", "Gar\xC3\xA7on") + test::Frames(5)).Title,
            "Gar\xE7on");
  EXPECT_EQ(Read(Id3v22Title("Caf\xE9") + test::Frames(5)).Title, "Caf\xE9");
  // No ID3v2 tag, or none at all: nothing is made up.
  EXPECT_EQ(Read(test::Frames(5)).Title, "");
  EXPECT_EQ(Read("").Title, "");
}

// Only the tag that opens the file counts: TagLib, given the whole file,
// searched a file without one (a large non-MP3 named .mp3) from end to end,
// and took a tag it found far inside. A tag that states more bytes than
// the file holds gives what it holds.
TEST_F(SongTag, OnlyTheLeadingId3v2TagIsRead) {
  const std::string tag = Id3v24Utf8("Band", "Lied");
  EXPECT_EQ(Read(std::string(1 << 20, '\0') + tag + test::Frames(5)).Title, "");
  std::string stated = tag;
  stated.replace(6, 4, SyncSafe(1u << 27));  // 128 MB stated, a few bytes there
  EXPECT_EQ(Read(stated).Title, "Lied");
}

// A 300 KB cover picture in front of two seconds of music: the running
// time is that of the music, in the program and in tovix-scan.
TEST_F(SongTag, CoverArtDoesNotLengthenTheRunningTime) {
  test::WriteFile(dir.file("cover.jpg"),
                  std::string("\xFF\xD8\xFF\xE0", 4) + std::string(300000, '\0') + "\xFF\xD9");
  const std::string plain = Lame("--ta Band --tt Song");
  const std::string covered = Lame("--ta Band --tt Song --ti '" + dir.file("cover.jpg") + "'");
  ASSERT_GT(covered.size(), plain.size() + 300000);
  test::WriteFile(dir.file("plain.mp3"), plain);
  test::WriteFile(dir.file("covered.mp3"), covered);
  TMPEGData a, b;
  ASSERT_EQ(ReadMPEGData(dir.file("plain.mp3"), a), 0);
  ASSERT_EQ(ReadMPEGData(dir.file("covered.mp3"), b), 0);
  EXPECT_LE(b.Duration, 3);
  EXPECT_EQ(b.Duration, a.Duration);
  EXPECT_EQ(b.BitRate, 128);
  EXPECT_EQ(b.FileLength, static_cast<std::int32_t>(covered.size()));

  ASSERT_FALSE(test::ProgramDir().empty()) << "run through ctest";
  const std::string command = "'" + test::ProgramDir() + "tovix-scan' '" + dir.file("covered.mp3") +
                              "' >'" + dir.file("out.txt") + "'";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  const std::string out = test::ReadFile(dir.file("out.txt"));
  const std::string row = out.substr(out.find('\n') + 1);
  // Second cell: the running time in seconds.
  const std::size_t tab = row.find('\t');
  EXPECT_EQ(row.substr(tab + 1, row.find('\t', tab + 1) - tab - 1), std::to_string(b.Duration));
}

}  // namespace
}  // namespace tovix
