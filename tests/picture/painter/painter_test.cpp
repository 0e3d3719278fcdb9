// The song picture painted without any window: where the background lies in
// each scale mode, the overscan bars over it, and a label with its shadow.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>

#include "picture/layout.h"
#include "picture/songpainter.h"

namespace tovix {
namespace {

class Painter : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (QGuiApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "painter_test";
    static char* argv[] = {name, nullptr};
    // Kept to the end: Qt's fonts must not outlive their application.
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
  }

  static QImage Filled(int w, int h, QRgb color) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(color);
    return image;
  }
};

constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kBlack = 0xFF000000;

TEST_F(Painter, BackgroundLiesWhereTheScaleModeSaysAndTheBarsCoverIt) {
  struct Case {
    std::uint8_t mode;
    int x, y;
    QRgb expected;
  };
  const Case cases[] = {
      {picture::kModeFullSize, 40, 40, kRed},  // natural size, top left
      {picture::kModeFullSize, 200, 200, kBlack},
      {picture::kModeScale, 352, 240, kRed},    // stretched to the picture
      {picture::kModeScale, 700, 100, kBlack},  // under the right bar
      {picture::kModeRescale, 35, 35, kRed},    // stretched inside the margin
      {picture::kModeRescale, 10, 10, kBlack},
      {picture::kModeCenter, 352, 240, kRed},  // centred
      {picture::kModeCenter, 250, 240, kBlack},
      {picture::kModeTile, 620, 460, kBlack},  // under the bottom bar
      {picture::kModeTile, 560, 400, kRed},    // tiles fill the picture
  };
  const PictureLabels none{};
  for (const Case& c : cases) {
    PictureLayout layout;
    layout.scaleMode = c.mode;
    const QImage image = PaintSongPicture(layout, Filled(100, 80, kRed), none);
    ASSERT_EQ(image.size(), QSize(704, 480));
    EXPECT_EQ(image.pixel(c.x, c.y), c.expected) << int(c.mode) << " at " << c.x << "," << c.y;
  }
  PictureLayout layout;
  EXPECT_EQ(PaintSongPicture(layout, QImage(), none).pixel(352, 240), kBlack);
}

TEST_F(Painter, LabelInItsColourWithItsShadowBelowRight) {
  PictureLayout layout;
  layout.font1 = {"DejaVu Sans", 0x0000FF, 40, true, false};  // 0x00BBGGRR: red
  layout.positions[0] = {200, 200};
  PictureLabels labels{};
  labels[0] = "IIII";
  const QImage image = PaintSongPicture(layout, Filled(704, 480, 0xFFFFFFFF), labels);

  // Strokes are smoothed at their edges: count clear red and clear dark.
  QRect red, dark;
  for (int y = 41; y < 439; ++y)
    for (int x = 41; x < 663; ++x) {
      const QRgb p = image.pixel(x, y);
      if (qRed(p) > 200 && qGreen(p) < 60) red |= QRect(x, y, 1, 1);
      if (qRed(p) < 60 && qGreen(p) < 60) dark |= QRect(x, y, 1, 1);
    }
  ASSERT_FALSE(red.isEmpty());
  EXPECT_GE(red.left(), 200);
  EXPECT_GE(red.top(), 200);
  EXPECT_LT(red.right(), 400);
  EXPECT_LT(red.bottom(), 280);
  // The shadow shows one pixel right of and below the label's strokes.
  ASSERT_FALSE(dark.isEmpty());
  EXPECT_GE(dark.left(), red.left());
  EXPECT_GE(dark.top(), red.top());
  EXPECT_GT(dark.right(), red.right());
  EXPECT_LE(dark.right(), red.right() + 2);
  EXPECT_GT(dark.bottom(), red.bottom());
  EXPECT_LE(dark.bottom(), red.bottom() + 2);
}

}  // namespace
}  // namespace tovix
