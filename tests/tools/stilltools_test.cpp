// mklogo and c2bin as the picture batch runs them: in the working folder,
// judged by exit code, stderr and the files they leave.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "mpegdecode.h"
#include "picture/bitmap.h"
#include "platform/process.h"
#include "stillencoder.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

constexpr std::size_t kBinLimit = 163840;

struct Result {
  int exitCode = -1;
  std::string err;
};

Result RunTool(const std::string& tool, const std::vector<std::string>& args, const TempDir& dir) {
  platform::ProcessSpec request;
  request.program = test::ProgramDir() + tool;
  request.args.push_back(tool);
  request.args.insert(request.args.end(), args.begin(), args.end());
  request.workDir = dir.path();
  request.in = platform::StdStream::Null();
  request.out = platform::StdStream::Null();
  const std::string errFile = dir.path() + "/.stderr";
  request.err = platform::StdStream::ToFile(errFile);
  platform::Process p;
  Result r;
  if (!p.Start(request)) {
    ADD_FAILURE() << "cannot start " << request.program;
    return r;
  }
  if (!p.Wait(120000)) {
    ADD_FAILURE() << tool << " did not end";
    return r;
  }
  r.exitCode = p.exitCode();
  r.err = ReadFile(errFile);
  std::filesystem::remove(errFile);
  return r;
}

// A song picture as the preview makes it: a soft background, bright text
// strokes with black shadows, black overscan bars.
Bitmap SongPicture() {
  Bitmap b = MakeBitmap(704, 480);
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 704; ++x) {
      std::uint8_t* p = &b.pixels[(static_cast<std::size_t>(y) * 704 + x) * 3];
      const bool bar = y < 30 || y >= 450 || x < 24 || x >= 675;
      const bool stroke = (y / 12) % 4 == 1 && (x / 9) % 3 != 0 && y > 60 && y < 300;
      const bool shadow = !stroke && (y / 12) % 4 == 1 && ((x - 1) / 9) % 3 != 0 && y > 61;
      if (bar) {
        p[0] = p[1] = p[2] = 0;
      } else if (stroke) {
        p[0] = 255, p[1] = 255, p[2] = 160;
      } else if (shadow) {
        p[0] = p[1] = p[2] = 0;
      } else {
        p[0] = static_cast<std::uint8_t>(40 + x / 8);
        p[1] = static_cast<std::uint8_t>(60 + y / 6);
        p[2] = static_cast<std::uint8_t>(150);
      }
    }
  }
  return b;
}

Bitmap Noise() {
  Bitmap b = MakeBitmap(704, 480);
  std::mt19937 random(1234);
  for (auto& v : b.pixels) v = static_cast<std::uint8_t>(random() & 0xFF);
  return b;
}

// The batch's two lines: mklogo BMx.BMP LEVEL, c2bin e2logo.c e2logo.bin.
std::string MakeBin(const TempDir& dir, const Bitmap& picture, int level) {
  WriteBmpFile(dir.file("BM1.BMP"), picture);
  const Result logo = RunTool("mklogo", {"BM1.BMP", std::to_string(level)}, dir);
  EXPECT_EQ(logo.exitCode, 0) << logo.err;
  EXPECT_EQ(logo.err, "");
  const Result bin = RunTool("c2bin", {"e2logo.c", "e2logo.bin"}, dir);
  EXPECT_EQ(bin.exitCode, 0) << bin.err;
  return ReadFile(dir.file("e2logo.bin"));
}

void ExpectRefused(const Result& r, const std::string& mention) {
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find(mention), std::string::npos) << "stderr: " << r.err;
  EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one clear line: " << r.err;
}

class Mklogo : public ::testing::Test {
 protected:
  TempDir dir_;
  bool NoOutput() const { return !std::filesystem::exists(dir_.file("e2logo.c")); }
};

TEST_F(Mklogo, MissingBitmap) {
  ExpectRefused(RunTool("mklogo", {"BM1.BMP", "2"}, dir_), "BM1.BMP");
  EXPECT_TRUE(NoOutput());
}

