#include "mp3builder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "support/tempdir.h"

namespace tovix::test {

std::string BigEndian(std::uint32_t word) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[i] = static_cast<char>(word >> (24 - 8 * i));
  return s;
}

std::string Frame(std::uint32_t header, std::size_t length) {
  std::string frame = BigEndian(header);
  frame.resize(length, '\0');
  return frame;
}

std::string Frames(int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += Frame(kMp1L3, 417);
  return out;
}

static std::string Fixed(const std::string& text, std::size_t width) {
  std::string s = text.substr(0, width);
  s.resize(width, '\0');
  return s;
}

std::string Id3v1(const TagFields& f) {
  std::string tag = "TAG" + Fixed(f.title, 30) + Fixed(f.artist, 30) + Fixed(f.album, 30) +
                    Fixed(f.year, 4) + Fixed(f.comment, 30);
  tag += static_cast<char>(f.genre);
  return tag;
}

static std::string SyncSafe(std::uint32_t n) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[i] = static_cast<char>((n >> (21 - 7 * i)) & 0x7F);
  return s;
}

std::string Id3v2Utf16(const std::string& asciiTitle, std::size_t padding, bool footer) {
  std::string text = "\x01\xFF\xFE";  // UTF-16 with a little-endian byte-order mark
  for (char c : asciiTitle) {
    text += c;
    text += '\0';
  }
  std::string frame =
      "TIT2" + BigEndian(static_cast<std::uint32_t>(text.size())) + std::string(2, '\0') + text;
  std::string body = frame + std::string(padding, '\0');
  std::string head = std::string("ID3\x03\x00", 5);
  head += footer ? '\x10' : '\0';
  std::string tag = head + SyncSafe(static_cast<std::uint32_t>(body.size())) + body;
  if (footer)
    tag +=
        "3DI" + std::string("\x03\x00\x10", 3) + SyncSafe(static_cast<std::uint32_t>(body.size()));
  return tag;
}

std::string XingBlock(std::uint32_t flags, std::uint32_t frames) {
  std::string block = "Xing" + BigEndian(flags) + BigEndian(frames);
  block.resize(256, '\0');
  return block;
}

std::string ToneWav(int sampleRate, int channels, double seconds) {
  const std::uint32_t samples = static_cast<std::uint32_t>(sampleRate * seconds);
  std::string data;
  data.reserve(samples * channels * 2);
  for (std::uint32_t i = 0; i < samples; ++i) {
    for (int c = 0; c < channels; ++c) {
      double freq = c == 0 ? 440.0 : 660.0;
      auto v = static_cast<std::int16_t>(9000 * std::sin(2 * M_PI * freq * i / sampleRate));
      data += static_cast<char>(v & 0xFF);
      data += static_cast<char>((v >> 8) & 0xFF);
    }
  }
  auto le32 = [](std::uint32_t n) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i) s[i] = static_cast<char>(n >> (8 * i));
    return s;
  };
  auto le16 = [](std::uint16_t n) {
    return std::string{static_cast<char>(n & 0xFF), static_cast<char>(n >> 8)};
  };
  std::string wav = "RIFF" + le32(36 + static_cast<std::uint32_t>(data.size())) + "WAVEfmt " +
                    le32(16) + le16(1) + le16(static_cast<std::uint16_t>(channels)) +
                    le32(sampleRate) + le32(sampleRate * channels * 2) +
                    le16(static_cast<std::uint16_t>(channels * 2)) + le16(16) + "data" +
                    le32(static_cast<std::uint32_t>(data.size()));
  return wav + data;
}

std::string EncodeWithLame(const std::string& wav, const std::string& lameArgs,
                           const std::string& workDir) {
  const std::string in = workDir + "/in.wav";
  const std::string out = workDir + "/out.mp3";
  WriteFile(in, wav);
  std::string command = "lame --quiet " + lameArgs + " '" + in + "' '" + out + "'";
  int rc = std::system(command.c_str());
  EXPECT_EQ(rc, 0) << command;
  if (rc != 0) return {};
  return ReadFile(out);
}

}  // namespace tovix::test
