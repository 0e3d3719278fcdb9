// The 24-bit BMP the program writes, and how damaged files are refused.
#include "picture/bitmap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/ioerror.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

std::uint32_t U32(const std::string& s, std::size_t at) {
  return static_cast<std::uint8_t>(s[at]) | static_cast<std::uint8_t>(s[at + 1]) << 8 |
         static_cast<std::uint8_t>(s[at + 2]) << 16 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(s[at + 3])) << 24;
}
std::uint32_t U16(const std::string& s, std::size_t at) {
  return static_cast<std::uint8_t>(s[at]) | static_cast<std::uint8_t>(s[at + 1]) << 8;
}

// Each pixel a different colour, so any mix-up of rows, columns or channels shows.
Bitmap Pattern(int width, int height) {
  Bitmap b = MakeBitmap(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = &b.pixels[(static_cast<std::size_t>(y) * width + x) * 3];
      p[0] = static_cast<std::uint8_t>(x * 7 + y);
      p[1] = static_cast<std::uint8_t>(y * 3 + 1);
      p[2] = static_cast<std::uint8_t>(x ^ y);
    }
  }
  return b;
}

std::size_t FilesIn(const std::string& dir) {
  std::size_t n = 0;
  for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir)) ++n;
  return n;
}

TEST(BmpWrite, SongPictureHeaderByteByByte) {
  const std::string bmp = EncodeBmp(Pattern(704, 480));
  ASSERT_EQ(bmp.size(), 1013814u);
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(U32(bmp, 2), 1013814u);  // file size
  EXPECT_EQ(U32(bmp, 6), 0u);        // reserved
  EXPECT_EQ(U32(bmp, 10), 54u);      // pixels right after the headers: no colour table
  EXPECT_EQ(U32(bmp, 14), 40u);      // BITMAPINFOHEADER
  EXPECT_EQ(U32(bmp, 18), 704u);
  EXPECT_EQ(U32(bmp, 22), 480u);         // positive: bottom-up
  EXPECT_EQ(U16(bmp, 26), 1u);           // planes
  EXPECT_EQ(U16(bmp, 28), 24u);          // bits per pixel
  EXPECT_EQ(U32(bmp, 30), 0u);           // BI_RGB
  EXPECT_EQ(U32(bmp, 34), 2112u * 480);  // image size
  for (std::size_t at = 38; at < 54; ++at) EXPECT_EQ(bmp[at], 0) << "byte " << at;
}

TEST(BmpWrite, RowsBottomUpInBlueGreenRedOrder) {
  const Bitmap b = Pattern(704, 480);
  const std::string bmp = EncodeBmp(b);
  // The first stored row is the picture's last row.
  const std::uint8_t* bottomLeft = &b.pixels[479u * 704 * 3];
  EXPECT_EQ(static_cast<std::uint8_t>(bmp[54]), bottomLeft[2]);
  EXPECT_EQ(static_cast<std::uint8_t>(bmp[55]), bottomLeft[1]);
  EXPECT_EQ(static_cast<std::uint8_t>(bmp[56]), bottomLeft[0]);
  const std::uint8_t* topRight = &b.pixels[703u * 3];
  const std::size_t last = bmp.size() - 3;
  EXPECT_EQ(static_cast<std::uint8_t>(bmp[last]), topRight[2]);
  EXPECT_EQ(static_cast<std::uint8_t>(bmp[last + 2]), topRight[0]);
}

TEST(BmpWrite, OddWidthRowsArePaddedWithZeros) {
  const std::string bmp = EncodeBmp(Pattern(3, 2));
  ASSERT_EQ(bmp.size(), 54u + 2 * 12);
  EXPECT_EQ(U32(bmp, 34), 24u);
  for (std::size_t row = 0; row < 2; ++row) {
    for (std::size_t pad = 9; pad < 12; ++pad) EXPECT_EQ(bmp[54 + row * 12 + pad], 0);
  }
}

TEST(BmpWrite, InconsistentBitmapIsRefused) {
  EXPECT_THROW(EncodeBmp(Bitmap{}), BitmapError);
  Bitmap shortBuffer = MakeBitmap(4, 4);
  shortBuffer.pixels.pop_back();
  EXPECT_THROW(EncodeBmp(shortBuffer), BitmapError);
  TempDir dir;
  EXPECT_THROW(WriteBmpFile(dir.file("a.bmp"), shortBuffer), BitmapError);
  EXPECT_EQ(FilesIn(dir.path()), 0u);
}

TEST(BmpFile, RoundTripsAnyWidth) {
  TempDir dir;
  for (int width : {1, 2, 3, 4, 5, 704}) {
    const Bitmap b = Pattern(width, 7);
    WriteBmpFile(dir.file("p.bmp"), b);
    const Bitmap back = ReadBmpFile(dir.file("p.bmp"));
    EXPECT_EQ(back.width, width);
    EXPECT_EQ(back.height, 7);
    EXPECT_EQ(back.pixels, b.pixels) << "width " << width;
  }
}

TEST(BmpFile, ReplacesAnExistingFileAndLeavesNoTemporaryFile) {
  TempDir dir;
  WriteFile(dir.file("BM1.BMP"), "old contents");
  WriteBmpFile(dir.file("BM1.BMP"), Pattern(8, 8));
  EXPECT_EQ(ReadFile(dir.file("BM1.BMP")), EncodeBmp(Pattern(8, 8)));
  EXPECT_EQ(FilesIn(dir.path()), 1u);
}

