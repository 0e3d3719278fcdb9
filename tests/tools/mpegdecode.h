#pragma once
// Test helper: decodes an MPEG-2 video elementary stream back to RGB pictures.
#include <string>
#include <vector>

#include "picture/bitmap.h"

namespace tovix::test {

struct DecodedStream {
  std::vector<Bitmap> pictures;
  // From the first picture: the stream's display aspect and frame rate.
  int aspectNum = 0, aspectDen = 0;
  int rateNum = 0, rateDen = 0;
  bool intraOnly = true;
};

// Every picture the mpeg2video decoder gives for the stream; throws
// std::runtime_error when it refuses the stream.
DecodedStream DecodeMpeg2(const std::string& stream);

// Peak signal-to-noise ratio over all RGB samples, in dB.
double Psnr(const Bitmap& a, const Bitmap& b);

}  // namespace tovix::test
