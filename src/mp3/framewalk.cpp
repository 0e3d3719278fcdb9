#include "mp3/framewalk.h"

#include <algorithm>
#include <cstdlib>

#include "mp3/mpegscan.h"

namespace tovix {
namespace {

std::uint32_t BigEndian32(const std::uint8_t* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
         p[3];
}

bool Decodes(const std::uint8_t* p, TMPEGData& h) {
  return p[0] == 0xFF && (p[1] & 0xE0) == 0xE0 && DecodeHeader(BigEndian32(p), h);
}

// True when frames of the header's bit rate, padded as encoders pad to
// keep that rate, or all padded or none, put a frame distance bytes on.
bool OnTheGrid(std::int64_t distance, const TMPEGData& h) {
  const std::int64_t slot = h.Layer == 1 ? 4 : 1;
  const std::int64_t plain = FrameLengthOf(h.Version, h.Layer, h.SampleRate, h.BitRate, false);
  if (plain <= 0) return false;
  if (distance % plain == 0 || distance % (plain + slot) == 0) return true;
  // The exact mean frame length is num / den bytes.
  const std::int64_t num =
      h.Layer == 1 ? std::int64_t{h.BitRate} * 48000
                   : std::int64_t{h.BitRate} * 125 * SamplesPerFrame(h.Version, h.Layer);
  const std::int64_t den = h.SampleRate;
  const std::int64_t frames = (distance * den + num / 2) / num;
  return std::llabs(distance * den - frames * num) <= slot * den;
}

}  // namespace

bool HeaderAt(ChunkReader& reader, std::int64_t offset, TMPEGData& h) {
  auto span = reader.At(offset, 4);
  return span.size() >= 4 && Decodes(span.data(), h);
}

bool SameStream(const TMPEGData& a, const TMPEGData& b) {
  return a.Version == b.Version && a.Layer == b.Layer && a.SampleRate == b.SampleRate;
}

bool LooksConstant(ChunkReader& reader, const StreamTail& tail, std::int64_t first,
                   const TMPEGData& header) {
  TMPEGData h;
  // The frames the head read holds already.
  const auto head = reader.At(first, 4);
  const std::int64_t headEnd =
      std::min(first + static_cast<std::int64_t>(head.size()), tail.audioEnd());
  for (std::int64_t pos = first; pos + 4 <= headEnd; pos += h.FrameLength) {
    if (!Decodes(head.data() + (pos - first), h) || !SameStream(h, header) || h.FrameLength == 0)
      break;
    if (h.BitRate != header.BitRate) return false;
  }
  // The last frames: the first place in the tail where two frames follow
  // each other starts a chain that runs to the audio's end.
  const auto bytes = tail.audio();
  const std::int64_t end = tail.audioEnd();
  auto headerIn = [&](std::int64_t pos, TMPEGData& out) {
    return pos >= tail.start() && pos + 4 <= end &&
           Decodes(bytes.data() + (pos - tail.start()), out) && SameStream(out, header);
  };
  for (std::int64_t q = std::max(tail.start(), first + 1); q + 4 <= end; ++q) {
    TMPEGData next;
    if (!headerIn(q, h) || !headerIn(q + h.FrameLength, next)) continue;
    if (!OnTheGrid(q - first, header)) return false;
    for (std::int64_t pos = q; headerIn(pos, h); pos += h.FrameLength)
      if (h.BitRate != header.BitRate) return false;
    return true;
  }
  return true;
}

FrameCount CountFrames(ChunkReader& reader, std::int64_t first, std::int64_t end,
                       const TMPEGData& header) {
  FrameCount count;
  TMPEGData h;
  std::int64_t pos = first;
  bool lost = false;
  while (pos + 4 <= end) {
    TMPEGData next;
    const bool found = HeaderAt(reader, pos, h) && SameStream(h, header) && h.FrameLength > 0;
    if (found && lost) reader.At(pos, h.FrameLength + 4u);  // both headers in one read
    // Once lost, a header counts only when the next one follows it.
    if (!found || (lost && pos + h.FrameLength + 4 <= end &&
                   !(HeaderAt(reader, pos + h.FrameLength, next) && SameStream(next, header)))) {
      lost = true;
      ++pos;
      continue;
    }
    lost = false;
    if (pos + h.FrameLength > end) break;  // cut short: no decoder plays it
    ++count.frames;
    count.bytes += h.FrameLength;
    if (h.BitRate != header.BitRate) count.constant = false;
    pos += h.FrameLength;
  }
  return count;
}

}  // namespace tovix