TEST_F(Mklogo, WrongBitmaps) {
  WriteFile(dir_.file("text.bmp"), "this is a text file, not a picture");
  ExpectRefused(RunTool("mklogo", {"text.bmp", "2"}, dir_), "not a valid BMP");
  WriteBmpFile(dir_.file("small.bmp"), MakeBitmap(640, 480));
  ExpectRefused(RunTool("mklogo", {"small.bmp", "2"}, dir_), "704 x 480");
  WriteBmpFile(dir_.file("tall.bmp"), MakeBitmap(704, 576));
  ExpectRefused(RunTool("mklogo", {"tall.bmp", "2"}, dir_), "704 x 480");
  // A 704 x 480 picture at 32 bits per pixel is readable but not what the tool takes.
  std::string deep = EncodeBmp(MakeBitmap(704, 480));
  deep[28] = 32;
  deep.resize(54 + 704 * 480 * 4, '\0');
  WriteFile(dir_.file("deep.bmp"), deep);
  ExpectRefused(RunTool("mklogo", {"deep.bmp", "2"}, dir_), "24-bit");
  EXPECT_TRUE(NoOutput());
}

TEST_F(Mklogo, LevelOutsideOneToThirtyOne) {
  WriteBmpFile(dir_.file("BM1.BMP"), SongPicture());
  for (const char* level : {"0", "32", "x", "", "2.5", "-3", "1000000000000"}) {
    ExpectRefused(RunTool("mklogo", {"BM1.BMP", level}, dir_), "level");
  }
  EXPECT_TRUE(NoOutput());
  const Result usage = RunTool("mklogo", {"BM1.BMP"}, dir_);
  EXPECT_EQ(usage.exitCode, 1);
  EXPECT_NE(usage.err.find("usage"), std::string::npos);
}

TEST_F(Mklogo, BinIsOneStillThatDecodesCloseToTheBitmap) {
  const Bitmap picture = SongPicture();
  const std::string bin = MakeBin(dir_, picture, 2);
  ASSERT_GT(bin.size(), 8u);
  EXPECT_EQ(bin.substr(0, 4), std::string("\x00\x00\x01\xB3", 4));            // sequence header
  EXPECT_EQ(bin.substr(bin.size() - 4), std::string("\x00\x00\x01\xB7", 4));  // sequence end
  EXPECT_LE(bin.size(), kBinLimit);

  const test::DecodedStream decoded = test::DecodeMpeg2(bin);
  ASSERT_EQ(decoded.pictures.size(), 1u);
  EXPECT_EQ(decoded.pictures[0].width, 704);
  EXPECT_EQ(decoded.pictures[0].height, 480);
  EXPECT_TRUE(decoded.intraOnly);
  EXPECT_EQ(decoded.aspectNum, 4);
  EXPECT_EQ(decoded.aspectDen, 3);
  EXPECT_EQ(decoded.rateNum, 30000);
  EXPECT_EQ(decoded.rateDen, 1001);
  const double psnr = test::Psnr(decoded.pictures[0], picture);
  RecordProperty("psnr_level2", std::to_string(psnr));
  EXPECT_GE(psnr, 30.0);
}

TEST_F(Mklogo, ReplacesAnEarlierE2logo) {
  WriteFile(dir_.file("e2logo.c"), "left over from the last song");
  const std::string bin = MakeBin(dir_, SongPicture(), 5);
  EXPECT_EQ(test::DecodeMpeg2(bin).pictures.size(), 1u);
}

TEST_F(Mklogo, HigherLevelGivesASmallerBin) {
  std::size_t previous = 0;
  for (int level : {1, 2, 4, 8, 16, 31}) {
    const std::size_t size = MakeBin(dir_, Noise(), level).size();
    if (previous != 0) {
      EXPECT_LT(size, previous) << "level " << level;
    }
    previous = size;
  }
}

