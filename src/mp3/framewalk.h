#pragma once
// Frame by frame through a stream without a block that gives its length:
// whether its bit rate looks constant from what the scan has read anyway,
// and the frames counted when it does not.
#include <cstdint>

#include "mp3/chunkreader.h"
#include "mp3/mpegfile.h"
#include "mp3/streamtail.h"

namespace tovix {

// Decodes the header at offset into h; false when there is none.
bool HeaderAt(ChunkReader& reader, std::int64_t offset, TMPEGData& h);
// Frames of one stream share version, layer and sampling rate (what
// decoders compare); the bit rate, mode and flags may change.
bool SameStream(const TMPEGData& a, const TMPEGData& b);

// True unless the frames at hand say the bit rate varies: those after the
// first inside the bytes the reader holds, and the last ones in the tail,
// which must also stand where frames of the first one's length would put
// them. Reads nothing.
bool LooksConstant(ChunkReader& reader, const StreamTail& tail, std::int64_t first,
                   const TMPEGData& header);

struct FrameCount {
  std::int64_t frames = 0;
  std::int64_t bytes = 0;
  bool constant = true;  // every frame had the first one's bit rate
};
// Counts the whole frames from first to end, reading their headers and
// stepping over bytes between them as a decoder resynchronises.
FrameCount CountFrames(ChunkReader& reader, std::int64_t first, std::int64_t end,
                       const TMPEGData& header);

}  // namespace tovix
