// The stored window shape: reading, writing and building rectangle lists.
#include <gtest/gtest.h>

#include "chrome/regiondata.h"

namespace tovix::chrome {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put32(Bytes& b, std::int32_t v) {
  for (int s = 0; s < 32; s += 8)
    b.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> s));
}

// A Mask2 value written field by field, the way the window system lays it out.
Bytes Mask2Bytes(const std::vector<MaskRect>& rects, MaskRect box, std::int32_t sizeField = -1) {
  Bytes data;
  Put32(data, 32);
  Put32(data, 1);
  Put32(data, static_cast<std::int32_t>(rects.size()));
  Put32(data, sizeField >= 0 ? sizeField : static_cast<std::int32_t>(16 * rects.size()));
  for (auto v : {box.left, box.top, box.right, box.bottom}) Put32(data, v);
  for (const auto& r : rects)
    for (auto v : {r.left, r.top, r.right, r.bottom}) Put32(data, v);
  Bytes out;
  Put32(out, static_cast<std::int32_t>(data.size()));
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

const std::vector<MaskRect> kCorner{
    {14, 1, 768, 2}, {13, 2, 769, 3}, {12, 3, 770, 4}, {2, 4, 777, 579}};

TEST(Mask2, RoundTripIsByteExact) {
  const Bytes stored = Mask2Bytes(kCorner, {2, 1, 777, 579});
  std::size_t consumed = 0;
  const auto mask = ReadMask2(stored, &consumed);
  ASSERT_TRUE(mask);
  EXPECT_EQ(consumed, stored.size());
  ASSERT_TRUE(mask->region);
  EXPECT_EQ(mask->region->rects, kCorner);
  EXPECT_EQ(mask->region->bounds, (MaskRect{2, 1, 777, 579}));
  EXPECT_EQ(WriteMask2(std::span<const std::uint8_t>(mask->data)), stored);
  EXPECT_EQ(WriteMask2(mask->region), stored);
}

TEST(Mask2, KeepsAnUnusualSizeFieldWhenWrittenBackFromTheData) {
  // Some writers leave the list size at 0; the data still builds a region
  // and must come back unchanged.
  const Bytes stored = Mask2Bytes(kCorner, {2, 1, 777, 579}, 0);
  const auto mask = ReadMask2(stored);
  ASSERT_TRUE(mask && mask->region);
  EXPECT_EQ(WriteMask2(std::span<const std::uint8_t>(mask->data)), stored);
}

TEST(Mask2, LayoutIsLittleEndianWithThirtyTwoByteHeader) {
  const Bytes out =
      WriteMask2(std::optional<RegionMask>(RegionMask{{1, 2, 300, 400}, {{1, 2, 300, 400}}}));
  ASSERT_EQ(out.size(), 4u + 32 + 16);
  EXPECT_EQ(out[0], 48);  // N = 32 + 16
  EXPECT_EQ(out[4], 32);  // header size
  EXPECT_EQ(out[8], 1);   // rectangle list
  EXPECT_EQ(out[12], 1);  // one rectangle
  EXPECT_EQ(out[16], 16);
  EXPECT_EQ(out[28], 300 & 0xff);
  EXPECT_EQ(out[29], 300 >> 8);
  EXPECT_EQ(out[36 + 12], 400 & 0xff);
  EXPECT_EQ(out[36 + 13], 400 >> 8);
}

TEST(Mask2, ZeroSizeMeansNoMaskAndReadsNothingMore) {
  Bytes stored{0, 0, 0, 0, 0xde, 0xad, 0xbe, 0xef};
  std::size_t consumed = 99;
  const auto mask = ReadMask2(stored, &consumed);
  ASSERT_TRUE(mask);
  EXPECT_EQ(consumed, 4u);
  EXPECT_TRUE(mask->data.empty());
  EXPECT_FALSE(mask->region);
  EXPECT_EQ(WriteMask2(std::optional<RegionMask>()), (Bytes{0, 0, 0, 0}));
}

TEST(Mask2, TruncatedOrNegativeSizesAreRejected) {
  std::string error;
  EXPECT_FALSE(ReadMask2(Bytes{1, 0}, nullptr, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(ReadMask2(Bytes{0xff, 0xff, 0xff, 0xff}, nullptr, &error));
  Bytes stored = Mask2Bytes(kCorner, {2, 1, 777, 579});
  stored.pop_back();
  std::size_t consumed = 7;
  EXPECT_FALSE(ReadMask2(stored, &consumed, &error));
  EXPECT_EQ(consumed, 0u);
}

TEST(Mask2, DataThatIsNoRectangleListBuildsNoRegion) {
  auto withWord = [](std::size_t offset, std::int32_t value) {
    Bytes b = Mask2Bytes(kCorner, {2, 1, 777, 579});
    for (int s = 0; s < 4; ++s)
      b[offset + s] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * s));
    return b;
  };
  const Bytes wrongHeader = withWord(4, 40);
  const Bytes wrongType = withWord(8, 2);
  const Bytes tooManyRects = withWord(12, 5);
  const Bytes hugeCount = withWord(12, 0x7fffffff);
  const Bytes negativeCount = withWord(12, -1);
  const Bytes invertedRect = withWord(36 + 8, 10);  // right 10 < left 14
  for (const Bytes* b :
       {&wrongHeader, &wrongType, &tooManyRects, &hugeCount, &negativeCount, &invertedRect}) {
    const auto mask = ReadMask2(*b);
    ASSERT_TRUE(mask);  // the value itself is complete
    EXPECT_FALSE(mask->region);
    EXPECT_EQ(mask->data.size(), b->size() - 4);
  }
  EXPECT_FALSE(ParseRegionData(Bytes(31, 0)));
}

TEST(RegionFromPixels, MergesEqualRowsIntoBands) {
  // A plus sign: 2 arm rows, 2 bar rows, 2 arm rows.
  const auto region =
      RegionFromPixels(6, 6, [](int x, int y) { return (y >= 2 && y < 4) || (x >= 2 && x < 4); });
  const std::vector<MaskRect> want{{2, 0, 4, 2}, {0, 2, 6, 4}, {2, 4, 4, 6}};
  EXPECT_EQ(region.rects, want);
  EXPECT_EQ(region.bounds, (MaskRect{0, 0, 6, 6}));
}

TEST(RegionFromPixels, SeveralRunsOnARowAreSortedByLeft) {
  const auto region =
      RegionFromPixels(7, 3, [](int x, int y) { return y == 1 && (x == 1 || x >= 4); });
  const std::vector<MaskRect> want{{1, 1, 2, 2}, {4, 1, 7, 2}};
  EXPECT_EQ(region.rects, want);
  EXPECT_EQ(region.bounds, (MaskRect{1, 1, 7, 2}));
}

TEST(RegionFromPixels, EmptyShapeHasNoRectangles) {
  const auto region = RegionFromPixels(5, 5, [](int, int) { return false; });
  EXPECT_TRUE(region.rects.empty());
  EXPECT_EQ(region.bounds, MaskRect{});
}

}  // namespace
}  // namespace tovix::chrome
