#include "picture/layout.h"

#include <gtest/gtest.h>

namespace tovix::picture {
namespace {

TEST(PlaceScaled, GrowsSmallPictureUntilHeightReachesTheEdge) {
  EXPECT_EQ(PlaceScaled(352, 240), (Rect{112, 0, 592, 480}));
}

TEST(PlaceScaled, ShrinksLargePictureThenGrowsOnce) {
  // 800 x 600 shrinks to 680 x 480, then the one obligatory step.
  EXPECT_EQ(PlaceScaled(800, 600), (Rect{22, 0, 682, 482}));
}

TEST(PlaceScaled, ExactFitStillTakesOneStep) {
  EXPECT_EQ(PlaceScaled(704, 480), (Rect{-2, 0, 706, 482}));
}

TEST(PlaceScaled, StopsAtWhicheverSideReachesItsEdgeFirst) {
  // Width reaches 704 first: 700 + 2 * 2.
  EXPECT_EQ(PlaceScaled(700, 100), (Rect{0, 0, 704, 104}));
  // Odd distance: 701 + 2 * 2 = 705 is the first width >= 704.
  EXPECT_EQ(PlaceScaled(701, 100), (Rect{-1, 0, 705, 104}));
}

TEST(PlaceScaled, EmptyPictureGrowsToTheEdge) {
  EXPECT_EQ(PlaceScaled(0, 0), (Rect{704 - 480, 0, 480, 480}));
}

TEST(PlaceScaled, TallNarrowPictureNeverGetsANegativeSize) {
  const Rect r = PlaceScaled(10, 1000);
  EXPECT_EQ(r.width, 0);
  EXPECT_EQ(r.height, 482);
}

TEST(PlaceCentred, TruncatesOddHalvesAndOverlapsLargePictures) {
  EXPECT_EQ(PlaceCentred(100, 51), (Rect{302, 215, 100, 51}));
  EXPECT_EQ(PlaceCentred(800, 600), (Rect{-48, -60, 800, 600}));
  EXPECT_EQ(PlaceCentred(0, 0), (Rect{352, 240, 0, 0}));
}

TEST(PlaceFullSize, NaturalSizeAtOrigin) {
  EXPECT_EQ(PlaceFullSize(800, 600), (Rect{0, 0, 800, 600}));
}

TEST(PlaceInsideOverscan, AreaInsideTheBars) {
  EXPECT_EQ(PlaceInsideOverscan(30), (Rect{30, 30, 650, 421}));
  EXPECT_EQ(PlaceInsideOverscan(0), (Rect{0, 0, 710, 481}));
  // A margin from the settings byte larger than half the area leaves nothing.
  EXPECT_EQ(PlaceInsideOverscan(255), (Rect{255, 255, 200, 0}));
}

TEST(TileOrigins, CoversThePictureRowByRow) {
  const auto tiles = TileOrigins(300, 200);
  const std::vector<Point> expected = {{0, 0},     {300, 0}, {600, 0},   {0, 200},  {300, 200},
                                       {600, 200}, {0, 400}, {300, 400}, {600, 400}};
  EXPECT_EQ(tiles, expected);
}

TEST(TileOrigins, OnePictureLargerThanTheAreaIsOneTile) {
  EXPECT_EQ(TileOrigins(704, 480), (std::vector<Point>{{0, 0}}));
  EXPECT_EQ(TileOrigins(2000, 2000), (std::vector<Point>{{0, 0}}));
}

TEST(TileOrigins, NoPictureGivesNoTilesInsteadOfLoopingForever) {
  EXPECT_TRUE(TileOrigins(0, 0).empty());
  EXPECT_TRUE(TileOrigins(300, 0).empty());
  EXPECT_TRUE(TileOrigins(0, 200).empty());
  EXPECT_TRUE(TileOrigins(-5, 200).empty());
}

TEST(TileOrigins, OnePixelTilesFillEveryPixel) {
  EXPECT_EQ(TileOrigins(1, 1).size(), 704u * 480u);
}

TEST(PlaceOverscanBars, BarsLieAtTheEdgesOfThePreviewArea) {
  const auto bars = PlaceOverscanBars(30);
  EXPECT_EQ(bars.top, (Rect{0, 0, 710, 30}));
  EXPECT_EQ(bars.bottom, (Rect{0, 451, 710, 30}));
  EXPECT_EQ(bars.left, (Rect{0, 30, 30, 421}));
  EXPECT_EQ(bars.right, (Rect{680, 30, 30, 421}));
  // Within the 704 x 480 picture that leaves 30 / 24 pixels at the sides
  // and 30 / 29 at top and bottom.
  EXPECT_EQ(kPictureWidth - bars.right.left, 24);
  EXPECT_EQ(kPictureHeight - bars.bottom.top, 29);
}

TEST(PlaceOverscanBars, HugeMarginKeepsSideBarsWithoutNegativeHeight) {
  const auto bars = PlaceOverscanBars(255);
  EXPECT_EQ(bars.left.height, 0);
  EXPECT_EQ(bars.top.height, 255);
  EXPECT_EQ(bars.bottom.top, 481 - 255);
}

TEST(Position, DefaultAnswerIsLeftColonTop) {
  EXPECT_EQ(FormatPosition(94, 84), "94:84");
  EXPECT_EQ(FormatPosition(-3, 0), "-3:0");
}

TEST(Position, YTakesAtMostThreeCharacters) {
  EXPECT_EQ(ParsePosition("12:345678"), (Point{12, 345}));
  EXPECT_EQ(ParsePosition("100:1234"), (Point{100, 123}));
  EXPECT_EQ(ParsePosition("94:84"), (Point{94, 84}));
}

TEST(Position, SignsAndLeadingBlanksParse) {
  EXPECT_EQ(ParsePosition("-5:-12"), (Point{-5, -12}));
  EXPECT_EQ(ParsePosition(" 7: 9"), (Point{7, 9}));
  EXPECT_EQ(ParsePosition("+7:+9"), (Point{7, 9}));
}

TEST(Position, OnlyTheFirstColonSplits) {
  // The three characters after the first colon must all be digits.
  EXPECT_EQ(ParsePosition("1:2:3"), std::nullopt);
  EXPECT_EQ(ParsePosition("1:23:4"), std::nullopt);
  EXPECT_EQ(ParsePosition("1:234:5"), (Point{1, 234}));
}

TEST(Position, AnswersThatDoNotParseGiveNothing) {
  EXPECT_EQ(ParsePosition("abc"), std::nullopt);
  EXPECT_EQ(ParsePosition("ab:cd"), std::nullopt);
  EXPECT_EQ(ParsePosition(""), std::nullopt);
  EXPECT_EQ(ParsePosition(":"), std::nullopt);
  EXPECT_EQ(ParsePosition("12:"), std::nullopt);
  EXPECT_EQ(ParsePosition(":12"), std::nullopt);
  EXPECT_EQ(ParsePosition("12 34"), std::nullopt);
  EXPECT_EQ(ParsePosition("1x:2"), std::nullopt);
  EXPECT_EQ(ParsePosition("12:3 4"), std::nullopt);
  EXPECT_EQ(ParsePosition("99999999999:1"), std::nullopt);
  EXPECT_EQ(ParsePosition("-:1"), std::nullopt);
}

}  // namespace
}  // namespace tovix::picture
