// The other BMP layouts a background picture may come in.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "picture/bitmap.h"

namespace tovix {
namespace {

// Builds a BMP from raw rows (already in file order and padded) after a
// header of the given size.
struct BmpBuilder {
  int width = 2;
  int height = 2;
  int bits = 24;
  std::uint32_t compression = 0;
  std::uint32_t headerSize = 40;
  std::uint32_t colorsUsed = 0;
  std::string palette;  // entries as they stand in the file
  std::string masks;    // after a 40-byte header, for BI_BITFIELDS
  std::string rows;

  static void Put(std::string& s, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) s += static_cast<char>(v >> (8 * i));
  }

  std::string Build() const {
    std::string info;
    Put(info, headerSize, 4);
    if (headerSize == 12) {
      Put(info, static_cast<std::uint32_t>(width), 2);
      Put(info, static_cast<std::uint32_t>(height), 2);
      Put(info, 1, 2);
      Put(info, static_cast<std::uint32_t>(bits), 2);
    } else {
      Put(info, static_cast<std::uint32_t>(width), 4);
      Put(info, static_cast<std::uint32_t>(height), 4);
      Put(info, 1, 2);
      Put(info, static_cast<std::uint32_t>(bits), 2);
      Put(info, compression, 4);
      Put(info, static_cast<std::uint32_t>(rows.size()), 4);
      Put(info, 0, 4);
      Put(info, 0, 4);
      Put(info, colorsUsed, 4);
      Put(info, 0, 4);
      info += masks;
      info.resize(headerSize > 40 ? headerSize : info.size(), '\0');
      if (headerSize > 40 && !masks.empty()) info.replace(40, masks.size(), masks);
    }
    const std::uint32_t offset = static_cast<std::uint32_t>(14 + info.size() + palette.size());
    std::string file = "BM";
    Put(file, offset + static_cast<std::uint32_t>(rows.size()), 4);
    Put(file, 0, 4);
    Put(file, offset, 4);
    return file + info + palette + rows;
  }
};

std::vector<int> Rgb(const Bitmap& b, int x, int y) {
  const std::uint8_t* p = &b.pixels[(static_cast<std::size_t>(y) * b.width + x) * 3];
  return {p[0], p[1], p[2]};
}

const std::string kPalette4 = std::string("\x00\x00\xFF\x00", 4) +  // red (BGR0)
                              std::string("\x00\xFF\x00\x00", 4) +  // green
                              std::string("\xFF\x00\x00\x00", 4) +  // blue
                              std::string("\xFF\xFF\xFF\x00", 4);   // white

TEST(BmpFormats, EightBitsWithColourTable) {
  BmpBuilder b;
  b.bits = 8;
  b.colorsUsed = 4;
  b.palette = kPalette4;
  // Bottom row first: indexes 2 3, then the top row 0 1; rows padded to 4.
  b.rows = std::string("\x02\x03\x00\x00\x00\x01\x00\x00", 8);
  const Bitmap bmp = DecodeBmp(b.Build());
  ASSERT_EQ(bmp.width, 2);
  ASSERT_EQ(bmp.height, 2);
  EXPECT_EQ(Rgb(bmp, 0, 0), (std::vector<int>{255, 0, 0}));
  EXPECT_EQ(Rgb(bmp, 1, 0), (std::vector<int>{0, 255, 0}));
  EXPECT_EQ(Rgb(bmp, 0, 1), (std::vector<int>{0, 0, 255}));
  EXPECT_EQ(Rgb(bmp, 1, 1), (std::vector<int>{255, 255, 255}));
  EXPECT_EQ(BmpBitsPerPixel(b.Build()), 8);
}

TEST(BmpFormats, IndexPastAShortColourTableIsBlack) {
  BmpBuilder b;
  b.bits = 8;
  b.colorsUsed = 2;
  b.palette = kPalette4.substr(0, 8);
  b.rows = std::string("\x01\xFE\x00\x00\x00\x01\x00\x00", 8);
  const Bitmap bmp = DecodeBmp(b.Build());
  EXPECT_EQ(Rgb(bmp, 1, 1), (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(Rgb(bmp, 0, 1), (std::vector<int>{0, 255, 0}));
}

TEST(BmpFormats, ColourTableLongerThanTheDepthAllowsIsRefused) {
  BmpBuilder b;
  b.bits = 1;
  b.colorsUsed = 3;
  b.palette = kPalette4.substr(0, 12);
  b.rows = std::string(8, '\0');
  EXPECT_THROW(DecodeBmp(b.Build()), BitmapError);
  b.colorsUsed = 0;  // two colours implied, but the table is cut off
  b.palette = kPalette4.substr(0, 4);
  b.rows.clear();
  EXPECT_THROW(DecodeBmp(b.Build()), BitmapError);
}

TEST(BmpFormats, OneAndFourBitsPackedHighBitsFirst) {
  BmpBuilder one;
  one.width = 9;
  one.height = 1;
  one.bits = 1;
  one.palette = kPalette4.substr(0, 8);           // 0 red, 1 green
  one.rows = std::string("\xA0\x80\x00\x00", 4);  // 1010 0000 1...
  const Bitmap a = DecodeBmp(one.Build());
  EXPECT_EQ(Rgb(a, 0, 0), (std::vector<int>{0, 255, 0}));
  EXPECT_EQ(Rgb(a, 1, 0), (std::vector<int>{255, 0, 0}));
  EXPECT_EQ(Rgb(a, 2, 0), (std::vector<int>{0, 255, 0}));
  EXPECT_EQ(Rgb(a, 8, 0), (std::vector<int>{0, 255, 0}));

  BmpBuilder four;
  four.width = 3;
  four.height = 1;
  four.bits = 4;
  four.colorsUsed = 4;
  four.palette = kPalette4;
  four.rows = std::string("\x23\x10\x00\x00", 4);
  const Bitmap c = DecodeBmp(four.Build());
  EXPECT_EQ(Rgb(c, 0, 0), (std::vector<int>{0, 0, 255}));
  EXPECT_EQ(Rgb(c, 1, 0), (std::vector<int>{255, 255, 255}));
  EXPECT_EQ(Rgb(c, 2, 0), (std::vector<int>{0, 255, 0}));
}

TEST(BmpFormats, ThirtyTwoBitsPlainAndWithMasks) {
  BmpBuilder plain;
  plain.width = 1;
  plain.height = 1;
  plain.bits = 32;
  plain.rows = std::string("\x10\x20\x30\xFF", 4);  // B G R X
  EXPECT_EQ(Rgb(DecodeBmp(plain.Build()), 0, 0), (std::vector<int>{0x30, 0x20, 0x10}));

  BmpBuilder masked = plain;
  masked.compression = 3;
  masked.masks = std::string("\x00\x00\x00\xFF", 4) + std::string("\x00\x00\xFF\x00", 4) +
                 std::string("\x00\xFF\x00\x00", 4);  // R in the top byte
  masked.rows = std::string("\x00\x30\x20\x10", 4);
  EXPECT_EQ(Rgb(DecodeBmp(masked.Build()), 0, 0), (std::vector<int>{0x10, 0x20, 0x30}));

  BmpBuilder v5 = masked;
  v5.headerSize = 124;  // masks inside the larger header
  EXPECT_EQ(Rgb(DecodeBmp(v5.Build()), 0, 0), (std::vector<int>{0x10, 0x20, 0x30}));

  BmpBuilder broken = masked;
  broken.masks = std::string("\x0F\x0F\x00\x00", 4) + masked.masks.substr(4);  // not one run
  EXPECT_THROW(DecodeBmp(broken.Build()), BitmapError);
}

TEST(BmpFormats, SixteenBits555And565) {
  BmpBuilder b;
  b.width = 1;
  b.height = 1;
  b.bits = 16;
  b.rows = std::string("\x1F\x7C\x00\x00", 4);  // 0x7C1F: full red and blue, no green
  EXPECT_EQ(Rgb(DecodeBmp(b.Build()), 0, 0), (std::vector<int>{255, 0, 255}));
  b.compression = 3;
  b.masks = std::string("\x00\xF8\x00\x00", 4) + std::string("\xE0\x07\x00\x00", 4) +
            std::string("\x1F\x00\x00\x00", 4);
  b.rows = std::string("\xE0\x07\x00\x00", 4);  // full green in 565
  EXPECT_EQ(Rgb(DecodeBmp(b.Build()), 0, 0), (std::vector<int>{0, 255, 0}));
}

TEST(BmpFormats, TopDownRowsAndAMissingLastPad) {
  BmpBuilder b;
  b.width = 1;
  b.height = -2;
  b.rows =
      std::string("\x00\x00\xFF\x00", 4) + std::string("\xFF\x00\x00", 3);  // last row unpadded
  const Bitmap bmp = DecodeBmp(b.Build());
  ASSERT_EQ(bmp.height, 2);
  EXPECT_EQ(Rgb(bmp, 0, 0), (std::vector<int>{255, 0, 0}));
  EXPECT_EQ(Rgb(bmp, 0, 1), (std::vector<int>{0, 0, 255}));
}

TEST(BmpFormats, OldCoreHeader) {
  BmpBuilder b;
  b.headerSize = 12;
  b.width = 1;
  b.height = 1;
  b.bits = 8;
  b.palette = std::string("\x00\xFF\x00", 3) + std::string(255 * 3, '\0');  // 3-byte entries
  b.rows = std::string("\x00\x00\x00\x00", 4);
  EXPECT_EQ(Rgb(DecodeBmp(b.Build()), 0, 0), (std::vector<int>{0, 255, 0}));
}

}  // namespace
}  // namespace tovix
