// The shipped skins and masks: the figures the windows are laid out for, and
// masks that follow the outlines of their pictures.
#include <gtest/gtest.h>

#include <QImage>

#include "chrome/artwork.h"
#include "chrome/regiondata.h"

namespace tovix::chrome {
namespace {

struct Expected {
  Skin skin;
  int width, height;
  std::size_t size, rects;
  MaskRect bounds;
};

class ShippedSkin : public ::testing::TestWithParam<Expected> {};

TEST_P(ShippedSkin, MaskHasTheFiguresAndFollowsThePicture) {
  const Expected& e = GetParam();
  const std::vector<std::uint8_t> stored = SkinMask2(e.skin);
  std::size_t consumed = 0;
  const auto mask = ReadMask2(stored, &consumed);
  ASSERT_TRUE(mask);
  EXPECT_EQ(consumed, stored.size());
  EXPECT_EQ(mask->data.size(), e.size);
  ASSERT_TRUE(mask->region);
  const RegionMask& region = *mask->region;
  EXPECT_EQ(region.rects.size(), e.rects);
  EXPECT_EQ(region.bounds, e.bounds);
  // Reading and writing again gives the file's bytes.
  EXPECT_EQ(EncodeRegionData(region), mask->data);

  // Bands: sorted by top then left, disjoint, inside the bounding box.
  for (std::size_t i = 0; i < region.rects.size(); ++i) {
    const MaskRect& r = region.rects[i];
    EXPECT_GE(r.left, e.bounds.left);
    EXPECT_LE(r.right, e.bounds.right);
    EXPECT_GE(r.top, e.bounds.top);
    EXPECT_LE(r.bottom, e.bounds.bottom);
    if (i > 0) {
      const MaskRect& p = region.rects[i - 1];
      EXPECT_TRUE(p.top < r.top ? p.bottom <= r.top : (p.top == r.top && p.right <= r.left));
    }
  }

  const QImage picture = SkinPicture(e.skin).toImage().convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(picture.width(), e.width);
  ASSERT_EQ(picture.height(), e.height);
  auto inMask = [&](int x, int y) {
    for (const MaskRect& r : region.rects)
      if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
    return false;
  };
  int mismatches = 0;
  for (int y = 0; y < e.height; ++y)
    for (int x = 0; x < e.width; ++x)
      if (inMask(x, y) != (qAlpha(picture.pixel(x, y)) == 255)) ++mismatches;
  EXPECT_EQ(mismatches, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Skins, ShippedSkin,
    ::testing::Values(Expected{Skin::Main, 779, 582, 1024, 62, {2, 1, 777, 579}},
                      Expected{Skin::Toolbar, 84, 304, 336, 19, {5, 9, 81, 299}}));

TEST(ShippedSkin, MainMaskStartsWithRoundedCornerBands) {
  const auto mask = ReadMask2(SkinMask2(Skin::Main));
  ASSERT_TRUE(mask && mask->region);
  const std::vector<MaskRect> first(mask->region->rects.begin(), mask->region->rects.begin() + 3);
  const std::vector<MaskRect> want{{14, 1, 768, 2}, {13, 2, 769, 3}, {12, 3, 770, 4}};
  EXPECT_EQ(first, want);
}

TEST(ShippedArtwork, PageBackgroundAndGlyphsArePresent) {
  const QPixmap page = PageBackground();
  EXPECT_EQ(page.size(), QSize(708, 419));
  for (Glyph g : {Glyph::Load, Glyph::Play, Glyph::Pause, Glyph::Stop, Glyph::Off, Glyph::Home}) {
    const QImage glyph = GlyphPicture(g).toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(glyph.isNull());
    int opaque = 0;
    for (int y = 0; y < glyph.height(); ++y)
      for (int x = 0; x < glyph.width(); ++x) opaque += qAlpha(glyph.pixel(x, y)) > 128;
    EXPECT_GT(opaque, 10) << "glyph " << static_cast<int>(g) << " is blank";
  }
}

}  // namespace
}  // namespace tovix::chrome
