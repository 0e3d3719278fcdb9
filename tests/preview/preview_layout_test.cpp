// The background in each scale mode and the overscan bars, as they come out
// in saved song pictures.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>

#include "app/pages/previewcontrols.h"
#include "app/pages/previewpage.h"
#include "picture/layout.h"
#include "platform/filesys.h"
#include "preview/preview_helpers.h"
#include "support/tempdir.h"

namespace tovix::test {
namespace {

class PreviewLayout : public ::testing::Test {
 protected:
  PreviewLayout() {
    // Labels out of the way: only background and bars are looked at here.
    for (int i = 0; i < 5; ++i) page.SetLabelPosition(i, 2000, 2000);
  }

  void Load(const Bitmap& background) {
    const std::string path = WriteBackground(dir.file("back.bmp"), background);
    page.SetBitmapFile(path);
    page.LoadBackgroundPicture(path);
  }

  Bitmap Save() {
    const std::string path = dir.file("BM1.BMP");
    page.SaveSongPicture(path, "", false, false);
    return ReadBmpFile(path);
  }

  TempDir dir;
  PreviewPage page;
};

TEST_F(PreviewLayout, MarginOf30LeavesThirtyThirtyTwentyFourTwentyNine) {
  Load(SolidBitmap(800, 600, kWhite));
  page.showFullSize();
  const Bitmap shot = Save();
  ASSERT_EQ(shot.width, 704);
  ASSERT_EQ(shot.height, 480);
  // The bars sit at the edges of the 710 x 481 area, so the picture's right
  // and bottom margins are 6 and 1 pixels narrower.
  for (int y : {100, 240, 400}) {
    EXPECT_EQ(PixelAt(shot, 29, y), kBlack);
    EXPECT_EQ(PixelAt(shot, 30, y), kWhite);
    EXPECT_EQ(PixelAt(shot, 679, y), kWhite);
    EXPECT_EQ(PixelAt(shot, 680, y), kBlack);
    EXPECT_EQ(PixelAt(shot, 703, y), kBlack);
  }
  for (int x : {100, 352, 600}) {
    EXPECT_EQ(PixelAt(shot, x, 29), kBlack);
    EXPECT_EQ(PixelAt(shot, x, 30), kWhite);
    EXPECT_EQ(PixelAt(shot, x, 450), kWhite);
    EXPECT_EQ(PixelAt(shot, x, 451), kBlack);
    EXPECT_EQ(PixelAt(shot, x, 479), kBlack);
  }
}

TEST_F(PreviewLayout, UpDownStepsTheMarginWithinItsReversedRange) {
  EXPECT_EQ(page.UpDown()->Position(), 30);
  page.UpDown()->StepUp();  // up makes the margin smaller
  EXPECT_EQ(page.Overscan(), 25);
  page.UpDown()->StepUp();  // no wrapping below 25
  EXPECT_EQ(page.Overscan(), 25);
  for (int i = 0; i < 20; ++i) page.UpDown()->StepDown();
  EXPECT_EQ(page.Overscan(), 90);
  EXPECT_EQ(page.OverL()->width(), 90);
  EXPECT_EQ(page.OverR()->geometry(), QRect(620, 90, 90, 301));
  EXPECT_EQ(page.OverB()->geometry(), QRect(0, 391, 710, 90));

  page.resetMargin();
  EXPECT_EQ(page.Overscan(), 30);
  EXPECT_EQ(page.UpDown()->Position(), 30);

  Load(SolidBitmap(704, 480, kWhite));
  page.showFullSize();
  page.UpDown()->StepDown();
  const Bitmap shot = Save();
  EXPECT_EQ(PixelAt(shot, 34, 200), kBlack);
  EXPECT_EQ(PixelAt(shot, 35, 200), kWhite);
  EXPECT_EQ(PixelAt(shot, 200, 445), kWhite);
  EXPECT_EQ(PixelAt(shot, 200, 446), kBlack);
}

TEST_F(PreviewLayout, StoredMarginOutsideTheArrowsRangeStillSetsTheBars) {
  page.SetOverscan(10);
  EXPECT_EQ(page.Overscan(), 10);
  EXPECT_EQ(page.UpDown()->Position(), 25);
  page.SetOverscan(0);
  Load(SolidBitmap(704, 480, kWhite));
  page.showFullSize();
  const Bitmap shot = Save();
  EXPECT_EQ(PixelAt(shot, 0, 0), kWhite);
  EXPECT_EQ(PixelAt(shot, 703, 479), kWhite);
}

TEST_F(PreviewLayout, ScaleGrowsA352x240PictureFlushRight) {
  page.SetOverscan(0);
  Load(SolidBitmap(352, 240, kRed));
  page.scaleBackground();
  EXPECT_EQ(page.Image1()->geometry(), QRect(112, 0, 592, 480));
  const Bitmap shot = Save();
  EXPECT_EQ(PixelAt(shot, 111, 240), kBlack);
  EXPECT_EQ(PixelAt(shot, 112, 240), kRed);
  EXPECT_EQ(PixelAt(shot, 703, 0), kRed);
  EXPECT_EQ(PixelAt(shot, 112, 479), kRed);
}

TEST_F(PreviewLayout, ScaleShrinksAn800x600PictureAndCutsItsLeftPart) {
  page.SetOverscan(0);
  Bitmap back = SolidBitmap(800, 600, kRed);
  for (int y = 0; y < 600; ++y)
    for (int x = 400; x < 800; ++x) SetPixel(back, x, y, kBlue);
  Load(back);
  page.scaleBackground();
  EXPECT_EQ(page.Image1()->geometry(), QRect(22, 0, 682, 482));
  const Bitmap shot = Save();
  EXPECT_EQ(PixelAt(shot, 21, 100), kBlack);
  EXPECT_EQ(PixelAt(shot, 22, 100), kRed);
  // Stretched: the colour edge moves from 400 to 22 + 341.
  EXPECT_EQ(PixelAt(shot, 22 + 339, 100), kRed);
  EXPECT_EQ(PixelAt(shot, 22 + 343, 100), kBlue);
  EXPECT_EQ(PixelAt(shot, 703, 479), kBlue);
}

TEST_F(PreviewLayout, CentreMode) {
  page.SetOverscan(0);
  Load(SolidBitmap(100, 51, kGreen));
  page.centerBackground();
  const Bitmap shot = Save();
  EXPECT_EQ(PixelAt(shot, 302, 215), kGreen);
  EXPECT_EQ(PixelAt(shot, 401, 265), kGreen);
  EXPECT_EQ(PixelAt(shot, 301, 215), kBlack);
  EXPECT_EQ(PixelAt(shot, 302, 214), kBlack);
  EXPECT_EQ(PixelAt(shot, 402, 265), kBlack);
  EXPECT_EQ(PixelAt(shot, 401, 266), kBlack);
}

TEST_F(PreviewLayout, RescaleStretchesIntoTheBars) {
  Bitmap back = SolidBitmap(100, 100, kRed);
  for (int y = 0; y < 100; ++y)
    for (int x = 50; x < 100; ++x) SetPixel(back, x, y, kBlue);
  Load(back);
  page.rescaleBackground();
  EXPECT_EQ(page.Image1()->geometry(), QRect(30, 30, 650, 421));
  const Bitmap shot = Save();
  EXPECT_EQ(PixelAt(shot, 30, 30), kRed);
  EXPECT_EQ(PixelAt(shot, 30 + 323, 200), kRed);
  EXPECT_EQ(PixelAt(shot, 30 + 327, 200), kBlue);
  EXPECT_EQ(PixelAt(shot, 679, 450), kBlue);
}

TEST_F(PreviewLayout, FullSizeShowsTheNaturalSizeAtTheOrigin) {
  page.SetOverscan(0);
  Load(SolidBitmap(200, 100, kRed));
  page.showFullSize();
  const Bitmap shot = Save();
  EXPECT_EQ(PixelAt(shot, 199, 99), kRed);
  EXPECT_EQ(PixelAt(shot, 200, 99), kBlack);
  EXPECT_EQ(PixelAt(shot, 199, 100), kBlack);
}

TEST_F(PreviewLayout, TilesStartEveryWidthAndHeight) {
  page.SetOverscan(0);
  Bitmap back = SolidBitmap(300, 200, kRed);
  SetPixel(back, 0, 0, kGreen);
  Load(back);
  page.tileBackground();
  EXPECT_EQ(page.ScaleMode(), 4);
  const Bitmap shot = Save();
  for (int y : {0, 200, 400})
    for (int x : {0, 300, 600}) {
      EXPECT_EQ(PixelAt(shot, x, y), kGreen) << x << "," << y;
      EXPECT_EQ(PixelAt(shot, x + 1, y), kRed) << x << "," << y;
    }
  // The last column and row of tiles are cut at the picture's edges.
  EXPECT_EQ(PixelAt(shot, 703, 479), kRed);
}

TEST_F(PreviewLayout, TilingWithoutAPictureLeavesABlackCanvas) {
  page.SetOverscan(0);
  page.tileBackground();
  EXPECT_EQ(page.ScaleMode(), 4);
  const Bitmap shot = Save();
  EXPECT_EQ(PixelAt(shot, 0, 0), kBlack);
  EXPECT_EQ(PixelAt(shot, 352, 240), kBlack);
}

TEST_F(PreviewLayout, LeavingTileModeReloadsThePictureFile) {
  Load(SolidBitmap(300, 200, kRed));
  page.tileBackground();
  EXPECT_EQ(page.Picture().size(), QSize(704, 480));
  page.showFullSize();
  EXPECT_EQ(page.Picture().size(), QSize(300, 200));
  EXPECT_EQ(page.Image1()->geometry(), QRect(0, 0, 300, 200));
}

TEST_F(PreviewLayout, BuildingThePreviewReappliesTheModeButNotTiling) {
  Load(SolidBitmap(352, 240, kRed));
  page.scaleBackground();
  // Loading alone does not lay the new picture out.
  Load(SolidBitmap(800, 600, kRed));
  EXPECT_EQ(page.Image1()->geometry(), QRect(112, 0, 592, 480));
  page.showSong(false);
  EXPECT_EQ(page.Image1()->geometry(), QRect(22, 0, 682, 482));

  page.tileBackground();
  Load(SolidBitmap(300, 200, kRed));
  page.showSong(false);
  EXPECT_EQ(page.ScaleMode(), 4);
  EXPECT_EQ(page.Picture().size(), QSize(300, 200));
}

TEST_F(PreviewLayout, LayoutControlsNeverAppearInThePicture) {
  Load(SolidBitmap(704, 480, kWhite));
  page.showFullSize();
  page.show();
  ASSERT_TRUE(page.Kacheln()->isVisible());
  const Bitmap shot = Save();
  // Buttons along the bottom, the arrows and "[]" top right, the notice in
  // the top bar: all of it lies on black bars.
  for (int y = 451; y < 480; ++y)
    for (int x = 0; x < 704; ++x) ASSERT_EQ(PixelAt(shot, x, y), kBlack) << x << "," << y;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 704; ++x) ASSERT_EQ(PixelAt(shot, x, y), kBlack) << x << "," << y;
  // Shown again afterwards.
  EXPECT_TRUE(page.Kacheln()->isVisible());
  EXPECT_TRUE(page.UpDown()->isVisible());
  EXPECT_TRUE(page.Label7()->isVisible());
  page.hide();
}

TEST_F(PreviewLayout, EmptyPageTellsHowToLoadAPictureButKeepsItOutOfThePicture) {
  page.show();
  ASSERT_TRUE(page.EmptyHint()->isVisible());
  const Bitmap empty = Save();
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 704; ++x) ASSERT_EQ(PixelAt(empty, x, y), kBlack) << x << "," << y;
  EXPECT_TRUE(page.EmptyHint()->isVisible());

