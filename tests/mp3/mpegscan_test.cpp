// The first-frame search over memory: junk, dropped headers, Xing blocks,
// the encoder guess, leading ID3v2 tags and very large files.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <limits>
#include <random>

#include "mp3/mpegscan.h"
#include "mp3builder.h"
#include "platform/ioerror.h"

namespace tovix {
namespace {

using test::BigEndian;
using test::Frame;
using test::Frames;
using test::kMp1L3;

TMPEGData Scan(const std::string& bytes, int expected = 0) {
  MemorySource source(bytes);
  TMPEGData d;
  d.BitRate = 999;  // must be reset
  EXPECT_EQ(ReadMPEGData(source, d), expected);
  return d;
}

TEST(FrameSearch, FilesOfFiveBytesOrFewerGiveAResetRecord) {
  for (std::size_t n : {0u, 1u, 4u, 5u}) {
    TMPEGData d = Scan((BigEndian(kMp1L3) + '\0').substr(0, n), 0);
    EXPECT_EQ(d.FileLength, 0);
    EXPECT_EQ(d.Version, 0);
    EXPECT_EQ(d.Encoder, "");
  }
}

TEST(FrameSearch, AFileThatStartsWithAFrameIsReadAtOnce) {
  std::string file = Frames(20);
  TMPEGData d = Scan(file);
  EXPECT_EQ(d.Version, 1);
  EXPECT_EQ(d.Layer, 3);
  EXPECT_EQ(d.BitRate, 128);
  EXPECT_EQ(d.SampleRate, 44100);
  EXPECT_EQ(d.Mode, 1);
  EXPECT_TRUE(d.NoCrc);
  EXPECT_TRUE(d.Original);
  EXPECT_EQ(d.FrameLength, 417);
  EXPECT_EQ(d.FileLength, 20 * 417);
  EXPECT_EQ(d.Duration, 20 * 417 * 8 / 128000);
  EXPECT_EQ(d.Encoder, "l3Enc");  // byte 7 is 0
}

TEST(FrameSearch, GuessesTheEncoderFromTheFourthHeaderByte) {
  struct Case {
    std::uint8_t b3, b6, b7;
    const char* encoder;
  };
  const Case cases[] = {
      {0x44, 0x01, 0x00, "l3Enc"},
      {0x44, 0x01, 0x05, "Audioactive P. Studio"},
      {0x44, 0x02, 0x05, "mp3 Producer"},
      {0x04, 0x0F, 0x00, "Mp3 Compressor"},
      {0x04, 0x0E, 0x00, "Xing 2.20|Radium Codec"},
      {0x6C, 0x00, 0x00, "Audio Catalyst"},
      {0x4C, 0x00, 0x00, "Audio Catalyst VBR"},
      {0x64, 0x00, 0x00, nullptr},
  };
  for (const Case& c : cases) {
    std::string file = Frames(4);
    file[3] = static_cast<char>(c.b3);
    file[6] = static_cast<char>(c.b6);
    file[7] = static_cast<char>(c.b7);
    TMPEGData d = Scan(file);
    EXPECT_EQ(d.Encoder, c.encoder ? c.encoder : "") << int(c.b3);
  }
}

TEST(FrameSearch, SkipsInvalidHeadersByteByByte) {
  // Each bad header is followed at offset 3 by a good one with 32 kHz, so
  // the result shows the search moved on one byte at a time.
  const std::uint32_t bad[] = {0xFFFB0044u, 0xFFFBF044u, 0xFFFB9C44u, 0xFFEB9044u, 0xFFF99044u};
  for (std::uint32_t word : bad) {
    std::string file =
        BigEndian(word).substr(0, 3) + Frame(0xFFFB9844u, 576) + Frame(0xFFFB9844u, 576);
    TMPEGData d = Scan(file);
    EXPECT_EQ(d.SampleRate, 32000) << std::hex << word;
    EXPECT_EQ(d.FrameLength, 576);
    EXPECT_EQ(d.FileLength, static_cast<std::int32_t>(file.size()));
  }
}

TEST(FrameSearch, JunkBeforeTheFirstFrameDoesNotCountForTheDuration) {
  std::string junk(100000, '\x41');
  junk[500] = '\xFF';                       // a lone 0xFF without the rest of the sync
  junk.replace(700, 4, BigEndian(kMp1L3));  // a false sync: no frame follows it
  std::string file = junk + Frames(250);
  TMPEGData d = Scan(file);
  EXPECT_EQ(d.BitRate, 128);
  EXPECT_EQ(d.FileLength, static_cast<std::int32_t>(file.size()));
  EXPECT_EQ(d.Duration, 250 * 417 * 8 / 128000);
}

TEST(FrameSearch, DropsAHeaderWhoseFrameEndsBeyondTheFile) {
  // 0..3: a 417-byte frame's header in a 200-byte file. The search goes on
  // from the next byte and finds the 48 kHz header at 3 (96 bytes, the
  // next at 99) but not the one at 10 (no frame follows it).
  std::string file(200, '\0');
  file.replace(0, 4, BigEndian(0xFFFB90FFu));
  file.replace(3, 4, BigEndian(0xFFFB144Cu));
  file.replace(99, 4, BigEndian(0xFFFB1444u));
  TMPEGData d = Scan(file);
  EXPECT_EQ(d.SampleRate, 48000);
  EXPECT_EQ(d.BitRate, 32);
  EXPECT_EQ(d.Encoder, "Audio Catalyst VBR");
}

TEST(FrameSearch, NeedsRoomForTheWholeFrame) {
  // With no CRC the frame may end two bytes past the file end, no further.
  std::string fits = Frame(kMp1L3, 416);
  EXPECT_EQ(Scan(fits).BitRate, 128);
  std::string tooShort = Frame(kMp1L3, 415);
  TMPEGData d = Scan(tooShort, -1);
  EXPECT_EQ(d.BitRate, 0);
  EXPECT_EQ(d.FileLength, 415);
  EXPECT_EQ(d.Encoder, "");
  // With a CRC the whole frame must be there.
  std::string crc = Frame(0xFFFA9044u, 417);
  EXPECT_EQ(Scan(crc, -1).BitRate, 0);
  EXPECT_EQ(Scan(crc + "x").BitRate, 128);
}

TEST(FrameSearch, AFileWithoutHeaderGivesMinusOne) {
  TMPEGData d = Scan(std::string(5000, '\xFF'), -1);
  EXPECT_EQ(d.FileLength, 5000);
  EXPECT_EQ(d.Version, 0);
  // A header in the last bytes cannot hold a frame.
  EXPECT_EQ(Scan(std::string(100, 'a') + BigEndian(kMp1L3), -1).FileLength, 104);
}

// A first frame holding a Xing block at 36, then plain 128 kbit/s frames
// up to size bytes.
std::string XingFile(std::uint32_t flags, std::uint32_t frames, std::size_t size = 41700,
                     std::uint32_t header = 0xFFFB9064u) {
  std::string file = BigEndian(header);
  file.resize(36, '\0');
  file += test::XingBlock(flags, frames);
  file.resize(417 + ((header >> 9) & 1), '\0');
  while (file.size() + 417 <= size) file += Frame(kMp1L3, 417);
  file.resize(size, '\0');
  return file;
}

TEST(Xing, AveragesTheFramesAfterItsOwn) {
  // 99 frames after the block's, 41283 bytes: 126.4 kbit/s over 100 frames' time.
  TMPEGData d = Scan(XingFile(0x0F, 100));
  EXPECT_EQ(d.Encoder, "Audio Catalyst VBR");
  EXPECT_EQ(d.FrameLength, 41283 / 100);
  EXPECT_EQ(d.BitRate, 126);
  EXPECT_EQ(d.Duration, 100 * 1152 / 44100);
  // The upper flag bytes say nothing more; a padded block frame changes nothing.
  EXPECT_EQ(Scan(XingFile(0xFFFFFF0Fu, 100)).BitRate, 126);
  EXPECT_EQ(Scan(XingFile(0x0F, 100, 41701, 0xFFFB9264u)).BitRate, 126);
  // The maker is named only for all four flags; the count is read without them.
  TMPEGData three = Scan(XingFile(0x07, 100));
  EXPECT_EQ(three.BitRate, 126);
  EXPECT_EQ(three.Encoder, "");
  // The encoder guess overrides the name.
  EXPECT_EQ(Scan(XingFile(0x0F, 100, 41700, 0xFFFB9044u)).Encoder, "l3Enc");
}

TEST(Xing, AnImplausibleFrameCountIsNotBelieved) {
  // None, more than the bytes can hold, or too few for them: the frames
  // are looked at instead, and all of them say 128 kbit/s.
  for (std::uint32_t frames : {0u, 0xFFFFFFFFu, 41700u / 4, 1u}) {
    TMPEGData d = Scan(XingFile(0x0F, frames));
    EXPECT_EQ(d.BitRate, 128) << frames;
    EXPECT_EQ(d.FrameLength, 417) << frames;
    EXPECT_EQ(d.Duration, 41700 * 8 / 128000) << frames;
    EXPECT_EQ(d.Encoder, "Audio Catalyst VBR") << frames;
  }
}

TEST(Xing, ABlockCutOffByTheFileEndNamesNoMaker) {
  // 48 kHz 32 kbit/s frames of 96 bytes, their headers inside the block.
  auto file = [](std::size_t size) {
    std::string bytes = XingFile(0x0F, 2, 36 + 256, 0xFFFB1464u);
    for (std::size_t at = 96; at + 4 <= size; at += 96)
      bytes.replace(at, 4, BigEndian(0xFFFB1464u));
    bytes.resize(size, '\0');
    return bytes;
  };
  EXPECT_EQ(Scan(file(291)).Encoder, "");
  EXPECT_EQ(Scan(file(292)).Encoder, "Audio Catalyst VBR");
}

TEST(Id3v2Skip, AUtf16MarkInsideATagIsNotTakenForAFrame) {
  std::string tag = test::Id3v2Utf16("Angel Song");
  ASSERT_NE(tag.find("\xFF\xFE"
                     "A"),
            std::string::npos);
  std::string file = tag + Frames(50);
  TMPEGData d = Scan(file);
  EXPECT_EQ(d.Layer, 3);
  EXPECT_EQ(d.BitRate, 128);
  EXPECT_EQ(d.FileLength, static_cast<std::int32_t>(file.size()));
  MemorySource source(file);
  EXPECT_EQ(SkipID3v2Tags(source), static_cast<std::int64_t>(tag.size()));
}

TEST(Id3v2Skip, CoverArtDoesNotCountForTheTimeNorTheXingAverage) {
  // Three minutes at 128 kbit/s behind a 300 KB picture tag.
  const std::string cover = test::Id3v2Utf16("Cover", 300000);
  const std::string audio = Frames(6905);  // 6905 * 417 bytes: 180 s
  TMPEGData plain = Scan(audio);
  TMPEGData tagged = Scan(cover + audio);
  EXPECT_EQ(plain.Duration, 179);
  EXPECT_EQ(tagged.Duration, plain.Duration);
  EXPECT_EQ(tagged.FileLength, static_cast<std::int32_t>(cover.size() + audio.size()));

  // A Xing file behind a 199 KB tag averages as without it, and junk
  // between the tag and the first frame does not count either.
  const std::string xing = XingFile(0x0F, 100);
  const std::string big = test::Id3v2Utf16("Cover", 199000);
  TMPEGData x = Scan(big + xing);
  EXPECT_EQ(x.BitRate, 126);
  EXPECT_EQ(x.FrameLength, 412);
  TMPEGData junk = Scan(big + std::string(417, 'j') + xing);
  EXPECT_EQ(junk.FrameLength, 412);
}

TEST(Id3v2Skip, StepsOverFootersAndTagsThatFollowEachOther) {
  std::string first = test::Id3v2Utf16("One", 300, true);
  std::string second = test::Id3v2Utf16("Two", 20);
  std::string file = first + second + Frames(10);
  MemorySource source(file);
  EXPECT_EQ(SkipID3v2Tags(source), static_cast<std::int64_t>(first.size() + second.size()));
  EXPECT_EQ(Scan(file).Layer, 3);
}

TEST(Id3v2Skip, OnlyWellFormedTagsInsideTheFileAreSkipped) {
  std::string tag = test::Id3v2Utf16("Angel Song");
  auto skipped = [](const std::string& bytes) {
    MemorySource source(bytes);
    return SkipID3v2Tags(source);
  };
  std::string badVersion = tag;
  badVersion[3] = '\xFF';
  EXPECT_EQ(skipped(badVersion + Frames(3)), 0);
  std::string badRevision = tag;
  badRevision[4] = '\xFF';
  EXPECT_EQ(skipped(badRevision + Frames(3)), 0);
  std::string badSize = tag;
  badSize[8] = '\x80';
  EXPECT_EQ(skipped(badSize + Frames(3)), 0);
  // A tag that ends exactly at the file end is inside it; one byte more is not.
  EXPECT_EQ(skipped(tag), static_cast<std::int64_t>(tag.size()));
  EXPECT_EQ(skipped(tag.substr(0, tag.size() - 1)), 0);
  EXPECT_EQ(skipped("ID3\x03"), 0);
  // A tag that is not skipped is searched through; the mark passes for a
  // Layer I header, but no frame follows it.
  TMPEGData d = Scan(badVersion + Frames(3));
  EXPECT_EQ(d.Layer, 3);
}

TEST(Id3v2Skip, BytesAfterTheTagAreSearchedOneByOne) {
  std::string file = test::Id3v2Utf16("x") + std::string(777, 'j') + Frames(5);
  TMPEGData d = Scan(file);
  EXPECT_EQ(d.Layer, 3);
  EXPECT_EQ(d.FileLength, static_cast<std::int32_t>(file.size()));
}

// A file of any claimed size: 417-byte frames.
class HugeSource : public ByteSource {
 public:
  explicit HugeSource(std::int64_t size) : size_(size) {}
  std::int64_t Size() const override { return size_; }
  std::size_t Read(std::int64_t offset, void* buf, std::size_t n) override {
    if (offset >= size_) return 0;
    if (static_cast<std::int64_t>(n) > size_ - offset) n = static_cast<std::size_t>(size_ - offset);
    const std::string frame = Frame(kMp1L3, 417);
    for (std::size_t i = 0; i < n; ++i)
      static_cast<char*>(buf)[i] = frame[static_cast<std::size_t>((offset + i) % 417)];
    return n;
  }

