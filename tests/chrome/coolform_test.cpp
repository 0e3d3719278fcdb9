// The skinned face: the shape it sets on its window, the stored mask, the
// fixed place, dragging and keeping the window on the screen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>

#include "chrome/artwork.h"
#include "chrome/coolform.h"

namespace tovix::chrome {
namespace {

class CoolFormTest : public ::testing::Test {
 protected:
  CoolFormTest() : face(&window) {
    window.resize(300, 200);
    window.move(100, 100);
  }

  void send(QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons held) {
    const QPoint global = window.pos() + local;
    QMouseEvent event(type, QPointF(local), QPointF(local), QPointF(global), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(&face, &event);
  }
  // Press at `from`, move by delta (window-relative points), release.
  void drag(QPoint from, QPoint delta, Qt::MouseButton button = Qt::LeftButton) {
    const QPoint start = window.pos() + from;
    auto at = [&](QEvent::Type type, QPoint global, Qt::MouseButton b, Qt::MouseButtons held) {
      const QPoint local = global - window.pos();
      QMouseEvent event(type, QPointF(local), QPointF(local), QPointF(global), b, held,
                        Qt::NoModifier);
      QApplication::sendEvent(&face, &event);
    };
    at(QEvent::MouseButtonPress, start, button, button);
    at(QEvent::MouseMove, start + delta / 2, Qt::NoButton, button);
    at(QEvent::MouseMove, start + delta, Qt::NoButton, button);
    at(QEvent::MouseButtonRelease, start + delta, button, Qt::NoButton);
  }

  QWidget window;
  TCoolForm face;
};

TEST_F(CoolFormTest, ShippedMaskBecomesTheWindowShape) {
  ASSERT_TRUE(ApplySkin(face, Skin::Main));
  ASSERT_TRUE(face.regionMask());
  const QRegion shape = window.mask();
  EXPECT_EQ(shape, ToQRegion(*face.regionMask()));
  EXPECT_EQ(shape.rectCount() > 0, true);
  EXPECT_EQ(shape.boundingRect(), QRect(QPoint(2, 1), QPoint(776, 578)));
  // The rounded corner: row 1 starts at 14, row 3 at 12; the sides at 2 and 776.
  EXPECT_FALSE(shape.contains(QPoint(13, 1)));
  EXPECT_TRUE(shape.contains(QPoint(14, 1)));
  EXPECT_TRUE(shape.contains(QPoint(767, 1)));
  EXPECT_FALSE(shape.contains(QPoint(768, 1)));
  EXPECT_TRUE(shape.contains(QPoint(12, 3)));
  EXPECT_FALSE(shape.contains(QPoint(1, 300)));
  EXPECT_TRUE(shape.contains(QPoint(2, 300)));
  EXPECT_TRUE(shape.contains(QPoint(776, 300)));
  EXPECT_FALSE(shape.contains(QPoint(777, 300)));
  EXPECT_FALSE(shape.contains(QPoint(400, 579)));
  // Every stored rectangle is covered, and nothing beyond them.
  int area = 0;
  for (const MaskRect& r : face.regionMask()->rects)
    area += (r.right - r.left) * (r.bottom - r.top);
  int shapeArea = 0;
  for (const QRect& r : shape) shapeArea += r.width() * r.height();
  EXPECT_EQ(area, shapeArea);
}

TEST_F(CoolFormTest, ReadThenWriteGivesTheSameBytes) {
  const std::vector<std::uint8_t> stored = SkinMask2(Skin::Toolbar);
  ASSERT_EQ(stored.size(), 340u);
  ASSERT_TRUE(face.readMask2(stored));
  EXPECT_EQ(face.writeMask2(), stored);
}

TEST_F(CoolFormTest, ZeroSizeLeavesTheWindowRectangular) {
  const std::vector<std::uint8_t> none{0, 0, 0, 0};
  ASSERT_TRUE(face.readMask2(none));
  EXPECT_FALSE(face.regionMask());
  EXPECT_TRUE(window.mask().isEmpty());
  EXPECT_EQ(face.writeMask2(), none);
}

TEST_F(CoolFormTest, BrokenRegionDataLeavesTheWindowRectangular) {
  std::vector<std::uint8_t> stored = SkinMask2(Skin::Toolbar);
  stored[8] = 3;  // not a rectangle list
  ASSERT_TRUE(face.readMask2(stored));
  EXPECT_FALSE(face.regionMask());
  EXPECT_TRUE(window.mask().isEmpty());
  EXPECT_EQ(face.writeMask2(), (std::vector<std::uint8_t>{0, 0, 0, 0}));
  // Bytes that end early change nothing.
  ASSERT_TRUE(ApplySkin(face, Skin::Toolbar));
  std::vector<std::uint8_t> cut = SkinMask2(Skin::Main);
  cut.resize(100);
  EXPECT_FALSE(face.readMask2(cut));
  EXPECT_EQ(face.writeMask2(), SkinMask2(Skin::Toolbar));
}

TEST_F(CoolFormTest, NewPictureDropsTheStoredRegionButNotTheShape) {
  ASSERT_TRUE(ApplySkin(face, Skin::Toolbar));
  const QRegion shape = window.mask();
  face.setPicture(SkinPicture(Skin::Main));
  EXPECT_FALSE(face.regionMask());
  EXPECT_EQ(window.mask(), shape);
  EXPECT_EQ(face.writeMask2(), (std::vector<std::uint8_t>{0, 0, 0, 0}));
}

TEST_F(CoolFormTest, EmptyRegionIsIgnoredAndANewOneReplaces) {
  ASSERT_TRUE(ApplySkin(face, Skin::Toolbar));
  face.setRegionMask(RegionMask{});
  EXPECT_EQ(face.writeMask2(), SkinMask2(Skin::Toolbar));
  const RegionMask square{{0, 0, 10, 10}, {{0, 0, 10, 10}}};
  face.setRegionMask(square);
  EXPECT_EQ(window.mask(), QRegion(0, 0, 10, 10));
  EXPECT_EQ(face.writeMask2(), WriteMask2(std::optional<RegionMask>(square)));
}

TEST_F(CoolFormTest, SitsAtTheTopLeftAndFillsItsWindow) {
  EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
  face.setTop(57);
  face.setLeft(-3);
  EXPECT_EQ(face.top(), 0);
  EXPECT_EQ(face.left(), 0);
  face.move(20, 30);  // even a direct move is undone by the next write
  face.setLeft(20);
  EXPECT_EQ(face.pos(), QPoint(0, 0));
  window.show();
  window.resize(779, 582);
  EXPECT_EQ(face.size(), QSize(779, 582));
  face.setWidth(100);
  EXPECT_EQ(face.width(), 100);
}

TEST_F(CoolFormTest, PaintsThePicture) {
  ASSERT_TRUE(ApplySkin(face, Skin::Main));
  window.show();
  window.resize(779, 582);
  QImage shot(face.size(), QImage::Format_ARGB32);
  shot.fill(Qt::magenta);
  face.render(&shot);
  const QImage skin = face.picture().toImage().convertToFormat(QImage::Format_ARGB32);
  for (QPoint p : {QPoint(400, 300), QPoint(40, 20), QPoint(300, 545)})
    EXPECT_EQ(shot.pixel(p), skin.pixel(p)) << p.x() << "," << p.y();
}

TEST_F(CoolFormTest, LeftDragMovesTheWindow) {
  drag({50, 50}, {40, 25});
  EXPECT_EQ(window.pos(), QPoint(140, 125));
}

TEST_F(CoolFormTest, DragPastTheEdgesSnapsBackOnRelease) {
  const WindowRect screen = face.screenRect();
  ASSERT_GT(screen.width, 0);
  drag({50, 50}, {-250, -180});  // left -150, top -80
  EXPECT_EQ(window.pos(), QPoint(screen.left, screen.top));
  window.move(100, 100);
  drag({50, 50}, {screen.width, screen.height});
  EXPECT_EQ(window.x(), screen.left + screen.width - window.width() - 1);
  EXPECT_EQ(window.y(), screen.top + screen.height - window.height() - 1);
}

TEST_F(CoolFormTest, RightButtonDoesNotDragButStillPullsBack) {
  drag({50, 50}, {40, 25}, Qt::RightButton);
  EXPECT_EQ(window.pos(), QPoint(100, 100));
  window.move(-30, 20);
  send(QEvent::MouseButtonPress, {10, 10}, Qt::RightButton, Qt::RightButton);
  EXPECT_EQ(window.pos(), QPoint(face.screenRect().left, 20));
}

TEST_F(CoolFormTest, NotDraggableOnlyKeepsTheWindowOnScreen) {
  face.setDraggable(false);
  drag({50, 50}, {40, 25});
  EXPECT_EQ(window.pos(), QPoint(100, 100));
  window.move(-5, -5);
  send(QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(window.pos(), QPoint(face.screenRect().left, face.screenRect().top));
}

TEST_F(CoolFormTest, DoubleClickIsReportedAndDoesNotMove) {
  int doubleClicks = 0;
  QObject::connect(&face, &TCoolForm::doubleClicked, [&] { ++doubleClicks; });
  send(QEvent::MouseButtonPress, {60, 60}, Qt::LeftButton, Qt::LeftButton);
  send(QEvent::MouseButtonRelease, {60, 60}, Qt::LeftButton, Qt::NoButton);
  send(QEvent::MouseButtonDblClick, {60, 60}, Qt::LeftButton, Qt::LeftButton);
  send(QEvent::MouseButtonRelease, {60, 60}, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(doubleClicks, 1);
  EXPECT_EQ(window.pos(), QPoint(100, 100));
}

}  // namespace
}  // namespace tovix::chrome
