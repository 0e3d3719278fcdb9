#pragma once
// Test data built byte by byte: frame headers, frames, ID3v1 and ID3v2
// tags, Xing blocks, and real files encoded by lame.
#include <cstdint>
#include <string>

namespace tovix::test {

// MPEG-1 Layer III, 128 kbit/s, 44100 Hz, no CRC, no padding, joint
// stereo, original: 0xFF 0xFB 0x90 0x44.
inline constexpr std::uint32_t kMp1L3 = 0xFFFB9044u;

std::string BigEndian(std::uint32_t word);
// A header followed by zeros up to length bytes.
std::string Frame(std::uint32_t header, std::size_t length);
// count frames of 417 bytes with kMp1L3 headers.
std::string Frames(int count);

struct TagFields {
  std::string title, artist, album, year, comment;  // raw bytes, padded with NULs
  int genre = 0;
};
// A 128-byte ID3v1 tag; each field is cut or NUL-padded to its width.
std::string Id3v1(const TagFields& fields);

// An ID3v2.3 tag whose title frame is UTF-16 text with the byte-order mark
// 0xFF 0xFE, padded with padding zero bytes. footer adds the 10-byte footer.
std::string Id3v2Utf16(const std::string& asciiTitle, std::size_t padding = 0, bool footer = false);

// The 256-byte block at offset 36 of the first frame: "Xing", the flags
// word, the frame count and then zeros.
std::string XingBlock(std::uint32_t flags, std::uint32_t frames);

// A mono or stereo 16-bit PCM WAV of a tone (left) and a different tone
// (right), seconds long.
std::string ToneWav(int sampleRate, int channels, double seconds);

// Encodes a WAV with lame and returns the MP3 bytes; lameArgs go before the
// file names. Fails the calling test (empty result) when lame fails.
std::string EncodeWithLame(const std::string& wav, const std::string& lameArgs,
                           const std::string& workDir);

}  // namespace tovix::test
