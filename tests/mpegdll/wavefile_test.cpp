// Decoding to a wave file (device 2): byte for byte what mpg123 -w writes,
// from a file and through the stream callbacks; start and end positions.
#include <gtest/gtest.h>

#include "mpegdll_lib.h"
#include "support/tempdir.h"

namespace tovix::test {
namespace {

struct Song {
  const char* label;
  int rate;
  int channels;
  const char* lameArgs;
};

class WaveFile : public ::testing::TestWithParam<Song> {};

// A source the test hands over through the six stream callbacks.
struct MemoryStream {
  std::string bytes;
  bool nonseekable = false;
  bool canRewind = true;
  std::size_t pos = 0;
  int opens = 0, closes = 0, restarts = 0;
  void* context = reinterpret_cast<void*>(0x5EED);

  static MemoryStream* Self(void* player, void* stream) {
    EXPECT_EQ(stream, reinterpret_cast<void*>(0x5EED));
    return static_cast<MemoryStream*>(player);
  }
  static void OpenCb(void* player, std::uint8_t* nonseekable, void** stream) {
    auto* self = static_cast<MemoryStream*>(player);
    ++self->opens;
    self->pos = 0;
    *nonseekable = self->nonseekable;
    *stream = self->context;
  }
  static void CloseCb(void* player, void* stream) { ++Self(player, stream)->closes; }
  static void RestartCb(void* player, void* stream, std::uint8_t* res) {
    auto* self = Self(player, stream);
    ++self->restarts;
    if (self->canRewind) self->pos = 0;
    *res = self->canRewind;
  }
  static void ReadCb(void* player, void* stream, void* buffer, std::int32_t count,
                     std::int32_t* read, std::uint8_t* res) {
    auto* self = Self(player, stream);
    std::size_t n = std::min<std::size_t>(count, self->bytes.size() - self->pos);
    std::copy_n(self->bytes.data() + self->pos, n, static_cast<char*>(buffer));
    self->pos += n;
    *read = static_cast<std::int32_t>(n);
    *res = 1;
  }
  static void SeekCb(void* player, void* stream, std::int32_t offset, std::int32_t method,
                     std::int32_t* res) {
    auto* self = Self(player, stream);
    EXPECT_FALSE(self->nonseekable) << "seek on a stream that said it cannot";
    std::int64_t base = method == 0 ? 0 : method == 1 ? self->pos : self->bytes.size();
    std::int64_t to = base + offset;
    if (to < 0 || to > static_cast<std::int64_t>(self->bytes.size())) {
      *res = -1;
      return;
    }
    self->pos = static_cast<std::size_t>(to);
    *res = static_cast<std::int32_t>(to);
  }
  static void SizeCb(void* player, void* stream, std::int32_t* res) {
    *res = static_cast<std::int32_t>(Self(player, stream)->bytes.size());
  }

