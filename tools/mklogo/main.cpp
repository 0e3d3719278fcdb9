// mklogo BITMAP LEVEL: encodes a 704 x 480, 24-bit BMP as one MPEG-2 intra
// picture at quantiser scale LEVEL and writes it as a C array to e2logo.c in
// the current folder. Exit code 0 on success, 1 on any failure.
#include <cstdio>
#include <cstring>
#include <exception>
#include <optional>
#include <string>

extern "C" {
#include <libavutil/log.h>
}

#include "picture/bitmap.h"
#include "platform/codepage.h"
#include "platform/filesys.h"
#include "platform/ioerror.h"
#include "platform/signals.h"
#include "stillencoder.h"

namespace {

using namespace tovix;

int Fail(const std::string& line) {
  std::fprintf(stderr, "mklogo: %s\n", line.c_str());
  return 1;
}

std::optional<int> ParseLevel(const char* text) {
  if (*text == '\0' || std::strlen(text) > 3) return std::nullopt;
  int value = 0;
  for (const char* p = text; *p; ++p) {
    if (*p < '0' || *p > '9') return std::nullopt;
    value = value * 10 + (*p - '0');
  }
  if (value < mklogo::kMinLevel || value > mklogo::kMaxLevel) return std::nullopt;
  return value;
}

int Run(const char* bitmapArg, const char* levelArg) {
  const std::string shown = bitmapArg;
  const std::optional<int> level = ParseLevel(levelArg);
  if (!level) {
    return Fail("level \"" + std::string(levelArg) + "\" is not a whole number from 1 to 31");
  }
  const std::optional<std::string> path = platform::FromNative(bitmapArg);
  if (!path) return Fail(shown + ": the name cannot be read");

  std::string bytes;
  try {
    bytes = ReadBmpBytes(*path);
  } catch (const IoError& e) {
    return Fail("cannot open the bitmap " + shown + ": " + std::strerror(e.code()));
  } catch (const BitmapError&) {
    return Fail(shown + " is not a valid BMP file");
  }
  Bitmap bitmap;
  int bits = 0;
  try {
    bits = BmpBitsPerPixel(bytes);
    bitmap = DecodeBmp(bytes);
  } catch (const BitmapError&) {
    return Fail(shown + " is not a valid BMP file");
  }
  if (bits != 24) {
    return Fail(shown + " has " + std::to_string(bits) +
                " bits per pixel; a 24-bit bitmap is needed");
  }
  if (bitmap.width != mklogo::kStillWidth || bitmap.height != mklogo::kStillHeight) {
    return Fail(shown + " is " + std::to_string(bitmap.width) + " x " +
                std::to_string(bitmap.height) + " pixels; a 704 x 480 bitmap is needed");
  }

  std::string source;
  try {
    source = mklogo::FormatCArray(mklogo::EncodeStill(bitmap, *level), *level);
  } catch (const mklogo::EncodeError& e) {
    return Fail(std::string("MPEG-2 encoding failed: ") + e.what());
  }
  try {
    WriteFileReplacing("e2logo.c", source);
  } catch (const IoError& e) {
    return Fail(std::string("cannot write e2logo.c: ") + std::strerror(e.code()));
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  av_log_set_level(AV_LOG_ERROR);
  tovix::platform::IgnoreFileSizeSignal();
  if (argc != 3) {
    std::fprintf(stderr, "usage: mklogo BITMAP LEVEL   (a 704 x 480, 24-bit BMP; LEVEL 1 to 31)\n");
    return 1;
  }
  try {
    return Run(argv[1], argv[2]);
  } catch (const std::exception& e) {
    return Fail(e.what());
  }
}