  // Where the picture is missing, the hint takes the double click.
  int asked = 0;
  page.SetPictureChooser([&](const std::string&, const std::string&, QWidget*) {
    ++asked;
    return std::optional<std::string>();
  });
  QMouseEvent click(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(page.EmptyHint(), &click);
  EXPECT_EQ(asked, 1);

  Load(SolidBitmap(704, 480, kWhite));
  EXPECT_FALSE(page.EmptyHint()->isVisible());
  // A picture that fails to load leaves the page empty again.
  WriteFile(dir.file("broken.bmp"), "BM not really");
  EXPECT_ANY_THROW(page.LoadBackgroundPicture(dir.file("broken.bmp")));
  EXPECT_TRUE(page.EmptyHint()->isVisible());
  // The BIN run hides it with the layout controls.
  page.SetLayoutControlsVisible(false);
  EXPECT_FALSE(page.EmptyHint()->isVisible());
  page.SetLayoutControlsVisible(true);
  EXPECT_TRUE(page.EmptyHint()->isVisible());
  page.hide();
}

TEST_F(PreviewLayout, ControlsHiddenByTheRunStayHidden) {
  page.SetLayoutControlsVisible(false);
  Save();
  EXPECT_TRUE(page.Kacheln()->isHidden());
  EXPECT_TRUE(page.Over0()->isHidden());
  EXPECT_TRUE(page.Label7()->isHidden());
}

}  // namespace
}  // namespace tovix::test
