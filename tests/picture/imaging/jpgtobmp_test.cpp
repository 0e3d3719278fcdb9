// TJpegToBmp and the JPEG codec under it: decoding backgrounds, encoding
// song-picture copies, and reports for damaged streams.
#include "picture/jpgtobmp.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

// jpeglib.h needs FILE and size_t declared first, jerror.h comes after.
#include <jpeglib.h>

#include <jerror.h>

#include "platform/ioerror.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// Smooth colours with a few hard edges, like a background with text.
Bitmap Picture(int width, int height) {
  Bitmap b = MakeBitmap(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = &b.pixels[(static_cast<std::size_t>(y) * width + x) * 3];
      const bool bar = (x / 40 + y / 40) % 5 == 0;
      p[0] = static_cast<std::uint8_t>(bar ? 250 : x * 200 / width);
      p[1] = static_cast<std::uint8_t>(bar ? 240 : y * 200 / height);
      p[2] = static_cast<std::uint8_t>(bar ? 20 : 100);
    }
  }
  return b;
}

double MeanAbsDifference(const Bitmap& a, const Bitmap& b) {
  double sum = 0;
  for (std::size_t i = 0; i < a.pixels.size(); ++i) sum += std::abs(a.pixels[i] - b.pixels[i]);
  return sum / static_cast<double>(a.pixels.size());
}

std::size_t FilesIn(const std::string& dir) {
  std::size_t n = 0;
  for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir)) ++n;
  return n;
}

// The quantisation tables of a JPEG stream, walked marker by marker.
std::vector<int> QuantValues(const std::string& jpeg, bool* progressive) {
  std::vector<int> values;
  std::size_t at = 2;
  while (at + 4 <= jpeg.size() && static_cast<std::uint8_t>(jpeg[at]) == 0xFF) {
    const int marker = static_cast<std::uint8_t>(jpeg[at + 1]);
    const std::size_t length =
        static_cast<std::uint8_t>(jpeg[at + 2]) << 8 | static_cast<std::uint8_t>(jpeg[at + 3]);
    if (marker == 0xC2) *progressive = true;
    if (marker == 0xDB) {
      for (std::size_t i = at + 4; i < at + 2 + length; i += 65) {
        for (std::size_t k = 1; k <= 64; ++k)
          values.push_back(static_cast<std::uint8_t>(jpeg[i + k]));
      }
    }
    if (marker == 0xDA) break;
    at += 2 + length;
  }
  return values;
}

