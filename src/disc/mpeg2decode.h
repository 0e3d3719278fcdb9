#pragma once
// Decodes an MPEG-2 video elementary stream (a .BIN picture) back to RGB
// pictures with libavcodec, the decoder side of the library mklogo encodes
// with.
#include <string>
#include <vector>

#include "picture/bitmap.h"

namespace tovix {

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

// The picture scaled to width x height (bicubic); empty for an empty one.
// Reads nothing beyond the picture's pixels: the scaler gets a padded copy.
Bitmap ScaleBitmap(const Bitmap& picture, int width, int height);

}  // namespace tovix