  void OpenIn(const MpegDll& dll) {
    dll.Open(nullptr, 1, OpenCb, CloseCb, RestartCb, ReadCb, SeekCb, SizeCb, this);
  }
};

TEST_P(WaveFile, HoldsWhatMpg123WritesFromFileAndStream) {
  const MpegDll* dll = MpegDll::Get();
  ASSERT_NE(dll, nullptr);
  const Song& song = GetParam();
  TempDir dir;
  const std::string mp3 =
      EncodeSong(dir.path(), "song.mp3", song.rate, song.channels, 2.5, song.lameArgs);
  const std::string expected = Mpg123Wave(mp3, dir.file("mpg123.wav"));
  // 2.5 s of PCM and the 44-byte header.
  ASSERT_GT(expected.size(), 44u + static_cast<std::size_t>(song.rate * song.channels * 4));
  ASSERT_EQ(expected.compare(22, 2, std::string{static_cast<char>(song.channels), 0}), 0);

  const auto decodedMs =
      static_cast<std::int32_t>((expected.size() - 44) / (2 * song.channels) * 1000 / song.rate);
  dll->OpenFile(mp3);
  ASSERT_EQ(dll->LastError(), 0);
  EXPECT_EQ(dll->GetPlayerMode(), MPEGDLL_MODE_STOPPED);
  EXPECT_NEAR(dll->GetLength(), decodedMs, 30);
  EXPECT_EQ(dll->GetFrequency(), song.rate);
  EXPECT_EQ(dll->GetLayer(), 3);
  std::uint8_t endByte = 0;
  const std::string fromFile = LibraryWave(*dll, dir.file("file.wav"), endByte);
  EXPECT_TRUE(fromFile == expected)
      << "file mode: " << fromFile.size() << " bytes, mpg123 " << expected.size();
  EXPECT_EQ(dll->GetPlayerMode(), MPEGDLL_MODE_ENDED);
  EXPECT_EQ(dll->GetCurrentPos(), decodedMs);
  dll->Close();
  EXPECT_EQ(dll->GetPlayerMode(), MPEGDLL_MODE_CLOSED);

  for (bool nonseekable : {false, true}) {
    MemoryStream stream;
    stream.bytes = ReadFile(mp3);
    stream.nonseekable = nonseekable;
    stream.OpenIn(*dll);
    ASSERT_EQ(dll->LastError(), 0) << "nonseekable " << nonseekable;
    EXPECT_NEAR(dll->GetLength(), decodedMs, 30);
    std::uint8_t streamEnd = 0;
    const std::string fromStream = LibraryWave(*dll, dir.file("stream.wav"), streamEnd);
    EXPECT_TRUE(fromStream == expected) << "stream, nonseekable " << nonseekable;
    // Played again from the start: the same bytes once more; a stream that
    // cannot seek is rewound through its restart callback.
    std::remove(dir.file("stream.wav").c_str());
    streamEnd = 0;
    dll->Restart();
    ASSERT_EQ(dll->LastError(), 0);
    EXPECT_EQ(WaitWhilePlaying(*dll), MPEGDLL_MODE_ENDED);
    EXPECT_TRUE(Ended(streamEnd));
    EXPECT_TRUE(ReadFile(dir.file("stream.wav")) == expected)
        << "restarted, nonseekable " << nonseekable;
    EXPECT_EQ(stream.restarts, nonseekable ? 1 : 0);
    dll->Close();
    EXPECT_EQ(stream.opens, 1);
    EXPECT_EQ(stream.closes, 1);
  }
}

INSTANTIATE_TEST_SUITE_P(Lame, WaveFile,
                         ::testing::Values(Song{"Mpeg1JointStereo", 44100, 2, "-b 128 -m j"},
                                           Song{"Mpeg1Mono", 48000, 1, "-b 96 -m m"},
                                           Song{"Mpeg2Mono", 22050, 1, "-b 48 -m m"},
                                           Song{"Mpeg2Stereo", 24000, 2, "-b 64 -m s"},
                                           Song{"Mpeg25Stereo", 11025, 2, "-b 32 -m s"},
                                           Song{"Vbr", 44100, 2, "-V 2"},
                                           Song{"VbrMono", 32000, 1, "-V 5 -m m"}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(WaveFileStreams, WhatCannotBeDecodedOrRewoundIsReported) {
  const MpegDll* dll = MpegDll::Get();
  ASSERT_NE(dll, nullptr);
  TempDir dir;
  MemoryStream text;
  text.bytes = std::string(4000, 'z');
  text.OpenIn(*dll);
  EXPECT_EQ(dll->LastError(), 3);
  EXPECT_EQ(text.opens, 1);
  EXPECT_EQ(text.closes, 1);

  MemoryStream stream;
  stream.bytes = ReadFile(EncodeSong(dir.path(), "song.mp3", 44100, 2, 1.0, "-b 128"));
  stream.nonseekable = true;
  stream.OpenIn(*dll);
  ASSERT_EQ(dll->LastError(), 0);
  dll->SetOutputDevice(MPEGDLL_DEVICE_WAVEFILE, dir.file("out.wav").c_str());
  std::uint8_t endByte = 0;
  EXPECT_EQ(dll->Play(500, 0, &endByte), 4);
  ASSERT_EQ(dll->Play(0, 0, &endByte), 0);
  EXPECT_EQ(WaitWhilePlaying(*dll), MPEGDLL_MODE_ENDED);
  stream.canRewind = false;
  dll->Restart();
  EXPECT_EQ(dll->LastError(), 4);
  EXPECT_EQ(dll->GetPlayerMode(), MPEGDLL_MODE_ENDED);
  dll->Close();
  EXPECT_EQ(stream.closes, 1);
}

TEST(WaveFileParts, StartAndEndPositionCutTheSamePcm) {
  const MpegDll* dll = MpegDll::Get();
  ASSERT_NE(dll, nullptr);
  TempDir dir;
  const std::string mp3 = EncodeSong(dir.path(), "song.mp3", 44100, 2, 3.0, "-V 4");
  const std::string whole = Mpg123Wave(mp3, dir.file("mpg123.wav"));
  dll->OpenFile(mp3);
  ASSERT_EQ(dll->LastError(), 0);
  std::uint8_t endByte = 0;
  const std::string part = LibraryWave(*dll, dir.file("part.wav"), endByte, 1000, 2000);
  dll->Close();
  // One second of 44.1 kHz stereo from sample 44100 on.
  ASSERT_EQ(part.size(), 44u + 44100 * 4);
  EXPECT_TRUE(part.compare(44, std::string::npos, whole, 44 + 44100 * 4, 44100 * 4) == 0);
}

TEST(WaveFileParts, CoverArtAndNamesOutsideAscii) {
  const MpegDll* dll = MpegDll::Get();
  ASSERT_NE(dll, nullptr);
  TempDir dir;
  // A song with an ID3v2 tag holding a picture, under a name in
  // Windows-1252 as the program holds it ("Mädchen – ñ.mp3").
  std::string cover = std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF", 10) + std::string(30000, 'x');
  WriteFile(dir.file("cover.jpg"), cover);
  const std::string mp3 = EncodeSong(dir.path(),
                                     "M\xC3\xA4"
                                     "dchen \xE2\x80\x93 \xC3\xB1.mp3",
                                     44100, 2, 1.5, "-b 160 --ti '" + dir.file("cover.jpg") + "'");
  ASSERT_GT(ReadFile(mp3).size(), 30000u);
  const std::string expected = Mpg123Wave(mp3, dir.file("mpg123.wav"));
  dll->OpenFile(dir.path() +
                "/M\xE4"
                "dchen \x96 \xF1.mp3");
  ASSERT_EQ(dll->LastError(), 0);
  EXPECT_EQ(dll->GetBitrate(), 160);
  std::uint8_t endByte = 0;
  LibraryWave(*dll, dir.path() + "/\xC4rger.wav", endByte);
  EXPECT_TRUE(ReadFile(dir.file("\xC3\x84rger.wav")) == expected);
  dll->Close();
}

}  // namespace
}  // namespace tovix::test
