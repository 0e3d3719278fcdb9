// The TV sheet: each tile is its song's .BIN as the television shows it, in
// the order of the songs and under their names; missing and broken pictures
// are shown as such.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "disc/mpeg2decode.h"
#include "disc/tvsheet.h"
#include "lang/sprachen.h"
#include "platform/filesys.h"
#include "rename/mp3fixture.h"
#include "stillencoder.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

// A picture of its own for every song: a colour ramp, a block placed by
// the seed, so a tile shown in the wrong place does not match.
Bitmap SongPicture(int seed) {
  Bitmap b = MakeBitmap(704, 480);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 704; ++x) {
      std::uint8_t* p = &b.pixels[(static_cast<std::size_t>(y) * 704 + x) * 3];
      const bool block = x / 120 == seed && y > 100 && y < 300;
      p[0] = static_cast<std::uint8_t>(block ? 250 : (x * 255 / 703 + seed * 40) % 256);
      p[1] = static_cast<std::uint8_t>(block ? 30 : y * 255 / 479);
      p[2] = static_cast<std::uint8_t>(block ? 30 : 128 + seed * 20);
    }
  return b;
}

// The area inside the shaded overscan bars, in TV pixels.
QRect Inside(int overscan) {
  return QRect((overscan * 640 + 703) / 704, overscan, 640 - 2 * ((overscan * 640 + 703) / 704),
               480 - 2 * overscan);
}

double Psnr(const QImage& a, const QImage& b) {
  double sum = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      for (int d : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)}) sum += d * d;
    }
  const double mse = sum / (3.0 * a.width() * a.height());
  return mse == 0 ? 99 : 10 * std::log10(255.0 * 255.0 / mse);
}

// The .BIN decoded by libavcodec and scaled to 4:3 by Qt, not by the sheet's scaler.
QImage Expected(const std::string& bin) {
  const Bitmap b = DecodeMpeg2(test::ReadFile(platform::ToNative(bin))).pictures.at(0);
  QImage image(b.pixels.data(), b.width, b.height, b.width * 3, QImage::Format_RGB888);
  return image.scaled(640, 480, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

TEST(TvSheet, TilesMatchTheirBinInOrderAndMissingOrBrokenOnesSaySo) {
  ASSERT_EQ(ApplyLanguage(1, test::ProgramDir() + "tovix.lng"), LanguageResult::kOk);
  test::TempDir dir;
  const std::string folder = platform::FromNative(dir.path()).value();
  const std::vector<std::string> songs = {"Abba - One", "Beatles - Two", "Cream - Three",
                                          "\xC4rzte - Sch\xF6n", "Eagles - Five"};
  for (std::size_t i = 0; i < songs.size(); ++i)
    test::PutFile(dir.path(), songs[i] + ".mp3", test::Song("", "", static_cast<char>('a' + i)));
  for (int i : {0, 1, 3})
    test::PutFile(dir.path(), songs[static_cast<std::size_t>(i)] + ".BIN",
                  mklogo::EncodeStill(SongPicture(i), 2));
  test::PutFile(dir.path(), "Eagles - Five.BIN", "not a picture at all");
  test::PutFile(dir.path(), "Zappa.bin", mklogo::EncodeStill(SongPicture(4), 2));

  constexpr int kOverscan = 30;
  const TvSheet sheet = MakeTvSheet(SheetSongs(folder, folder), kOverscan);
  ASSERT_EQ(sheet.tiles.size(), 6u);
  // The songs in the order the BIN run takes them, then a .BIN without a song.
  const std::vector<std::string> captions = {"Abba - One",          "Beatles - Two",
                                             "Cream - Three",       "Eagles - Five",
                                             "\xC4rzte - Sch\xF6n", "Zappa.bin"};
  const std::vector<TileState> states = {TileState::kPicture,   TileState::kPicture,
                                         TileState::kNoPicture, TileState::kBroken,
                                         TileState::kPicture,   TileState::kPicture};
  for (std::size_t i = 0; i < sheet.tiles.size(); ++i) {
    const SheetTile& tile = sheet.tiles[i];
    SCOPED_TRACE(captions[i]);
    EXPECT_EQ(tile.caption, captions[i]);
    EXPECT_EQ(tile.state, states[i]);
    EXPECT_EQ(tile.picture.size(), QSize(640, 480));
    EXPECT_TRUE(sheet.image.rect().contains(tile.picture));
    const QImage shown = sheet.image.copy(tile.picture);
    if (tile.state == TileState::kPicture) {
      const QImage expected = Expected(tile.binPath);
      const QRect inside = Inside(kOverscan);
      EXPECT_GE(Psnr(shown.copy(inside), expected.copy(inside)), 35.0);
      // The overscan bar is shaded, not cut away.
      const QRgb bar = shown.pixel(320, 5), plain = expected.pixel(320, 5);
      EXPECT_NEAR(qGreen(bar), qGreen(plain) / 2, 8);
      // Another song's picture does not pass for this one.
      const std::size_t other = i == 0 ? 1 : 0;
      EXPECT_LT(Psnr(shown.copy(inside), Expected(sheet.tiles[other].binPath).copy(inside)), 30.0);
    } else {
      // An empty frame: the same grey all over except frame and words.
      EXPECT_EQ(shown.pixel(40, 40), shown.pixel(600, 440));
      EXPECT_EQ(shown.pixel(40, 40), shown.pixel(40, 440));
    }
  }
  EXPECT_NE(sheet.image.copy(sheet.tiles[2].picture), sheet.image.copy(sheet.tiles[3].picture))
      << "no picture and a broken one look different";
}

}  // namespace
}  // namespace tovix
