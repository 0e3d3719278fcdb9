#pragma once
// The stored window shape ("Mask2"): a rectangle list in the window system's
// region-data layout, read and written byte for byte. No Qt here, so tests
// and the artwork tool use it directly.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tovix::chrome {

// One rectangle; right and bottom are exclusive.
struct MaskRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  friend bool operator==(const MaskRect&, const MaskRect&) = default;
};

// A region as the window system stores it: bounding box and the rectangles
// in horizontal bands, sorted by top, then left.
struct RegionMask {
  MaskRect bounds;
  std::vector<MaskRect> rects;
  friend bool operator==(const RegionMask&, const RegionMask&) = default;
};

// Size of the region header that precedes the rectangles.
inline constexpr std::int32_t kRegionHeaderSize = 32;
// Region type of a rectangle list.
inline constexpr std::int32_t kRegionRectangles = 1;

// A "Mask2" value: the N bytes of region data exactly as stored (empty when
// N is 0) and the region built from them (nullopt when N is 0 or the bytes
// are no valid rectangle list, which leaves the window rectangular).
struct Mask2 {
  std::vector<std::uint8_t> data;
  std::optional<RegionMask> region;
};

// Builds the region from region data (the N bytes after the size). nullopt
// when the header is not that of a rectangle list, the count does not fit
// the size, or a rectangle is empty or inverted.
std::optional<RegionMask> ParseRegionData(std::span<const std::uint8_t> data);

// The region data (32-byte header, then 16 bytes per rectangle) of a region.
std::vector<std::uint8_t> EncodeRegionData(const RegionMask& region);

// Reads a "Mask2" value from the front of bytes: 4 bytes N, then N bytes.
// nullopt, with a reason in *error, when the bytes end early or N is
// negative. *consumed gets the bytes read (4 + N).
std::optional<Mask2> ReadMask2(std::span<const std::uint8_t> bytes, std::size_t* consumed = nullptr,
                               std::string* error = nullptr);

// The stored form: N as 4 bytes, then the data (4 zero bytes for no mask).
std::vector<std::uint8_t> WriteMask2(std::span<const std::uint8_t> data);
// The stored form of a region (its encoded data), or 4 zero bytes for none.
std::vector<std::uint8_t> WriteMask2(const std::optional<RegionMask>& region);

// Builds the banded region of a shape given pixel by pixel: inside(x, y)
// for 0 <= x < width, 0 <= y < height. Runs of inside pixels on a row become
// rectangles; rows with the same runs merge into one band, as the window
// system merges them.
RegionMask RegionFromPixels(int width, int height, const std::function<bool(int x, int y)>& inside);

}  // namespace tovix::chrome
