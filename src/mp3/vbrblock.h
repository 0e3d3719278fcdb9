#pragma once
// The block an encoder leaves in the first frame of a stream to say how
// long it is: Xing (VBR) or Info (CBR) with lame's tag after it, or VBRI.
#include <cstdint>
#include <span>
#include <string>

#include "mp3/mpegfile.h"

namespace tovix {

struct VbrBlock {
  enum class Kind { kNone, kXing, kInfo, kVbri };
  Kind kind = Kind::kNone;
  std::uint32_t frames = 0;  // audio frames after the block's own; 0 when not given
  std::uint32_t bytes = 0;   // bytes of the stream, the block's frame included; 0 when not given
  // Samples the encoder put before and after the music (lame's tag); 0 without one.
  int delay = 0;
  int padding = 0;
  std::string encoder;  // the encoder named by lame's tag ("LAME3.100"), else empty
};

// Reads the block from frame, the first frame's bytes from its header on
// (cut to its length, or shorter at the file end); header holds that
// frame's decoded header.
VbrBlock ReadVbrBlock(std::span<const std::uint8_t> frame, const TMPEGData& header);

}  // namespace tovix
