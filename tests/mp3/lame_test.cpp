// Real files encoded by lame: every MPEG version, the channel modes, CBR,
// VBR with a Xing block, and an ID3v2 tag written by lame.
#include <gtest/gtest.h>

#include "mp3/mpegfile.h"
#include "mp3/mpegscan.h"
#include "mp3builder.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

using test::EncodeWithLame;
using test::TempDir;
using test::ToneWav;

constexpr double kSeconds = 3.0;

struct Encoded {
  TMPEGData data;
  std::size_t size = 0;
};

Encoded Encode(int rate, int channels, const std::string& args) {
  TempDir dir;
  std::string mp3 = EncodeWithLame(ToneWav(rate, channels, kSeconds), args, dir.path());
  Encoded e;
  e.size = mp3.size();
  test::WriteFile(dir.file("song.mp3"), mp3);
  EXPECT_EQ(ReadMPEGData(dir.file("song.mp3"), e.data), 0) << args;
  EXPECT_EQ(e.data.FileLength, static_cast<std::int32_t>(mp3.size()));
  return e;
}

struct CbrCase {
  int rate, channels;
  const char* args;
  int version, bitRate, mode;
};

class LameCbr : public ::testing::TestWithParam<CbrCase> {};

TEST_P(LameCbr, ReadsTheFirstFrame) {
  const CbrCase& c = GetParam();
  Encoded e = Encode(c.rate, c.channels, c.args);
  EXPECT_EQ(e.data.Version, c.version);
  EXPECT_EQ(e.data.Layer, 3);
  EXPECT_EQ(e.data.SampleRate, c.rate);
  EXPECT_EQ(e.data.BitRate, c.bitRate);
  EXPECT_EQ(e.data.Mode, c.mode);
  EXPECT_TRUE(e.data.NoCrc);
  EXPECT_EQ(e.data.FrameLength, FrameLengthOf(c.version, 3, c.rate, c.bitRate, e.data.Padding));
  // A constant bit rate gives the real playing time, to the second.
  EXPECT_NEAR(e.data.Duration, kSeconds, 1.0);
  // lame's "Info" block of a CBR file is no Xing block.
  EXPECT_NE(e.data.Encoder, "Audio Catalyst VBR");
}

INSTANTIATE_TEST_SUITE_P(Versions, LameCbr,
                         ::testing::Values(CbrCase{44100, 2, "-b 128 -m j", 1, 128, 1},
                                           CbrCase{44100, 2, "-b 192 -m s", 1, 192, 0},
                                           CbrCase{48000, 1, "-b 128 -m m", 1, 128, 3},
                                           CbrCase{22050, 1, "-b 64 -m m", 2, 64, 3},
                                           CbrCase{24000, 2, "-b 80 -m j", 2, 80, 1},
                                           CbrCase{16000, 2, "-b 32 -m s", 2, 32, 0},
                                           CbrCase{11025, 1, "-b 24 -m m", 3, 24, 3},
                                           CbrCase{8000, 2, "-b 16 -m s", 3, 16, 0}));

TEST(LameVbr, AveragesTheBitRateOverTheXingFrameCount) {
  for (const char* mode : {"-m j", "-m s"}) {
    Encoded e = Encode(44100, 2, std::string("-V 4 ") + mode);
    EXPECT_EQ(e.data.Version, 1);
    // The first frame of a VBR file says 128 kbit/s or so; the average of
    // a quiet tone is far lower, and tells the real playing time.
    double average = e.size * 8 / kSeconds / 1000;
    EXPECT_NEAR(e.data.BitRate, average, average * 0.08) << mode;
    EXPECT_NEAR(e.data.Duration, kSeconds, 1.0) << mode;
    EXPECT_NE(e.data.FrameLength, CalcFrameLength(44100, 128, false)) << mode;
  }
}

TEST(LameTags, AUtf16Id3v2TagDoesNotHideTheFirstFrame) {
  Encoded e = Encode(44100, 2, "-b 128 -m j --id3v2-only --id3v2-utf16 --tt Angel --ta Band");
  EXPECT_EQ(e.data.Layer, 3);
  EXPECT_EQ(e.data.BitRate, 128);
  EXPECT_EQ(e.data.Mode, 1);
}

TEST(LameTags, ReadsTheId3v1TagLameWrites) {
  TempDir dir;
  std::string mp3 = EncodeWithLame(ToneWav(44100, 2, 1.0),
                                   "-b 128 --id3v1-only --tt Title --ta Artist --tl Album "
                                   "--ty 1999 --tc Comment --tn 7 --tg 17",
                                   dir.path());
  test::WriteFile(dir.file("song.mp3"), mp3);
  TID3Tag tag;
  ASSERT_TRUE(ReadID3Tag(dir.file("song.mp3"), tag));
  EXPECT_EQ(tag.Title, "Title");
  EXPECT_EQ(tag.Artist, "Artist");
  EXPECT_EQ(tag.Album, "Album");
  EXPECT_EQ(tag.Year, "1999");
  EXPECT_EQ(tag.Comment, "Comment");
  EXPECT_EQ(tag.Track, "7");
  EXPECT_EQ(tag.Genre, 17);
}

}  // namespace
}  // namespace tovix