TEST(BmpFile, ReplacesTheFileUnderItsOnDiskSpelling) {
  TempDir dir;
  WriteFile(dir.file("bm1.bmp"), "old");
  WriteBmpFile(dir.file("BM1.BMP"), Pattern(2, 2));
  EXPECT_EQ(ReadFile(dir.file("bm1.bmp")), EncodeBmp(Pattern(2, 2)));
  EXPECT_EQ(FilesIn(dir.path()), 1u);
}

TEST(BmpFile, FolderThatDoesNotExistIsReportedAndNothingIsWritten) {
  TempDir dir;
  const std::string path = dir.file("missing/BM1.BMP");
  try {
    WriteBmpFile(path, Pattern(2, 2));
    FAIL() << "no error";
  } catch (const IoError& e) {
    EXPECT_EQ(std::string(e.what()), "Datei " + path + " kann nicht erstellt werden");
    EXPECT_NE(e.code(), 0);
  }
  EXPECT_EQ(FilesIn(dir.path()), 0u);
}

TEST(BmpFile, ReadOnlyFileIsLeftAlone) {
  TempDir dir;
  WriteFile(dir.file("keep.bmp"), "precious");
  std::filesystem::permissions(dir.file("keep.bmp"), std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  EXPECT_THROW(WriteBmpFile(dir.file("keep.bmp"), Pattern(2, 2)), IoError);
  EXPECT_EQ(ReadFile(dir.file("keep.bmp")), "precious");
  EXPECT_EQ(FilesIn(dir.path()), 1u);
}

TEST(BmpFile, MissingFileGivesTheOpenReport) {
  TempDir dir;
  const std::string path = dir.file("none.bmp");
  try {
    ReadBmpFile(path);
    FAIL() << "no error";
  } catch (const IoError& e) {
    EXPECT_EQ(std::string(e.what()), "Datei " + path +
                                         " kann nicht ge\xF6"
                                         "ffnet werden");
  }
}

// Damaged files: each must be refused with the bitmap report, never read
// past its end or allocated from a lying header.
class DamagedBmp : public ::testing::Test {
 protected:
  std::string good_ = EncodeBmp(Pattern(16, 8));

  static void Put32(std::string& s, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>(v >> (8 * i));
  }
  static void ExpectInvalid(const std::string& bytes) {
    try {
      DecodeBmp(bytes);
      ADD_FAILURE() << "accepted";
    } catch (const BitmapError& e) {
      EXPECT_EQ(std::string(e.what()), "Bitmap ist ung\xFCltig");
    }
  }
};

TEST_F(DamagedBmp, BadMagicOrEmpty) {
  std::string bad = good_;
  bad[0] = 'X';
  ExpectInvalid(bad);
  ExpectInvalid("");
  ExpectInvalid("BM");
  ExpectInvalid(good_.substr(0, 30));  // header cut short
}

TEST_F(DamagedBmp, HeaderSizesLyingAboutTheData) {
  std::string taller = good_;
  Put32(taller, 22, 9);  // one row more than the data holds
  ExpectInvalid(taller);
  std::string wider = good_;
  Put32(wider, 18, 17);
  ExpectInvalid(wider);
  ExpectInvalid(good_.substr(0, good_.size() - 1));
  std::string offset = good_;
  Put32(offset, 10, static_cast<std::uint32_t>(good_.size()) + 10);
  ExpectInvalid(offset);
  std::string intoHeader = good_;
  Put32(intoHeader, 10, 20);  // pixel data inside the headers
  ExpectInvalid(intoHeader);
  std::string infoSize = good_;
  Put32(infoSize, 14, 0x7FFFFFF0);
  ExpectInvalid(infoSize);
}

TEST_F(DamagedBmp, HugeOrZeroDimensions) {
  for (std::uint32_t w : {0u, 30000u, 100000u, 0x7FFFFFFFu, 0x80000000u}) {
    std::string s = good_;
    Put32(s, 18, w);
    Put32(s, 22, w);
    ExpectInvalid(s);
  }
  std::string flat = good_;
  Put32(flat, 22, 0);
  ExpectInvalid(flat);
  std::string minHeight = good_;
  Put32(minHeight, 22, 0x80000000u);  // INT_MIN: cannot be negated
  ExpectInvalid(minHeight);
}

TEST_F(DamagedBmp, UnknownDepthPlanesOrCompression) {
  std::string depth = good_;
  depth[28] = 7;
  ExpectInvalid(depth);
  std::string planes = good_;
  planes[26] = 2;
  ExpectInvalid(planes);
  std::string rle = good_;
  rle[30] = 1;
  ExpectInvalid(rle);
}

TEST_F(DamagedBmp, AnyDamagedHeaderByteIsReadSafely) {
  // Every header byte set to a few telling values: each file is either read
  // as a consistent picture or refused, and nothing is read out of bounds.
  for (std::size_t at = 0; at < 54; ++at) {
    for (int value : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
      std::string s = good_;
      s[at] = static_cast<char>(value);
      try {
        const Bitmap b = DecodeBmp(s);
        EXPECT_EQ(b.pixels.size(), static_cast<std::size_t>(b.width) * b.height * 3);
      } catch (const BitmapError&) {
      }
    }
  }
}

TEST_F(DamagedBmp, FileReportsAndProgramGoesOn) {
  TempDir dir;
  WriteFile(dir.file("bad.bmp"), "BM this is not a bitmap at all, only text pretending");
  EXPECT_THROW(ReadBmpFile(dir.file("bad.bmp")), BitmapError);
  WriteFile(dir.file("good.bmp"), good_);
  EXPECT_EQ(ReadBmpFile(dir.file("good.bmp")).pixels, Pattern(16, 8).pixels);
}

}  // namespace
}  // namespace tovix
