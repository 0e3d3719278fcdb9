// Header decoding, validity, frame length and the reset state.
#include <gtest/gtest.h>

#include "mp3/mpegfile.h"
#include "mp3/mpegscan.h"

namespace tovix {
namespace {

// Sets the given fields of the MPEG-1 Layer III base header 0xFFFB9044.
constexpr std::uint32_t kBase = 0xFFFB9044u;

std::uint32_t WithBits(std::uint32_t header, int shift, std::uint32_t mask, std::uint32_t value) {
  return (header & ~(mask << shift)) | (value << shift);
}

TEST(DecodeHeader, DecodesTheCommonMpeg1LayerIIIHeader) {
  TMPEGData d;
  ResetMPEGData(d);
  ASSERT_TRUE(DecodeHeader(0xFFFB9044u, d));
  EXPECT_EQ(d.Version, 1);
  EXPECT_EQ(d.Layer, 3);
  EXPECT_EQ(d.BitRate, 128);
  EXPECT_EQ(d.SampleRate, 44100);
  EXPECT_EQ(d.Mode, 1);
  EXPECT_TRUE(d.NoCrc);
  EXPECT_FALSE(d.Padding);
  EXPECT_TRUE(d.Original);
  EXPECT_FALSE(d.Copyright);
  EXPECT_EQ(d.FrameLength, 417);
}

TEST(DecodeHeader, ReadsEveryFlagBit) {
  TMPEGData d;
  // CRC present, padding, dual channel, copyright, not original.
  ASSERT_TRUE(DecodeHeader(0xFFFA9288u, d));
  EXPECT_FALSE(d.NoCrc);
  EXPECT_TRUE(d.Padding);
  EXPECT_EQ(d.FrameLength, 418);
  EXPECT_EQ(d.Mode, 2);
  EXPECT_TRUE(d.Copyright);
  EXPECT_FALSE(d.Original);
  ASSERT_TRUE(DecodeHeader(0xFFFB90C4u, d));
  EXPECT_EQ(d.Mode, 3);
}

TEST(DecodeHeader, MapsVersionAndLayerCodes) {
  TMPEGData d;
  // Version bits 10 -> MPEG-2, 00 -> MPEG-2.5; layer codes 3,2,1 -> I, II, III.
  ASSERT_TRUE(DecodeHeader(WithBits(kBase, 19, 3, 2), d));
  EXPECT_EQ(d.Version, 2);
  EXPECT_EQ(d.SampleRate, 22050);
  ASSERT_TRUE(DecodeHeader(WithBits(kBase, 19, 3, 0), d));
  EXPECT_EQ(d.Version, 3);
  EXPECT_EQ(d.SampleRate, 11025);
  ASSERT_TRUE(DecodeHeader(WithBits(kBase, 17, 3, 3), d));
  EXPECT_EQ(d.Layer, 1);
  EXPECT_EQ(d.BitRate, 288);  // Layer I row, index 9
  ASSERT_TRUE(DecodeHeader(WithBits(kBase, 17, 3, 2), d));
  EXPECT_EQ(d.Layer, 2);
  EXPECT_EQ(d.BitRate, 160);
}

TEST(DecodeHeader, Mpeg2AndTwoAndAHalfHaveRowsOfTheirOwn) {
  TMPEGData d;
  std::uint32_t mpeg2 = WithBits(kBase, 19, 3, 2);
  ASSERT_TRUE(DecodeHeader(mpeg2, d));  // bit-rate index 9
  EXPECT_EQ(d.BitRate, 80);
  ASSERT_TRUE(DecodeHeader(WithBits(mpeg2, 12, 15, 13), d));
  EXPECT_EQ(d.BitRate, 144);
  ASSERT_TRUE(DecodeHeader(WithBits(mpeg2, 12, 15, 1), d));
  EXPECT_EQ(d.BitRate, 8);
  // Layer I has its own row, Layer II shares Layer III's.
  ASSERT_TRUE(DecodeHeader(WithBits(mpeg2, 17, 3, 3), d));
  EXPECT_EQ(d.BitRate, 144);
  ASSERT_TRUE(DecodeHeader(WithBits(WithBits(kBase, 19, 3, 0), 17, 3, 2), d));
  EXPECT_EQ(d.BitRate, 80);
  // 2.5 sampling rates.
  ASSERT_TRUE(DecodeHeader(WithBits(WithBits(kBase, 19, 3, 0), 10, 3, 2), d));
  EXPECT_EQ(d.SampleRate, 8000);
}

TEST(DecodeHeader, RejectsEveryInvalidField) {
  TMPEGData d;
  EXPECT_FALSE(DecodeHeader(WithBits(kBase, 12, 15, 0), d));  // free format
  EXPECT_EQ(d.BitRate, 0);
  EXPECT_FALSE(DecodeHeader(WithBits(kBase, 12, 15, 15), d));  // bad index
  EXPECT_FALSE(DecodeHeader(WithBits(kBase, 10, 3, 3), d));    // sampling index 3
  EXPECT_EQ(d.SampleRate, 0);
  EXPECT_EQ(d.FrameLength, 0);
  EXPECT_FALSE(DecodeHeader(WithBits(kBase, 19, 3, 1), d));  // reserved version
  EXPECT_EQ(d.Version, 0);
  EXPECT_EQ(d.Layer, 0);
  EXPECT_FALSE(DecodeHeader(WithBits(kBase, 17, 3, 0), d));  // reserved layer
  EXPECT_EQ(d.Layer, 0);
  EXPECT_EQ(d.BitRate, 0);
}

TEST(DecodeHeader, SyncNeedsElevenBitsAndClearsTheHeaderFields) {
  TMPEGData d;
  ASSERT_TRUE(DecodeHeader(kBase, d));
  EXPECT_FALSE(DecodeHeader(0xFFDFFFFFu, d));
  EXPECT_EQ(d.BitRate, 0);
  EXPECT_EQ(d.Version, 0);
  EXPECT_FALSE(d.NoCrc);
  EXPECT_FALSE(d.Original);
  // 0xFFE00000 is the smallest word that passes the sync test: it fails
  // later, on the version bits.
  EXPECT_FALSE(DecodeHeader(0xFFE00000u, d));
}

TEST(DecodeHeader, LeavesFileFactsAndComputesDuration) {
  TMPEGData d;
  ResetMPEGData(d);
  d.FileLength = 4000000;
  d.Encoder = "kept";
  ASSERT_TRUE(DecodeHeader(kBase, d));
  EXPECT_EQ(d.Duration, 250);
  EXPECT_EQ(d.FileLength, 4000000);
  EXPECT_EQ(d.Encoder, "kept");
  EXPECT_FALSE(DecodeHeader(WithBits(kBase, 12, 15, 0), d));
  EXPECT_EQ(d.Duration, 0);  // no bit rate, no time
}

TEST(CalcFrameLength, IsTheMpeg1LayerIIIFormula) {
  EXPECT_EQ(CalcFrameLength(44100, 128, false), 417);
  EXPECT_EQ(CalcFrameLength(44100, 128, true), 418);
  EXPECT_EQ(CalcFrameLength(48000, 320, false), 960);
  EXPECT_EQ(CalcFrameLength(8000, 8, false), 144);
  EXPECT_EQ(CalcFrameLength(0, 128, true), 0);
  EXPECT_EQ(CalcFrameLength(-1, 128, false), 0);
}

TEST(FrameLengthOf, FollowsTheSamplesOfVersionAndLayer) {
  struct Case {
    int version, layer, rate, kbit;
    bool padding;
    int length, samples;
  };
  const Case cases[] = {
      {1, 3, 44100, 128, false, 417, 1152}, {1, 3, 44100, 128, true, 418, 1152},
      {1, 2, 48000, 384, true, 1153, 1152}, {1, 1, 44100, 32, false, 32, 384},
      {1, 1, 44100, 32, true, 36, 384},     {2, 3, 22050, 64, false, 208, 576},
      {2, 2, 16000, 8, false, 72, 1152},    {3, 3, 8000, 8, true, 73, 576},
      {2, 1, 24000, 256, false, 512, 384},  {0, 3, 44100, 128, false, 0, 0},
      {1, 3, 0, 128, false, 0, 1152},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FrameLengthOf(c.version, c.layer, c.rate, c.kbit, c.padding), c.length)
        << c.version << " " << c.layer << " " << c.rate;
    EXPECT_EQ(SamplesPerFrame(c.version, c.layer), c.samples);
  }
}

TEST(DurationFor, NeitherWrapsNorOverflowsOnLargeFiles) {
  EXPECT_EQ(DurationFor(4000000, 128), 250);
  EXPECT_EQ(DurationFor(4000000, 0), 0);
  // 300 MB: eight times that leaves 32 bits.
  EXPECT_EQ(DurationFor(300000000, 128), 18750);
  // Longer than the 16-bit field holds: the longest time it can show.
  EXPECT_EQ(DurationFor(2000000000, 8), 65535);
  EXPECT_EQ(DurationFor(65536LL * 1000, 8), 65535);
  EXPECT_EQ(DurationFor(65535LL * 1000, 8), 65535);
  EXPECT_EQ(DurationFor(65534LL * 1000, 8), 65534);
}

TEST(ResetMPEGData, ClearsAllAndLeavesNoEncoder) {
  TMPEGData d;
  DecodeHeader(kBase, d);
  d.Encoder = "l3Enc";
  d.Duration = 9;
  d.FileLength = 9;
  ResetMPEGData(d);
  EXPECT_EQ(d.Duration, 0);
  EXPECT_EQ(d.FileLength, 0);
  EXPECT_EQ(d.BitRate, 0);
  EXPECT_FALSE(d.Original);
  EXPECT_FALSE(IsValidHeader(d));
  EXPECT_EQ(d.Encoder, "");
}

}  // namespace
}  // namespace tovix
