// Streams that real collections hold and that once decoded only in part:
// songs of another rate or channel count joined on, junk behind the last
// frame, a cut last frame. Each comes out whole, without an error.
#include <gtest/gtest.h>

#include "mpegdll_lib.h"
#include "support/tempdir.h"

namespace tovix::test {
namespace {

struct Mishap {
  const char* label;
  int rate, channels;              // of the first song
  int joinedRate, joinedChannels;  // a second song joined on (0: none)
  std::size_t cut;                 // bytes cut off the first song's end
  std::size_t junk;                // bytes of noise behind it all
};

class Mishaps : public ::testing::TestWithParam<Mishap> {};

std::string Noise(std::size_t bytes) {
  std::string noise;
  std::uint32_t x = 12345;
  for (std::size_t i = 0; i < bytes; ++i) {
    x = x * 1103515245u + 12345u;
    noise += static_cast<char>(x >> 16);
  }
  return noise;
}

std::uint32_t Le32(const std::string& bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
  return v;
}

// A bit rate at which lame keeps the rate it is given.
std::string LameArgs(int rate) {
  return rate > 24000 ? "-b 128" : "-b 64";
}

TEST_P(Mishaps, DecodeWholeInTheFormatOfTheFirstFrame) {
  const MpegDll* dll = MpegDll::Get();
  ASSERT_NE(dll, nullptr);
  const Mishap& m = GetParam();
  TempDir dir;
  const std::string first =
      EncodeSong(dir.path(), "first.mp3", m.rate, m.channels, 2.0, LameArgs(m.rate));
  std::string stream = ReadFile(first);
  stream.resize(stream.size() - m.cut);
  if (m.joinedRate)
    stream += ReadFile(EncodeSong(dir.path(), "joined.mp3", m.joinedRate, m.joinedChannels, 2.0,
                                  LameArgs(m.joinedRate)));
  stream += Noise(m.junk);
  WriteFile(dir.file("song.mp3"), stream);

  dll->OpenFile(dir.file("song.mp3"));
  ASSERT_EQ(dll->LastError(), 0);
  std::uint8_t endByte = 0;
  const std::string wave = LibraryWave(*dll, dir.file("out.wav"), endByte);
  EXPECT_EQ(dll->GetPlayerMode(), MPEGDLL_MODE_ENDED);
  EXPECT_EQ(dll->LastError(), 0);
  dll->Close();
  ASSERT_GT(wave.size(), 44u);
  EXPECT_EQ(wave[22], static_cast<char>(m.channels));
  EXPECT_EQ(Le32(wave, 24), static_cast<std::uint32_t>(m.rate));

  if (!m.joinedRate) {
    // mpg123 -w ends such a stream at the same place.
    EXPECT_TRUE(wave == Mpg123Wave(dir.file("song.mp3"), dir.file("mpg123.wav")));
    return;
  }
  // The first song exactly as alone, then the joined one: four seconds.
  const std::string alone = Mpg123Wave(first, dir.file("first.wav"));
  EXPECT_EQ(wave.compare(44, alone.size() - 44, alone, 44), 0);
  const double seconds = static_cast<double>(wave.size() - 44) / (2 * m.channels * m.rate);
  EXPECT_NEAR(seconds, 4.0, 0.15);
}

INSTANTIATE_TEST_SUITE_P(
    Lame, Mishaps,
    ::testing::Values(Mishap{"StereoThenHalfRateMono", 44100, 2, 22050, 1, 0, 0},
                      Mishap{"HalfRateMonoThenStereo", 22050, 1, 44100, 2, 0, 0},
                      Mishap{"JunkAfterTheLastFrame", 44100, 2, 0, 0, 0, 5000},
                      Mishap{"CutLastFrameThenJunk", 44100, 2, 0, 0, 200, 2000}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace tovix::test
