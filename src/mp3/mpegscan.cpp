// The first-frame search of ReadMPEGData over a byte source.
#include "mp3/mpegscan.h"

#include <cstring>
#include <limits>

#include "mp3/chunkreader.h"

namespace tovix {
namespace {

std::uint32_t BigEndian32(const std::uint8_t* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
         p[3];
}

std::int64_t SkipTags(ChunkReader& reader) {
  std::int64_t offset = 0;
  for (;;) {
    auto h = reader.At(offset, 10);
    if (h.size() < 10 || h[0] != 'I' || h[1] != 'D' || h[2] != '3' || h[3] == 0xFF ||
        h[4] == 0xFF || ((h[6] | h[7] | h[8] | h[9]) & 0x80))
      return offset;
    std::int64_t bytes =
        (std::int64_t{h[6]} << 21) | (std::int64_t{h[7]} << 14) | (std::int64_t{h[8]} << 7) | h[9];
    bytes += (h[5] & 0x10) ? 20 : 10;
    // A tag that claims more than the file holds is no tag to skip.
    if (bytes > reader.size() - offset) return offset;
    offset += bytes;
  }
}

// The first offset p >= from whose four bytes DecodeHeader accepts (data
// then holds the decoded header), or -1. Same result as sliding a word one
// byte at a time, but only offsets holding 0xFF can pass the sync test, so
// memchr skips the rest.
std::int64_t FindHeader(ChunkReader& reader, std::int64_t from, TMPEGData& data) {
  std::int64_t pos = from;
  while (pos <= reader.size() - 4) {
    auto span = reader.At(pos, 4);
    if (span.size() < 4) return -1;
    const std::uint8_t* base = span.data();
    const std::size_t starts = span.size() - 3;
    std::size_t i = 0;
    while (i < starts) {
      const void* hit = std::memchr(base + i, 0xFF, starts - i);
      if (!hit) break;
      i = static_cast<std::size_t>(static_cast<const std::uint8_t*>(hit) - base);
      if ((base[i + 1] & 0xE0) == 0xE0 && DecodeHeader(BigEndian32(base + i), data))
        return pos + static_cast<std::int64_t>(i);
      ++i;
    }
    pos += static_cast<std::int64_t>(starts);
  }
  return -1;
}

// audioBytes: the file less its leading ID3v2 tags, so cover art does not
// count as music.
void ApplyXing(ChunkReader& reader, std::int64_t header, std::int64_t audioBytes, TMPEGData& data) {
  // Only where a two-channel MPEG-1 frame keeps it; the block must be there whole.
  auto x = reader.At(header + 36, 256);
  if (x.size() < 256 || std::memcmp(x.data(), "Xing", 4) != 0 || x[7] != 0x0F) return;
  data.Encoder = "Audio Catalyst VBR";
  std::uint32_t frames = BigEndian32(x.data() + 8);
  if (frames == 0) return;  // nothing to average over: the first header's values stand
  std::int64_t frameLength = audioBytes / frames;
  if (frameLength > 65535) frameLength = 65535;
  std::int64_t bitRate = frameLength * data.SampleRate / 144000 - (data.Padding ? 1 : 0);
  if (bitRate <= 0) return;  // an average of nothing would divide by zero below
  data.FrameLength = static_cast<std::uint16_t>(frameLength);
  data.BitRate = static_cast<std::int32_t>(bitRate);
  data.Duration = DurationFor(audioBytes, data.BitRate);
}

void GuessEncoder(ChunkReader& reader, std::int64_t header, TMPEGData& data) {
  auto b = reader.At(header, 8);
  if (b.size() < 8) return;
  switch (b[3]) {
    case 0x04:
      data.Encoder = b[6] == 0x0F ? "Mp3 Compressor" : "Xing 2.20|Radium Codec";
      break;
    case 0x44:
      data.Encoder = b[7] == 0x00   ? "l3Enc"
                     : b[6] == 0x01 ? "Audioactive P. Studio"
                                    : "mp3 Producer";
      break;
    case 0x6C:
      data.Encoder = "Audio Catalyst";
      break;
    case 0x4C:
      data.Encoder = "Audio Catalyst VBR";
      break;
    default:
      break;
  }
}

}  // namespace

std::int64_t SkipID3v2Tags(ByteSource& source) {
  ChunkReader reader(source);
  return SkipTags(reader);
}

int ReadMPEGData(ByteSource& source, TMPEGData& data) {
  ResetMPEGData(data);
  const std::int64_t size = source.Size();
  if (size <= 5) return 0;
  // The field is 32 bits; larger files read as the largest length it holds.
  const std::int32_t fileLength = size > std::numeric_limits<std::int32_t>::max()
                                      ? std::numeric_limits<std::int32_t>::max()
                                      : static_cast<std::int32_t>(size);
  data.FileLength = fileLength;
  try {
    ChunkReader reader(source);
    // UTF-16 texts of an ID3v2 tag begin with 0xFF 0xFE, which passes for an
    // MPEG-1 Layer I header; so whole leading tags are stepped over.
    std::int64_t from = SkipTags(reader);
    // Junk before the first frame still counts; the skipped tags do not.
    const std::int64_t audioBytes = size - from;
    for (;;) {
      std::int64_t header = FindHeader(reader, from, data);
      if (header >= 0) {
        std::int64_t room = size - header - data.FrameLength + (data.NoCrc ? 2 : 0);
        if (room > 0) {
          data.Duration = DurationFor(audioBytes, data.BitRate);
          ApplyXing(reader, header, audioBytes, data);
          GuessEncoder(reader, header, data);
          return 0;
        }
      }
      ResetMPEGData(data);
      data.FileLength = fileLength;
      if (header < 0) return -1;
      // The three bytes after a dropped header are not tried as header starts.
      from = header + 4;
    }
  } catch (...) {
    ResetMPEGData(data);
    throw;
  }
}

}  // namespace tovix
