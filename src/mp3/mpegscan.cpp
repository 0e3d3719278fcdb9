// The first-frame search of ReadMPEGData over a byte source.
#include "mp3/mpegscan.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "mp3/chunkreader.h"
#include "mp3/framewalk.h"
#include "mp3/streamtail.h"
#include "mp3/vbrblock.h"

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

// Part of the encoder guess: a Xing block with all four fields where a
// two-channel MPEG-1 frame keeps it names its maker. Blocks found at their
// other places time the stream but name no one, so no song's encoder text
// changes from what it always showed.
void GuessXingMaker(ChunkReader& reader, std::int64_t header, TMPEGData& data) {
  auto x = reader.At(header + 36, 256);
  if (x.size() >= 256 && std::memcmp(x.data(), "Xing", 4) == 0 && x[7] == 0x0F)
    data.Encoder = "Audio Catalyst VBR";
}

// A header is a frame's when its frame fits the file and, as decoders
// check, the next frame's header follows where its length says (unless
// the audio ends there). Leaves the two headers in the reader's buffer.
bool Accepted(ChunkReader& reader, std::int64_t header, std::int64_t size, std::int64_t end,
              const TMPEGData& data) {
  if (header >= end) return false;
  if (size - header - data.FrameLength + (data.NoCrc ? 2 : 0) <= 0) return false;
  const std::int64_t next = header + data.FrameLength;
  if (next + 4 > end) return true;
  reader.At(header, data.FrameLength + 4u);
  TMPEGData following;
  return HeaderAt(reader, next, following) && SameStream(following, data);
}

std::uint16_t Seconds(std::int64_t samples, std::int32_t sampleRate) {
  if (samples <= 0 || sampleRate <= 0) return 0;
  const std::int64_t seconds = samples / sampleRate;
  return static_cast<std::uint16_t>(seconds > 65535 ? 65535 : seconds);
}

// A VBR stream's average over bytes of frames of its kind.
void SetAverage(std::int64_t bytes, std::int64_t frames, TMPEGData& data) {
  const std::int64_t samples = frames * SamplesPerFrame(data.Version, data.Layer);
  if (bytes <= 0 || samples <= 0) return;
  const std::int64_t rate = bytes * 8 * data.SampleRate / (samples * 1000);
  if (rate <= 0) return;  // too few bytes to tell: the first header's values stand
  data.BitRate = static_cast<std::int32_t>(rate > 65535 ? 65535 : rate);
  const std::int64_t frame = bytes / frames;
  data.FrameLength = static_cast<std::uint16_t>(frame > 65535 ? 65535 : frame);
}

// A frame count that frames of this stream's smallest and largest kind
// could fill bytes with; a block that says otherwise is broken or belongs
// to a file that was cut or joined, and its frames are counted instead.
bool Plausible(std::int64_t frames, std::int64_t bytes, const TMPEGData& h) {
  if (frames <= 0 || bytes <= 0) return false;
  const std::int64_t smallest =
      FrameLengthOf(h.Version, h.Layer, h.SampleRate, BitRateAt(h.Version, h.Layer, 1), false);
  const std::int64_t largest =
      FrameLengthOf(h.Version, h.Layer, h.SampleRate, BitRateAt(h.Version, h.Layer, 14), true);
  return frames * (smallest - 1) <= bytes && bytes <= frames * (largest + 1);
}

// Running time and, for VBR, the average bit rate of the audio from the
// first frame at header to end; returns the encoder the block names.
std::string TimeTheStream(ChunkReader& reader, const StreamTail& tail, std::int64_t header,
                          TMPEGData& data) {
  const std::int64_t end = tail.audioEnd();
  const std::int64_t audioBytes = end - header;
  const int perFrame = SamplesPerFrame(data.Version, data.Layer);
  const std::int64_t firstLength = data.FrameLength;
  auto frame = reader.At(header, data.FrameLength);
  const VbrBlock block =
      ReadVbrBlock(frame.first(std::min<std::size_t>(frame.size(), data.FrameLength)), data);
  // The bytes of the frames after the block's own, which holds no music.
  const std::int64_t streamBytes =
      (block.bytes > firstLength && block.bytes <= audioBytes ? block.bytes : audioBytes) -
      firstLength;
  // A file that ends a frame or more before the block says was cut short
  // (a broken download): what is left is counted instead.
  const bool cut = block.bytes > audioBytes + firstLength;
  if (block.kind != VbrBlock::Kind::kNone && !cut && Plausible(block.frames, streamBytes, data)) {
    std::int64_t samples = std::int64_t{block.frames} * perFrame;
    if (samples > block.delay + block.padding) samples -= block.delay + block.padding;
    data.Duration = Seconds(samples, data.SampleRate);
    if (block.kind != VbrBlock::Kind::kInfo) SetAverage(streamBytes, block.frames, data);
    return block.encoder;
  }
  data.Duration = DurationFor(audioBytes, data.BitRate);
  if (LooksConstant(reader, tail, header, data)) return block.encoder;
  const FrameCount count = CountFrames(reader, header, end, data);
  if (count.constant || count.frames == 0) return block.encoder;
  // A block that could not be trusted still heads the stream: its frame
  // plays no music, and the encoder's delay at the start is still there.
  const bool headed = block.kind != VbrBlock::Kind::kNone && count.frames > 1;
  const std::int64_t frames = count.frames - (headed ? 1 : 0);
  data.Duration = Seconds(frames * perFrame - (headed ? block.delay : 0), data.SampleRate);
  SetAverage(count.bytes - (headed ? firstLength : 0), frames, data);
  return block.encoder;
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
    const StreamTail tail(source, from);
    for (;;) {
      std::int64_t header = FindHeader(reader, from, data);
      if (header >= 0 && Accepted(reader, header, size, tail.audioEnd(), data)) {
        // One read holds all that is looked at in the first frame.
        reader.At(header, std::max<std::size_t>(data.FrameLength + 4u, 36 + 256));
        GuessXingMaker(reader, header, data);
        GuessEncoder(reader, header, data);
        const std::string named = TimeTheStream(reader, tail, header, data);
        if (data.Encoder.empty()) data.Encoder = named;
        return 0;
      }
      ResetMPEGData(data);
      data.FileLength = fileLength;
      if (header < 0 || header >= tail.audioEnd()) return -1;
      // A false sync in junk: go on from the next byte, as decoders do.
      from = header + 1;
    }
  } catch (...) {
    ResetMPEGData(data);
    throw;
  }
}

}  // namespace tovix
