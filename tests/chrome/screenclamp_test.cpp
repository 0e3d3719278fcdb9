// Keeping windows on the screen and placing the folder dialog.
#include <gtest/gtest.h>

#include "chrome/screenclamp.h"

namespace tovix::chrome {
namespace {

const WindowRect kScreen{0, 0, 1024, 768};

TEST(ClampToScreen, PullsBackPastTheLeftAndTopEdges) {
  EXPECT_EQ(ClampToScreen({-40, 100, 813, 607}, kScreen), (WindowRect{0, 100, 813, 607}));
  EXPECT_EQ(ClampToScreen({100, -3, 813, 607}, kScreen), (WindowRect{100, 0, 813, 607}));
  EXPECT_EQ(ClampToScreen({-1, -1, 104, 305}, kScreen), (WindowRect{0, 0, 104, 305}));
}

TEST(ClampToScreen, RightAndBottomLeaveOnePixel) {
  // 813 wide on a 1024 screen at left 300: 1024 - 813 - 1.
  EXPECT_EQ(ClampToScreen({300, 0, 813, 607}, kScreen).left, 210);
  EXPECT_EQ(ClampToScreen({0, 500, 813, 607}, kScreen).top, 768 - 607 - 1);
}

TEST(ClampToScreen, WindowExactlyFittingStays) {
  EXPECT_EQ(ClampToScreen({211, 161, 813, 607}, kScreen), (WindowRect{211, 161, 813, 607}));
  EXPECT_EQ(ClampToScreen({0, 0, 1024, 768}, kScreen), (WindowRect{0, 0, 1024, 768}));
}

TEST(ClampToScreen, WindowLargerThanTheScreenKeepsItsTopLeftVisible) {
  EXPECT_EQ(ClampToScreen({50, 20, 813, 607}, {0, 0, 800, 600}), (WindowRect{0, 0, 813, 607}));
}

TEST(ClampToScreen, HonoursTheScreenOrigin) {
  const WindowRect second{1024, 0, 1280, 1024};
  EXPECT_EQ(ClampToScreen({1000, 10, 300, 200}, second).left, 1024);
  EXPECT_EQ(ClampToScreen({2200, 10, 300, 200}, second).left, 1024 + 1280 - 300 - 1);
}

TEST(PlaceOverWindow, CentredAndAQuarterDown) {
  EXPECT_EQ(PlaceOverWindow({100, 50, 800, 600}, {0, 0, 300, 200}),
            (WindowRect{350, 200, 300, 200}));
  // Odd sizes truncate: 801 / 2 = 400, 301 / 2 = 150, 603 / 4 = 150.
  EXPECT_EQ(PlaceOverWindow({0, 0, 801, 603}, {7, 9, 301, 100}), (WindowRect{250, 150, 301, 100}));
  // A dialog wider than the window in front sits left of it.
  EXPECT_EQ(PlaceOverWindow({10, 10, 100, 100}, {0, 0, 400, 50}).left, 10 + 50 - 200);
}

}  // namespace
}  // namespace tovix::chrome