 private:
  std::int64_t size_;
};

TEST(LargeFiles, LengthAndTimeNeitherWrapNorOverflow) {
  TMPEGData d;
  HugeSource big(300000000);
  ASSERT_EQ(ReadMPEGData(big, d), 0);
  EXPECT_EQ(d.FileLength, 300000000);
  EXPECT_EQ(d.Duration, 18750);
  HugeSource huge(5000000000LL);
  ASSERT_EQ(ReadMPEGData(huge, d), 0);
  EXPECT_EQ(d.FileLength, std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(d.Duration, 65535);
}

class FailingSource : public MemorySource {
 public:
  using MemorySource::MemorySource;
  std::size_t Read(std::int64_t offset, void* buf, std::size_t n) override {
    if (offset + static_cast<std::int64_t>(n) > 8192) throw IoError(EIO, "bad sector");
    return MemorySource::Read(offset, buf, n);
  }
};

TEST(FrameSearch, AReadFailureLeavesTheRecordReset) {
  std::string file = std::string(20000, 'j') + Frames(3);
  FailingSource source(file);
  TMPEGData d;
  d.BitRate = 5;
  EXPECT_THROW(ReadMPEGData(source, d), IoError);
  EXPECT_EQ(d.BitRate, 0);
  EXPECT_EQ(d.FileLength, 0);
}

// The search as decoders describe it: every offset in turn, a header
// taken when its frame fits and the next frame's header follows it.
int SlidingSearch(const std::string& b, TMPEGData& d) {
  ResetMPEGData(d);
  const std::int64_t size = static_cast<std::int64_t>(b.size());
  if (size <= 5) return 0;
  d.FileLength = static_cast<std::int32_t>(size);
  auto byte = [&b](std::int64_t i) { return static_cast<std::uint8_t>(b[i]); };
  auto word = [&](std::int64_t at) {
    std::uint32_t w = 0;
    for (int i = 0; i < 4; ++i) w = (w << 8) | byte(at + i);
    return w;
  };
  for (std::int64_t p = 0; p + 4 <= size; ++p) {
    TMPEGData n;
    const bool fits = DecodeHeader(word(p), d) && size - p - d.FrameLength + (d.NoCrc ? 2 : 0) > 0;
    const std::int64_t next = p + d.FrameLength;
    if (fits && (next + 4 > size || (DecodeHeader(word(next), n) && n.Version == d.Version &&
                                     n.Layer == d.Layer && n.SampleRate == d.SampleRate))) {
      switch (byte(p + 3)) {
        case 0x04:
          d.Encoder = byte(p + 6) == 0x0F ? "Mp3 Compressor" : "Xing 2.20|Radium Codec";
          break;
        case 0x44:
          d.Encoder = byte(p + 7) == 0   ? "l3Enc"
                      : byte(p + 6) == 1 ? "Audioactive P. Studio"
                                         : "mp3 Producer";
          break;
        case 0x6C:
          d.Encoder = "Audio Catalyst";
          break;
        case 0x4C:
          d.Encoder = "Audio Catalyst VBR";
          break;
      }
      return 0;
    }
  }
  ResetMPEGData(d);
  d.FileLength = static_cast<std::int32_t>(size);
  return -1;
}

// The first header's own fields; the bit rate and running time follow
// from all frames.
void ExpectSame(const TMPEGData& a, const TMPEGData& b, int round) {
  EXPECT_EQ(a.FileLength, b.FileLength) << round;
  EXPECT_EQ(a.Version, b.Version) << round;
  EXPECT_EQ(a.Layer, b.Layer) << round;
  EXPECT_EQ(a.SampleRate, b.SampleRate) << round;
  EXPECT_EQ(a.Mode, b.Mode) << round;
  EXPECT_EQ(a.Padding, b.Padding) << round;
  EXPECT_EQ(a.NoCrc, b.NoCrc) << round;
  EXPECT_EQ(a.Copyright, b.Copyright) << round;
  EXPECT_EQ(a.Original, b.Original) << round;
  EXPECT_EQ(a.Encoder, b.Encoder) << round;
}

TEST(FrameSearch, FindsWhatASlidingWordFinds) {
  // Bytes from a small alphabet hold many near-headers; the sizes cross
  // the read-block borders, and the headers sit near the file end so that
  // many of them are dropped.
  std::mt19937 rng(12345);
  const std::uint8_t alphabet[] = {0xFF, 0xFF, 0xFB, 0xF3, 0xE3, 0x90,
                                   0x14, 0x44, 0x04, 0x00, 0xF0};
  for (int round = 0; round < 400; ++round) {
    std::size_t size = 6 + rng() % (round < 300 ? 600 : 40000);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(alphabet[rng() % sizeof alphabet]);
    if (round % 3 == 0) {
      for (char& c : bytes)
        if (static_cast<std::uint8_t>(c) == 0xFF && rng() % 8) c = 'j';
    }
    TMPEGData fast, slow;
    MemorySource source(bytes);
    int fastResult = ReadMPEGData(source, fast);
    int slowResult = SlidingSearch(bytes, slow);
    ASSERT_EQ(fastResult, slowResult) << round;
    ExpectSame(fast, slow, round);
  }
}

TEST(FrameSearch, FindsHeadersAcrossReadBlockBorders) {
  for (std::size_t at : {4090u, 4093u, 4094u, 4095u, 4096u, 4097u, 12285u, 12286u, 28669u}) {
    std::string file = std::string(at, 'j') + Frames(2);
    TMPEGData fast, slow;
    MemorySource source(file);
    ASSERT_EQ(ReadMPEGData(source, fast), 0) << at;
    SlidingSearch(file, slow);
    ExpectSame(fast, slow, static_cast<int>(at));
    EXPECT_EQ(fast.BitRate, 128) << at;
  }
}

}  // namespace
}  // namespace tovix
