// The ID3v1 tag: field texts, track byte, genre, code pages, Lyrics3
// markers, and the block that a write stores.
#include <gtest/gtest.h>

#include <cerrno>
#include <utility>
#include <vector>

#include "mp3/mpegscan.h"
#include "mp3builder.h"
#include "platform/ioerror.h"

namespace tovix {
namespace {

using test::Frames;
using test::Id3v1;
using test::TagFields;

// Fails the test on any read outside the bytes it holds (a view: the
// bytes must outlive it).
class StrictSource : public MemorySource {
 public:
  explicit StrictSource(const std::string& bytes) : MemorySource(bytes), size_(bytes.size()) {}
  std::size_t Read(std::int64_t offset, void* buf, std::size_t n) override {
    EXPECT_GE(offset, 0);
    EXPECT_LE(offset + static_cast<std::int64_t>(n), size_);
    return MemorySource::Read(offset, buf, n);
  }

 private:
  std::int64_t size_;
};

TID3Tag Read(const std::string& bytes, bool expected = true) {
  StrictSource source(bytes);
  TID3Tag tag;
  EXPECT_EQ(ReadID3Tag(source, tag), expected);
  return tag;
}

TEST(ReadTag, TrimsTrailingNulsAndBlanks) {
  TagFields f;
  f.title = "Song";
  f.artist = "Artist" + std::string(24, ' ');
  f.album = "  Album \0junk";
  f.year = "1999";
  f.comment = "Nice";
  f.genre = 17;
  TID3Tag tag = Read(Frames(2) + Id3v1(f));
  EXPECT_EQ(tag.Title, "Song");
  EXPECT_EQ(tag.Artist, "Artist");
  EXPECT_EQ(tag.Album, "  Album");
  EXPECT_EQ(tag.Year, "1999");
  EXPECT_EQ(tag.Comment, "Nice");
  EXPECT_EQ(tag.Genre, 17);
  EXPECT_EQ(tag.LyricsKind, 0);
}

TEST(ReadTag, ReadsTheTrackByteOfEveryTag) {
  TagFields f;
  f.comment = std::string(28, 'c') + '\0' + '\x07';
  EXPECT_EQ(Read(Frames(1) + Id3v1(f)).Track, "7");
  f.comment = std::string(30, 'c');  // the comment runs into the track byte
  TID3Tag full = Read(Frames(1) + Id3v1(f));
  EXPECT_EQ(full.Track, "99");
  EXPECT_EQ(full.Comment, std::string(30, 'c'));
  f.comment = "";
  EXPECT_EQ(Read(Frames(1) + Id3v1(f)).Track, "0");
  f.comment = std::string(29, '\0') + '\xFF';
  EXPECT_EQ(Read(Frames(1) + Id3v1(f)).Track, "255");
}

TEST(ReadTag, GenreAbove147ReadsAs148) {
  TagFields f;
  f.genre = 255;
  EXPECT_EQ(Read(Frames(1) + Id3v1(f)).Genre, 148);
  f.genre = 147;
  EXPECT_EQ(Read(Frames(1) + Id3v1(f)).Genre, 147);
  f.genre = 148;
  EXPECT_EQ(Read(Frames(1) + Id3v1(f)).Genre, 148);
}

TEST(ReadTag, ConvertsFromCodePage850) {
  TagFields f;
  f.artist = "Gr\x81n \x84";  // u and a with diaeresis in code page 850
  EXPECT_EQ(Read(Frames(1) + Id3v1(f)).Artist, "Gr\xFCn \xE4");
}

// Tags as taggers write them: the same letters in Windows-1252 (today's
// taggers, lame) and in code page 850 (DOS-era ones); the page is decided
// once per tag.
TEST(ReadTag, DecidesPerTagBetween1252And850) {
  const std::vector<std::string> ansi = {"Die \xC4rzte",
                                         "Gr\xFC\xDF"
                                         "e aus K\xF6ln",
                                         "Bj\xF6rk",
                                         "Sigur R\xF3s",
                                         "Gar\xE7on",
                                         "Beyonc\xE9",
                                         "Mot\xF6rhead",
                                         "Caf\xE9 del Mar",
                                         "Don\x92t \x93Stop\x94 \x96 \x80"
                                         "5"};
  for (const std::string& text : ansi) {
    TagFields f;
    f.artist = text;
    TID3Tag tag = Read(Frames(1) + Id3v1(f));
    EXPECT_EQ(tag.Artist, text);
    EXPECT_EQ(tag.CodePage, 1252) << text;
  }
  const std::vector<std::pair<std::string, std::string>> oem = {{"M\x81ller", "M\xFCller"},
                                                                {"Sch\x94n Stra\xE1"
                                                                 "e",
                                                                 "Sch\xF6n Stra\xDF"
                                                                 "e"},
                                                                {"Sigur R\xA2s", "Sigur R\xF3s"},
                                                                {"Gar\x87on", "Gar\xE7on"},
                                                                {"\x99l", "\xD6l"},
                                                                {"\x8Erzte", "\xC4rzte"}};
  for (const auto& [bytes, text] : oem) {
    TagFields f;
    f.title = bytes;
    TID3Tag tag = Read(Frames(1) + Id3v1(f));
    EXPECT_EQ(tag.Title, text);
    EXPECT_EQ(tag.CodePage, 850) << text;
  }
  // One decision for all five texts: an ambiguous title follows the artist.
  TagFields f;
  f.artist = "Bj\xF6rk";
  f.title = "\x8Erzte";  // Ž in 1252, Ä in 850
  TID3Tag mixed = Read(Frames(1) + Id3v1(f));
  EXPECT_EQ(mixed.CodePage, 1252);
  EXPECT_EQ(mixed.Title, "\x8Erzte");
  // Pure ASCII is the same in both; the format's own page is kept.
  f = {};
  f.title = "Plain";
  EXPECT_EQ(Read(Frames(1) + Id3v1(f)).CodePage, 850);
}

TEST(TagBlock, WritesBackInThePageItWasReadInAndKeepsUntouchedBytes) {
  TagFields f;
  f.artist = "Bj\xF6rk";
  f.title = "Hyperballad" + std::string(19, ' ');  // blank padding, as some taggers write
  f.album = std::string("Post\0junk", 9);
  f.comment = std::string(28, 'c') + '\0' + '\x05';
  f.genre = 17;
  const std::string disk = Id3v1(f);
  TID3Tag tag = Read(Frames(1) + disk);
  EXPECT_EQ(BuildID3Block(tag), disk);  // nothing changed: every byte kept
  tag.Title = "J\xF3ga";
  std::string block = BuildID3Block(tag);
  EXPECT_EQ(block.substr(3, 30), std::string("J\xF3ga") + std::string(26, '\0'));  // 1252
  EXPECT_EQ(block.substr(33), disk.substr(33));  // the other fields as they were

  // An 850 tag stays 850, bytes 1252 lacks included.
  f = {};
  f.artist = "M\x81ller \xB0";  // ü and a box-drawing byte
  const std::string oemDisk = Id3v1(f);
  TID3Tag oem = Read(Frames(1) + oemDisk);
  oem.Title =
      "Gr\xFC\xDF"
      "e";
  block = BuildID3Block(oem);
  EXPECT_EQ(block.substr(3, 30), std::string("Gr\x81\xE1"
                                             "e") +
                                     std::string(25, '\0'));
  EXPECT_EQ(block.substr(33, 30), oemDisk.substr(33, 30));
  // A cleared record is written in 850, the format's own.
  TID3Tag fresh;
  fresh.Title = "Gr\xFCn";
  EXPECT_EQ(BuildID3Block(fresh).substr(3, 4), "Gr\x81n");
}

TEST(ReadTag, WithoutTagEmptiesTheFields) {
  std::string audio = Frames(3);
  StrictSource source(audio);
  TID3Tag tag;
  tag.Title = "old";
  tag.Track = "3";
  tag.Genre = 12;
  tag.LyricsKind = 2;
  EXPECT_FALSE(ReadID3Tag(source, tag));
  EXPECT_EQ(tag.Title, "");
  EXPECT_EQ(tag.Track, "");
  EXPECT_EQ(tag.Genre, -1);
  EXPECT_EQ(tag.LyricsKind, 0);
}

TEST(ReadTag, ShortSourcesLeaveTheRecordAlone) {
  TID3Tag tag;
  tag.Title = "kept";
  std::string tagOnly = Id3v1({});
  std::string short137 = std::string(9, 'x') + tagOnly;
  StrictSource tooShort(short137);
  EXPECT_FALSE(ReadID3Tag(tooShort, tag));
  EXPECT_EQ(tag.Title, "kept");
  TagFields f;
  f.title = "read";
  std::string long138 = std::string(10, 'x') + Id3v1(f);
  StrictSource justLongEnough(long138);
  EXPECT_TRUE(ReadID3Tag(justLongEnough, tag));
  EXPECT_EQ(tag.Title, "read");
}

class FailingSource : public MemorySource {
 public:
  using MemorySource::MemorySource;
  std::size_t Read(std::int64_t, void*, std::size_t) override { throw IoError(EIO, "bad sector"); }
};

TEST(ReadTag, AReadFailureLeavesTheRecordAlone) {
  std::string bytes = Frames(1) + Id3v1({});
  FailingSource source(bytes);
  TID3Tag tag;
  tag.Title = "kept";
  EXPECT_THROW(ReadID3Tag(source, tag), IoError);
  EXPECT_EQ(tag.Title, "kept");
}

class LyricsTest : public ::testing::Test {
 protected:
  // audio, a Lyrics3 v2 block whose size digits are sizeText, the tag.
  static std::string File(const std::string& sizeText, const std::string& audio = Frames(2)) {
    return audio + "LYRICSBEGININD0000210EAL00005Hello" + sizeText + "LYRICS200" + Id3v1({});
  }
};

TEST_F(LyricsTest, Version1IsTheEndMarkerAlone) {
  EXPECT_EQ(Read(Frames(2) + "LYRICSBEGINtextLYRICSEND" + Id3v1({})).LyricsKind, 1);
}

TEST_F(LyricsTest, Version2NeedsTheSizeToPointAtTheBegin) {
  const std::string block = "LYRICSBEGININD0000210EAL00005Hello";
  char digits[8];
  std::snprintf(digits, sizeof digits, "%06zu", block.size());
  EXPECT_EQ(Read(File(digits)).LyricsKind, 2);
  std::snprintf(digits, sizeof digits, "%06zu", block.size() + 1);
  EXPECT_EQ(Read(File(digits)).LyricsKind, 0);
  EXPECT_EQ(Read(File("000000")).LyricsKind, 0);
}

TEST_F(LyricsTest, BadSizesNeverReadOutsideTheFile) {
  EXPECT_EQ(Read(File("00x034")).LyricsKind, 0);
  EXPECT_EQ(Read(File(" 00034")).LyricsKind, 0);
  EXPECT_EQ(Read(File("999999")).LyricsKind, 0);
  // The begin marker would start exactly at the first byte of the file.
  std::string atStart = File("000034", "");
  EXPECT_EQ(Read(atStart).LyricsKind, 2);
  // Too short to hold the size digits at all.
  EXPECT_EQ(Read("xLYRICS200" + Id3v1({})).LyricsKind, 0);
  // A tag is still a tag.
  EXPECT_TRUE(Read(File("999999")).Genre == 0);
}

TEST(TagText, ToOemCutsOrPadsToTheWidth) {
  EXPECT_EQ(TagTextToOem("Gr\xFCn", 6), std::string("Gr\x81n\0\0", 6));
  EXPECT_EQ(TagTextToOem("abcdef", 4), "abcd");
  EXPECT_EQ(TagTextToOem("", 3), std::string(3, '\0'));
}

TEST(TagBlock, HoldsEveryFieldAtItsPlace) {
  TID3Tag tag;
  tag.Title = std::string(35, 't');
  tag.Artist = "Artist";
  tag.Album = "Album";
  tag.Year = "2001";
  tag.Comment = "Comment";
  tag.Genre = 20;
  std::string block = BuildID3Block(tag);
  ASSERT_EQ(block.size(), 128u);
  EXPECT_EQ(block.substr(0, 3), "TAG");
  EXPECT_EQ(block.substr(3, 30), std::string(30, 't'));
  EXPECT_EQ(block.substr(33, 7), std::string("Artist\0", 7));
  EXPECT_EQ(block.substr(93, 4), "2001");
  EXPECT_EQ(block[126], '\0');  // empty track: the comment's own 30th byte
  EXPECT_EQ(block[127], 20);
  // What a write stores reads back as it was written.
  TID3Tag back = Read(Frames(1) + block);
  EXPECT_EQ(back.Title, std::string(30, 't'));
  EXPECT_EQ(back.Artist, "Artist");
  EXPECT_EQ(back.Comment, "Comment");
  EXPECT_EQ(back.Genre, 20);
}

TEST(TagBlock, TrackReplacesOnlyTheLastCommentByte) {
  TID3Tag tag;
  tag.Comment = std::string(30, 'c');
  EXPECT_EQ(BuildID3Block(tag)[126], 'c');  // no track: byte 126 stays
  tag.Track = "7";
  std::string block = BuildID3Block(tag);
  EXPECT_EQ(block[126], 7);
  EXPECT_EQ(block[125], 'c');  // byte 125 is not touched
  struct Case {
    const char* track;
    int byte;  // -1: left as the comment's byte
  };
  for (Case c : {Case{"  +12", 12}, Case{"-1", 255}, Case{"300", 44}, Case{"12a", -1}, Case{"", -1},
                 Case{"+", -1}, Case{"--3", -1}, Case{"99999999999999999999", -1}, Case{" ", -1}}) {
    tag.Track = c.track;
    EXPECT_EQ(static_cast<std::uint8_t>(BuildID3Block(tag)[126]), c.byte < 0 ? 'c' : c.byte)
        << c.track;
  }
}

TEST(TagBlock, GenreIsStoredAsItsLowByte) {
  TID3Tag tag;
  tag.Genre = -1;  // the value after a read without tag
  EXPECT_EQ(static_cast<std::uint8_t>(BuildID3Block(tag)[127]), 255);
  TagFields f;
  f.genre = 255;
  TID3Tag read = Read(Frames(1) + Id3v1(f));
  // Read as 148 but written back as it was: 255 means no genre at all.
  EXPECT_EQ(static_cast<std::uint8_t>(BuildID3Block(read)[127]), 255);
  read.Genre = 148;
  read.RawTag.clear();  // a record not read from this tag
  EXPECT_EQ(static_cast<std::uint8_t>(BuildID3Block(read)[127]), 148);
}

}  // namespace
}  // namespace tovix
