// Running time and bit rate against the audio as libmpg123 decodes it, on
// files lame makes at test time and on what is done to such files in the
// wild: tags at the end, junk in front, a Fraunhofer VBRI block.
#include <gtest/gtest.h>
#include <mpg123.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <vector>

#include "mp3/mpegfile.h"
#include "mp3/scantable.h"
#include "mp3builder.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

using test::BigEndian;
using test::TempDir;

// Samples per channel that libmpg123 decodes, and their rate.
std::int64_t Decode(const std::string& path, long& rate) {
  std::int64_t samples = 0;
  int channels = 0, encoding = 0, rc = MPG123_OK;
  mpg123_handle* h = mpg123_new(nullptr, nullptr);
  mpg123_param(h, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
  EXPECT_EQ(mpg123_open(h, path.c_str()), MPG123_OK) << path;
  std::vector<unsigned char> buf(1 << 16);
  for (std::size_t got = 0; rc == MPG123_OK || rc == MPG123_NEW_FORMAT;) {
    rc = mpg123_read(h, buf.data(), buf.size(), &got);
    mpg123_getformat(h, &rate, &channels, &encoding);
    if (channels > 0)
      samples += static_cast<std::int64_t>(got) / (channels * mpg123_encsize(encoding));
  }
  mpg123_close(h);
  mpg123_delete(h);
  return samples;
}

// Half a second each of tone, noise and silence, so VBR frames vary.
std::string VariedWav(int rate, int channels, double seconds) {
  std::string wav = test::ToneWav(rate, channels, seconds);
  const std::size_t data = 44, frameBytes = static_cast<std::size_t>(channels) * 2;
  std::uint32_t x = 12345;
  for (std::size_t i = data; i + frameBytes <= wav.size(); i += frameBytes) {
    const std::size_t section = (i - data) / frameBytes / (static_cast<std::size_t>(rate) / 2) % 3;
    for (std::size_t b = 0; b < frameBytes; b += 2) {
      x = x * 1103515245u + 12345u;
      if (section == 1) wav[i + b + 1] = static_cast<char>((x >> 16) & 0x3F);
      if (section == 2) wav[i + b] = wav[i + b + 1] = '\0';
    }
  }
  return wav;
}

std::string Id3v1() {
  test::TagFields fields;
  fields.title = "Title";
  return test::Id3v1(fields);
}

std::uint32_t Word(const std::string& bytes, std::size_t at) {
  std::uint32_t word = 0;
  for (std::size_t i = 0; i < 4; ++i) word = word << 8 | static_cast<std::uint8_t>(bytes[at + i]);
  return word;
}

std::string Le32(std::uint32_t n) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[i] = static_cast<char>(n >> (8 * i));
  return s;
}

// What is done to the encoded bytes before they are scanned.
enum class Change {
  kNone,
  kApeAndId3v1,
  kLyrics3AndId3v1,
  kId3v2AtEnd,
  kJunkWithFalseSync,
  kVbri,
  kCutShort
};

std::string WithVbri(const std::string& mp3);

std::string Apply(Change change, const std::string& mp3) {
  switch (change) {
    case Change::kNone:
      return mp3;
    case Change::kApeAndId3v1: {
      // APE v2 with header and footer around a 30 KB picture item (2 s at
      // 128 kbit/s), then an ID3v1 tag.
      const std::string picture(30000, '\xFF');
      const std::string item = Le32(static_cast<std::uint32_t>(picture.size())) + Le32(2) +
                               "Cover Art (Front)" + '\0' + picture;
      const std::uint32_t size = static_cast<std::uint32_t>(item.size() + 32);
      auto part = [&](std::uint32_t flags) {
        return "APETAGEX" + Le32(2000) + Le32(size) + Le32(1) + Le32(flags) + std::string(8, '\0');
      };
      return mp3 + part(0xA0000000u) + item + part(0x80000000u) + Id3v1();
    }
    case Change::kLyrics3AndId3v1: {
      // 20 KB of lyrics.
      std::string lyrics;
      while (lyrics.size() < 20000) lyrics += "[00:01]la la la\r\n";  // five digits of size
      const std::string block = "LYRICSBEGININD0000210LYR" + std::to_string(lyrics.size()) + lyrics;
      return mp3 + block + "0" + std::to_string(block.size()) + "LYRICS200" + Id3v1();
    }
    case Change::kId3v2AtEnd:
      return mp3 + test::Id3v2Utf16("\xFF\xFB\x90\x44 End", 30000, true);
    case Change::kJunkWithFalseSync: {
      // 40 KB before the first frame, with valid headers that no frame follows.
      std::string junk(40000, 'j');
      junk.replace(100, 4, BigEndian(0xFFFB9044u));
      junk.replace(39000, 4, BigEndian(0xFFFBA064u));
      return junk + mp3;
    }
    case Change::kVbri:
      return WithVbri(mp3);
    case Change::kCutShort:  // a download broken off at two thirds
      return mp3.substr(0, mp3.size() * 2 / 3);
  }
  return mp3;
}

// The frames lame wrote, counted by their headers.
std::uint32_t LameFrames(const std::string& mp3) {
  std::uint32_t n = 0;
  TMPEGData h;
  for (std::size_t pos = 0; pos + 4 <= mp3.size() && DecodeHeader(Word(mp3, pos), h); ++n)
    pos += h.FrameLength;
  return n;
}

