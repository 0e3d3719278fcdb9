#include "preview/preview_helpers.h"

#include <ostream>

namespace tovix::test {

Bitmap SolidBitmap(int width, int height, Rgb color) {
  Bitmap bitmap = MakeBitmap(width, height);
  for (std::size_t i = 0; i + 2 < bitmap.pixels.size(); i += 3) {
    bitmap.pixels[i] = color.r;
    bitmap.pixels[i + 1] = color.g;
    bitmap.pixels[i + 2] = color.b;
  }
  return bitmap;
}

void SetPixel(Bitmap& bitmap, int x, int y, Rgb color) {
  const std::size_t at = (static_cast<std::size_t>(y) * bitmap.width + x) * 3;
  bitmap.pixels[at] = color.r;
  bitmap.pixels[at + 1] = color.g;
  bitmap.pixels[at + 2] = color.b;
}

Rgb PixelAt(const Bitmap& bitmap, int x, int y) {
  const std::size_t at = (static_cast<std::size_t>(y) * bitmap.width + x) * 3;
  return {bitmap.pixels.at(at), bitmap.pixels.at(at + 1), bitmap.pixels.at(at + 2)};
}

Rgb PixelAt(const QImage& image, int x, int y) {
  const QRgb p = image.pixel(x, y);
  return {static_cast<std::uint8_t>(qRed(p)), static_cast<std::uint8_t>(qGreen(p)),
          static_cast<std::uint8_t>(qBlue(p))};
}

std::string WriteBackground(const std::string& path, const Bitmap& bitmap) {
  WriteBmpFile(path, bitmap);
  return path;
}

std::string MakeMp3(const std::string& artist, const std::string& title, int frames) {
  // 144 * 128000 / 44100 = 417 bytes per frame without padding.
  std::string frame(417, '\0');
  frame[0] = '\xFF';
  frame[1] = '\xFB';
  frame[2] = '\x90';
  frame[3] = '\x00';
  std::string bytes;
  for (int i = 0; i < frames; ++i) bytes += frame;
  if (!artist.empty() || !title.empty()) {
    std::string tag(128, '\0');
    tag.replace(0, 3, "TAG");
    tag.replace(3, std::min<std::size_t>(title.size(), 30), title.substr(0, 30));
    tag.replace(33, std::min<std::size_t>(artist.size(), 30), artist.substr(0, 30));
    tag[127] = '\xFF';
    bytes += tag;
  }
  return bytes;
}

}  // namespace tovix::test

std::ostream& operator<<(std::ostream& out, const tovix::test::Rgb& c) {
  return out << "rgb(" << int(c.r) << "," << int(c.g) << "," << int(c.b) << ")";
}
