#pragma once
// The core's 24-bit picture and the Windows BMP file format.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/wordederror.h"

namespace tovix {

// A 24-bit picture: RGB bytes, top row first, 3 * width bytes per row, no padding.
struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;
  bool empty() const { return width <= 0 || height <= 0; }
};

// A picture file whose contents cannot be a bitmap ("Bitmap ist ungültig").
class BitmapError : public WordedError {
 public:
  BitmapError();
};

// A black picture of the given size (empty for a size of 0 or less).
Bitmap MakeBitmap(int width, int height);

// A standard 24-bit BMP: 14-byte file header, 40-byte BITMAPINFOHEADER, no
// colour table, rows bottom-up padded to 4 bytes (704 x 480 gives 1,013,814
// bytes). Throws BitmapError for an empty bitmap or one whose pixel buffer
// does not match its size.
std::string EncodeBmp(const Bitmap& bitmap);

// Reads an uncompressed BMP (1, 4 or 8 bits with a colour table, 24 bits,
// 32 bits plain or with the usual channel masks), bottom-up or top-down, into
// a 24-bit picture. Every field is checked against the data; throws
// BitmapError for anything else.
Bitmap DecodeBmp(std::string_view bytes);

// Bits per pixel of a BMP that DecodeBmp accepts; throws BitmapError otherwise.
int BmpBitsPerPixel(std::string_view bytes);

// EncodeBmp written to a temporary name beside the target and renamed over
// it only when complete, so a failure never leaves a half-written file.
// Throws IoError ("Datei %s kann nicht erstellt werden" and the like).
void WriteBmpFile(const std::string& path, const Bitmap& bitmap);

// DecodeBmp of a file. Throws IoError ("Datei %s kann nicht geöffnet werden")
// when it cannot be opened or read, BitmapError for a damaged file.
Bitmap ReadBmpFile(const std::string& path);

// The whole contents of a file; throws IoError as ReadBmpFile does.
std::string ReadWholeFile(const std::string& path);

// At most maxBytes from the start of a regular file (fewer when it is
// shorter); throws IoError as ReadBmpFile does.
std::string ReadFileStart(const std::string& path, std::size_t maxBytes);

// A BMP file up to the end of its pixel rows as its header states them:
// the header is looked at first, and a file that cannot be a BMP is refused
// (BitmapError) before more of it is read.
std::string ReadBmpBytes(const std::string& path);

// Writes bytes to path through a temporary file beside it, replacing an
// existing file (under its on-disk spelling) only once all bytes are down.
// Throws IoError ("Datei %s kann nicht erstellt werden") and removes the
// temporary file on failure.
void WriteFileReplacing(const std::string& path, std::string_view bytes);

}  // namespace tovix
