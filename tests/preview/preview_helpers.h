#pragma once
// Pictures and files for the preview page tests.
#include <QImage>
#include <cstdint>
#include <string>

#include "picture/bitmap.h"

namespace tovix::test {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kGreen{0, 255, 0};
inline constexpr Rgb kBlue{0, 0, 255};

// A picture of one colour.
Bitmap SolidBitmap(int width, int height, Rgb color);
void SetPixel(Bitmap& bitmap, int x, int y, Rgb color);
Rgb PixelAt(const Bitmap& bitmap, int x, int y);
Rgb PixelAt(const QImage& image, int x, int y);

// Writes bitmap as a BMP file and returns its path.
std::string WriteBackground(const std::string& path, const Bitmap& bitmap);

// A few MPEG-1 Layer III frames (128 kbit/s, 44100 Hz, stereo) and, when
// artist or title is not empty, an ID3v1 tag.
std::string MakeMp3(const std::string& artist, const std::string& title, int frames = 40);

}  // namespace tovix::test

// gtest output of a pixel.
std::ostream& operator<<(std::ostream& out, const tovix::test::Rgb& c);