// A JPEG written by libjpeg directly, for streams our encoder never makes.
std::string RawJpeg(int width, int height, int components, J_COLOR_SPACE space,
                    const std::vector<std::uint8_t>& pixels, bool progressive = false) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &out, &size);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = components;
  cinfo.in_color_space = space;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 95, TRUE);
  if (progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  for (int y = 0; y < height; ++y) {
    JSAMPROW row =
        const_cast<JSAMPLE*>(pixels.data() + static_cast<std::size_t>(y) * width * components);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::string bytes(reinterpret_cast<char*>(out), size);
  std::free(out);
  return bytes;
}

void ExpectJpegError(const std::string& bytes, int code) {
  try {
    DecodeJpeg(bytes);
    ADD_FAILURE() << "decoded";
  } catch (const JpegError& e) {
    EXPECT_EQ(e.code(), code);
    EXPECT_EQ(std::string(e.what()), "JPEG-Fehler #" + std::to_string(code));
  }
}

TEST(JpegEncode, SameBitmapGivesTheSameBytes) {
  const Bitmap b = Picture(704, 480);
  EXPECT_EQ(EncodeJpeg(b), EncodeJpeg(b));
}

TEST(JpegEncode, BaselineAtQualityHundred) {
  const std::string jpeg = EncodeJpeg(Picture(64, 48));
  ASSERT_GT(jpeg.size(), 4u);
  EXPECT_EQ(jpeg.substr(0, 3), "\xFF\xD8\xFF");
  EXPECT_EQ(jpeg.substr(jpeg.size() - 2), "\xFF\xD9");
  bool progressive = false;
  const std::vector<int> q = QuantValues(jpeg, &progressive);
  EXPECT_FALSE(progressive);
  ASSERT_EQ(q.size(), 128u);                            // luminance and chrominance tables
  for (int v : q) EXPECT_EQ(v, 1);                      // quality 100 scales every entry to 1
  EXPECT_NE(jpeg.find("\xFF\xC0"), std::string::npos);  // baseline frame
}

TEST(JpegEncode, RoundTripKeepsThePicture) {
  const Bitmap b = Picture(640, 480);
  const Bitmap back = DecodeJpeg(EncodeJpeg(b));
  ASSERT_EQ(back.width, 640);
  ASSERT_EQ(back.height, 480);
  ASSERT_EQ(back.pixels.size(), 640u * 480 * 3);
  EXPECT_LT(MeanAbsDifference(b, back), 3.0);
}

TEST(JpegEncode, EmptyOrInconsistentBitmapIsRefused) {
  EXPECT_THROW(EncodeJpeg(Bitmap{}), BitmapError);
  Bitmap b = MakeBitmap(3, 3);
  b.pixels.resize(5);
  EXPECT_THROW(EncodeJpeg(b), BitmapError);
}

TEST(JpegDecode, GreyStreamBecomesTwentyFourBits) {
  std::vector<std::uint8_t> grey(32 * 16);
  for (std::size_t i = 0; i < grey.size(); ++i) grey[i] = static_cast<std::uint8_t>(i % 32 * 8);
  const Bitmap b = DecodeJpeg(RawJpeg(32, 16, 1, JCS_GRAYSCALE, grey));
  ASSERT_EQ(b.pixels.size(), 32u * 16 * 3);
  for (std::size_t i = 0; i < b.pixels.size(); i += 3) {
    EXPECT_EQ(b.pixels[i], b.pixels[i + 1]);
    EXPECT_EQ(b.pixels[i], b.pixels[i + 2]);
  }
  EXPECT_NEAR(b.pixels[(5 * 32 + 20) * 3], 160, 6);
}

TEST(JpegDecode, CmykStreamIsConvertedToRgb) {
  // libjpeg marks CMYK streams as Adobe's, whose inks are stored inverted
  // (255 = no ink): full cyan, nothing else is a cyan picture.
  std::vector<std::uint8_t> ink(16 * 16 * 4, 255);
  for (std::size_t i = 0; i < ink.size(); i += 4) ink[i] = 0;
  const Bitmap b = DecodeJpeg(RawJpeg(16, 16, 4, JCS_CMYK, ink));
  ASSERT_EQ(b.width, 16);
  EXPECT_NEAR(b.pixels[0], 0, 8);
  EXPECT_NEAR(b.pixels[1], 255, 8);
  EXPECT_NEAR(b.pixels[2], 255, 8);
}

TEST(JpegDecode, DamagedStreamsGiveTheirReport) {
  const std::string good = EncodeJpeg(Picture(64, 64));
  ExpectJpegError("", JERR_INPUT_EMPTY);
  ExpectJpegError("not a jpeg at all", JERR_NO_SOI);
  // A truncated file would otherwise come out with grey lower rows.
  ExpectJpegError(good.substr(0, good.size() / 2), JWRN_JPEG_EOF);
  ExpectJpegError(good.substr(0, 200), JWRN_JPEG_EOF);
  // Start of frame claiming zero height.
  std::string zero = good;
  const std::size_t sof = zero.find("\xFF\xC0");
  ASSERT_NE(sof, std::string::npos);
  zero[sof + 5] = 0;
  zero[sof + 6] = 0;
  ExpectJpegError(zero, JERR_EMPTY_IMAGE);
}

TEST(JpegDecode, MissingEndMarkerStillGivesTheWholePicture) {
  const std::string good = EncodeJpeg(Picture(64, 64));
  ASSERT_EQ(good.substr(good.size() - 2), "\xFF\xD9");
  const Bitmap whole = DecodeJpeg(good);
  EXPECT_EQ(DecodeJpeg(good.substr(0, good.size() - 2)).pixels, whole.pixels);
  // A few bytes of picture data more missing is a cut file again.
  ExpectJpegError(good.substr(0, good.size() - 40), JWRN_JPEG_EOF);
}

TEST(JpegDecode, ProgressiveStreamsDecodeAndCutOnesAreReported) {
  const Bitmap source = Picture(96, 64);
  const std::string progressive = RawJpeg(96, 64, 3, JCS_RGB, source.pixels, /*progressive=*/true);
  ASSERT_NE(progressive.find("\xFF\xC2"), std::string::npos);
  const Bitmap b = DecodeJpeg(progressive);
  ASSERT_EQ(b.width, 96);
  EXPECT_LT(MeanAbsDifference(b, source), 4.0);
  ExpectJpegError(progressive.substr(0, progressive.size() * 2 / 3), JWRN_JPEG_EOF);
}

TEST(JpegDecode, ForgedHugeFrameIsRefusedBeforeAllocating) {
  std::string huge = EncodeJpeg(Picture(16, 16));
  const std::size_t sof = huge.find("\xFF\xC0");
  ASSERT_NE(sof, std::string::npos);
  for (int i = 5; i <= 8; ++i) huge[sof + i] = static_cast<char>(0xFF);  // 65535 x 65535
  ExpectJpegError(huge, JERR_IMAGE_TOO_BIG);
}

TEST(JpegDecode, RandomDamageNeverEndsTheProgram) {
  const std::string good = EncodeJpeg(Picture(48, 48));
  int reports = 0;
  for (std::size_t at = 2; at < good.size(); at += 7) {
    std::string bad = good;
    bad[at] = static_cast<char>(bad[at] ^ 0x5A);
    try {
      const Bitmap b = DecodeJpeg(bad);
      EXPECT_EQ(b.pixels.size(), static_cast<std::size_t>(b.width) * b.height * 3);
    } catch (const JpegError&) {
      ++reports;
    }
  }
  EXPECT_GT(reports, 0);
}

class JpegComponent : public ::testing::Test {
 protected:
  TempDir dir_;
  TJpegToBmp jpeg_;
};

TEST_F(JpegComponent, DecodesIntoTheImageReplacingItsPicture) {
  WriteFile(dir_.file("back.jpg"), EncodeJpeg(Picture(640, 480)));
  Bitmap image = MakeBitmap(10, 10);
  jpeg_.SetImage(&image);
  jpeg_.SetJpegFile(dir_.file("back.jpg"));
  jpeg_.JpegToImage();
  EXPECT_EQ(image.width, 640);
  EXPECT_EQ(image.height, 480);
  EXPECT_EQ(image.pixels.size(), 640u * 480 * 3);
  EXPECT_LT(MeanAbsDifference(image, Picture(640, 480)), 3.0);
}

TEST_F(JpegComponent, WithoutImageDoesNothing) {
  jpeg_.SetJpegFile(dir_.file("missing.jpg"));
  EXPECT_NO_THROW(jpeg_.JpegToImage());
  WriteFile(dir_.file("back.jpg"), EncodeJpeg(Picture(8, 8)));
  jpeg_.SetJpegFile(dir_.file("back.jpg"));
  EXPECT_NO_THROW(jpeg_.JpegToImage());
  EXPECT_EQ(jpeg_.Image(), nullptr);
}

TEST_F(JpegComponent, DamagedOrMissingFileKeepsThePreviousPicture) {
  Bitmap image = Picture(20, 10);
  jpeg_.SetImage(&image);
  const std::string good = EncodeJpeg(Picture(64, 64));
  WriteFile(dir_.file("cut.jpg"), good.substr(0, good.size() - 100));
  jpeg_.SetJpegFile(dir_.file("cut.jpg"));
  EXPECT_THROW(jpeg_.JpegToImage(), JpegError);
  EXPECT_EQ(image.pixels, Picture(20, 10).pixels);

  jpeg_.SetJpegFile(dir_.file("none.jpg"));
  try {
    jpeg_.JpegToImage();
    FAIL() << "no error";
  } catch (const IoError& e) {
    EXPECT_EQ(std::string(e.what()), "Datei " + dir_.file("none.jpg") +
                                         " kann nicht ge\xF6"
                                         "ffnet werden");
  }
  EXPECT_EQ(image.width, 20);
}

TEST_F(JpegComponent, EncodingTwiceGivesTheSameFile) {
  WriteBmpFile(dir_.file("BM1.BMP"), Picture(704, 480));
  jpeg_.SetBmpFile(dir_.file("BM1.BMP"));
  jpeg_.SetJpegFile(dir_.file("a.jpg"));
  jpeg_.BmpToJpeg();
  jpeg_.SetJpegFile(dir_.file("b.jpg"));
  jpeg_.BmpToJpeg();
  const std::string a = ReadFile(dir_.file("a.jpg"));
  EXPECT_GT(a.size(), 1000u);
  EXPECT_EQ(a, ReadFile(dir_.file("b.jpg")));
  EXPECT_EQ(DecodeJpeg(a).width, 704);
}

TEST_F(JpegComponent, EmptyPathMeansNothingIsDone) {
  WriteBmpFile(dir_.file("BM1.BMP"), Picture(8, 8));
  jpeg_.SetBmpFile(dir_.file("BM1.BMP"));
  jpeg_.BmpToJpeg();  // no JpegFile
  jpeg_.SetBmpFile("");
  jpeg_.SetJpegFile(dir_.file("x.jpg"));
  jpeg_.BmpToJpeg();  // no BmpFile
  EXPECT_EQ(FilesIn(dir_.path()), 1u);
}

TEST_F(JpegComponent, FailedEncodingLeavesNoHalfWrittenJpeg) {
  WriteFile(dir_.file("old.jpg"), "previous copy");
  WriteFile(dir_.file("bad.bmp"), "BM damaged");
  jpeg_.SetBmpFile(dir_.file("bad.bmp"));
  jpeg_.SetJpegFile(dir_.file("old.jpg"));
  EXPECT_THROW(jpeg_.BmpToJpeg(), BitmapError);
  EXPECT_EQ(ReadFile(dir_.file("old.jpg")), "previous copy");

  jpeg_.SetBmpFile(dir_.file("absent.bmp"));
  jpeg_.SetJpegFile(dir_.file("new.jpg"));
  EXPECT_THROW(jpeg_.BmpToJpeg(), IoError);
  EXPECT_EQ(FilesIn(dir_.path()), 2u);  // no new.jpg, no temporary file
}

TEST_F(JpegComponent, TargetThatCannotBeCreatedIsReported) {
  WriteBmpFile(dir_.file("BM1.BMP"), Picture(8, 8));
  jpeg_.SetBmpFile(dir_.file("BM1.BMP"));
  const std::string target = dir_.file("no/such/folder/x.jpg");
  jpeg_.SetJpegFile(target);
  try {
    jpeg_.BmpToJpeg();
    FAIL() << "no error";
  } catch (const IoError& e) {
    EXPECT_EQ(std::string(e.what()), "Datei " + target + " kann nicht erstellt werden");
  }
}

}  // namespace
}  // namespace tovix