std::string WithVbri(const std::string& mp3) {
  std::string frame = BigEndian(0xFFFB9064u);
  frame.resize(36, '\0');
  const std::uint32_t frames = LameFrames(mp3);
  const std::uint32_t bytes = static_cast<std::uint32_t>(mp3.size() + 417);
  frame += "VBRI" + std::string("\x00\x01\x04\x40\x00\x4B", 6) + BigEndian(bytes) +
           BigEndian(frames) + std::string(8, '\0');
  frame.resize(417, '\0');
  return frame + mp3;
}

struct Case {
  const char* name;
  int rate, channels;
  const char* lameArgs;
  Change change;
  int version;
  bool vbr;
  const char* encoder = nullptr;  // the start of the expected Encoder text
};

class RunningTime : public ::testing::TestWithParam<Case> {};

TEST_P(RunningTime, MatchesTheDecodedAudio) {
  const Case& c = GetParam();
  TempDir dir;
  const double seconds = 6.5;
  std::string mp3 =
      test::EncodeWithLame(VariedWav(c.rate, c.channels, seconds), c.lameArgs, dir.path());
  ASSERT_FALSE(mp3.empty());
  const std::size_t lameBytes = mp3.size();
  mp3 = Apply(c.change, mp3);
  const std::string path = dir.file("song.mp3");
  test::WriteFile(path, mp3);

  TMPEGData d;
  ASSERT_EQ(ReadMPEGData(path, d), 0);
  long rate = 0;
  const double real = static_cast<double>(Decode(path, rate)) / c.rate;
  ASSERT_EQ(rate, c.rate);
  EXPECT_EQ(d.Version, c.version);
  EXPECT_EQ(d.SampleRate, c.rate);
  EXPECT_EQ(d.FileLength, static_cast<std::int32_t>(mp3.size()));
  // Whole seconds, cut as the decoded time is cut (6.5 s of music lies
  // far from a whole second, so a frame more or less must not show).
  EXPECT_EQ(d.Duration, static_cast<int>(real)) << real;
  if (c.vbr) {
    // The average over the audio, not the first frame's rate.
    const double average = static_cast<double>(std::min(lameBytes, mp3.size())) * 8 / real / 1000;
    EXPECT_NEAR(d.BitRate, average, average * 0.1) << real;
  }
  if (c.encoder) {
    EXPECT_EQ(d.Encoder.rfind(c.encoder, 0), 0u) << d.Encoder;
  }
  // tovix-scan reads the same over one open file.
  Mp3Info scanned;
  std::ostringstream err;
  ASSERT_TRUE(ReadScanFacts(path, scanned, err));
  EXPECT_EQ(scanned.Duration, d.Duration);
  EXPECT_EQ(scanned.BitRate, d.BitRate);
  EXPECT_EQ(scanned.Encoder, d.Encoder);
}

INSTANTIATE_TEST_SUITE_P(
    Lame, RunningTime,
    ::testing::Values(
        Case{"Mpeg1JointCbrInfo", 44100, 2, "-b 128 -m j", Change::kNone, 1, false},
        // The guess knows no mono header byte: lame's tag names the encoder.
        Case{"Mpeg1MonoCbrInfo", 48000, 1, "-b 64 -m m", Change::kNone, 1, false, "LAME3."},
        Case{"Mpeg2StereoCbrInfo", 22050, 2, "-b 64 -m s", Change::kNone, 2, false},
        Case{"Mpeg2MonoCbrInfo", 16000, 1, "-b 32 -m m", Change::kNone, 2, false},
        Case{"Mpeg25StereoCbrInfo", 11025, 2, "-b 32 -m j", Change::kNone, 3, false},
        Case{"Mpeg25MonoCbrInfo", 8000, 1, "-b 16 -m m", Change::kNone, 3, false},
        Case{"Mpeg1CbrNoBlock", 44100, 2, "-b 160 -m s -t", Change::kNone, 1, false},
        Case{"Mpeg1StereoVbrXing", 44100, 2, "-V 4 -m j", Change::kNone, 1, true},
        Case{"Mpeg1MonoVbrXing", 44100, 1, "-V 2 -m m", Change::kNone, 1, true},
        Case{"Mpeg2StereoVbrXing", 24000, 2, "-V 5 -m j", Change::kNone, 2, true},
        Case{"Mpeg25MonoVbrXing", 8000, 1, "-V 6 -m m", Change::kNone, 3, true},
        Case{"Mpeg1VbrNoBlock", 44100, 2, "-V 4 -m j -t", Change::kNone, 1, true},
        Case{"Mpeg2VbrNoBlock", 22050, 1, "-V 3 -m m -t", Change::kNone, 2, true},
        Case{"Mpeg2VbrXingCutShort", 22050, 2, "-V 4 -m j", Change::kCutShort, 2, true},
        Case{"Mpeg1VbrVbri", 44100, 2, "-V 4 -m j -t", Change::kVbri, 1, true},
        Case{"ApeTagAtTheEnd", 44100, 2, "-b 128 -m j", Change::kApeAndId3v1, 1, false},
        Case{"Lyrics3AtTheEnd", 32000, 2, "-b 96 -m s", Change::kLyrics3AndId3v1, 1, false},
        Case{"Id3v2AtTheEnd", 44100, 2, "-V 4 -t", Change::kId3v2AtEnd, 1, true},
        Case{"JunkWithAFalseSync", 44100, 2, "-b 128 -m j", Change::kJunkWithFalseSync, 1, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tovix
