#pragma once
// Test helper: the stream decoder the TV sheet uses, and a picture comparison.
#include "disc/mpeg2decode.h"
#include "picture/bitmap.h"

namespace tovix::test {

using tovix::DecodedStream;
using tovix::DecodeMpeg2;

// Peak signal-to-noise ratio over all RGB samples, in dB.
double Psnr(const Bitmap& a, const Bitmap& b);

}  // namespace tovix::test