TEST(StillEncoder, SizeNeverGrowsWithTheLevel) {
  for (const Bitmap& picture : {SongPicture(), Noise()}) {
    std::size_t previous = SIZE_MAX;
    for (int level = mklogo::kMinLevel; level <= mklogo::kMaxLevel; ++level) {
      const std::size_t size = mklogo::EncodeStill(picture, level).size();
      EXPECT_LE(size, previous) << "level " << level;
      previous = size;
    }
  }
}

TEST(StillEncoder, SameBitmapGivesTheSameStream) {
  EXPECT_EQ(mklogo::EncodeStill(SongPicture(), 3), mklogo::EncodeStill(SongPicture(), 3));
}

// The calibration raises the level until the test picture fits; a busy
// picture must force it above the start level 2, and some level must fit.
TEST(StillEncoder, NoisePictureNeedsAHigherLevelToFit) {
  const Bitmap noise = Noise();
  EXPECT_GT(mklogo::EncodeStill(noise, 1).size(), kBinLimit);
  EXPECT_GT(mklogo::EncodeStill(noise, 2).size(), kBinLimit);
  int fits = 0;
  for (int level = 3; level <= mklogo::kMaxLevel && fits == 0; ++level) {
    if (mklogo::EncodeStill(noise, level).size() <= kBinLimit) fits = level;
  }
  RecordProperty("noise_fits_at_level", fits);
  EXPECT_GT(fits, 2);
  std::printf("noise picture first fits %zu bytes at level %d\n", kBinLimit, fits);
}

TEST(StillEncoder, RefusesOtherSizesAndLevels) {
  EXPECT_THROW(mklogo::EncodeStill(MakeBitmap(640, 480), 2), mklogo::EncodeError);
  EXPECT_THROW(mklogo::EncodeStill(SongPicture(), 0), mklogo::EncodeError);
  EXPECT_THROW(mklogo::EncodeStill(SongPicture(), 32), mklogo::EncodeError);
}

class C2bin : public ::testing::Test {
 protected:
  TempDir dir_;
};

TEST_F(C2bin, WritesTheArrayBytes) {
  WriteFile(dir_.file("e2logo.c"), "const unsigned char e2logo[3] = { 0x00, 0x01, 0xff };\n");
  const Result r = RunTool("c2bin", {"e2logo.c", "e2logo.bin"}, dir_);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadFile(dir_.file("e2logo.bin")), std::string("\x00\x01\xff", 3));
  const auto perms = std::filesystem::status(dir_.file("e2logo.bin")).permissions();
  EXPECT_NE(perms & std::filesystem::perms::others_read, std::filesystem::perms::none);
}

TEST_F(C2bin, MissingOrMalformedSourceLeavesTheOldBin) {
  WriteFile(dir_.file("e2logo.bin"), "previous");
  ExpectRefused(RunTool("c2bin", {"e2logo.c", "e2logo.bin"}, dir_), "e2logo.c");
  WriteFile(dir_.file("e2logo.c"), "const unsigned char e2logo[2] = { 0x00, 0x01");
  ExpectRefused(RunTool("c2bin", {"e2logo.c", "e2logo.bin"}, dir_), "not closed");
  WriteFile(dir_.file("e2logo.c"), "unsigned char e2logo[] = { 1, 300 };");
  ExpectRefused(RunTool("c2bin", {"e2logo.c", "e2logo.bin"}, dir_), "300");
  EXPECT_EQ(ReadFile(dir_.file("e2logo.bin")), "previous");
  std::size_t files = 0;
  for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir_.path())) ++files;
  EXPECT_EQ(files, 2u);  // no temporary file left behind
}

TEST_F(C2bin, UnwritableTargetIsReported) {
  WriteFile(dir_.file("e2logo.c"), "unsigned char e2logo[] = { 1 };");
  ExpectRefused(RunTool("c2bin", {"e2logo.c", "no/such/folder/e2logo.bin"}, dir_), "cannot create");
  EXPECT_EQ(RunTool("c2bin", {"e2logo.c"}, dir_).exitCode, 1);
}

}  // namespace
}  // namespace tovix
