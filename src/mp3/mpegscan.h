#pragma once
// The header scan and the tag read over a byte source, beneath the
// file-name functions of mpegfile.h; tests and fuzz targets call these.
#include <cstdint>

#include "mp3/bytesource.h"
#include "mp3/mpegfile.h"

namespace tovix {

// Finds the first acceptable frame header and fills data: 0 done (also for
// a source of 5 bytes or fewer), -1 no header. Throws IoError when a read
// fails; data is then left reset.
int ReadMPEGData(ByteSource& source, TMPEGData& data);

// Reads the ID3v1 tag and the Lyrics3 markers. False, tag unchanged, for a
// source of 137 bytes or fewer; false with the fields emptied when there
// is no tag. Throws IoError when a read fails (tag unchanged).
bool ReadID3Tag(ByteSource& source, TID3Tag& tag);

// The 128 bytes that WriteID3Tag stores for tag.
std::string BuildID3Block(const TID3Tag& tag);

// Offset of the first byte after the ID3v2 tags that open the source, each
// lying wholly inside it; 0 when it does not start with one.
std::int64_t SkipID3v2Tags(ByteSource& source);

// The length in bytes of a frame of any version and layer, at most 65535;
// 0 for a version, layer or sampling rate that is none. (CalcFrameLength
// is the MPEG-1 Layer II and III case.)
int FrameLengthOf(int version, int layer, int sampleRate, int bitRate, bool padding);
// Samples per channel that one frame holds: 384, 1152, or 576 for Layer III
// of MPEG-2 and 2.5; 0 for a version or layer that is none.
int SamplesPerFrame(int version, int layer);

// kbit/s of the 4-bit bit-rate index for a version and layer (1..3), 0
// for none.
int BitRateAt(int version, int layer, int index);

// Playing time in seconds of bytes at bitRate kbit/s, 0 for no bit rate,
// at most 65535.
std::uint16_t DurationFor(std::int64_t bytes, std::int32_t bitRate);

}  // namespace tovix
