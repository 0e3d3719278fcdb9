#include "chrome/regiondata.h"

#include <algorithm>
#include <limits>

namespace tovix::chrome {
namespace {

std::int32_t ReadInt32(std::span<const std::uint8_t> bytes, std::size_t offset) {
  const std::uint32_t value =
      std::uint32_t{bytes[offset]} | (std::uint32_t{bytes[offset + 1]} << 8) |
      (std::uint32_t{bytes[offset + 2]} << 16) | (std::uint32_t{bytes[offset + 3]} << 24);
  return static_cast<std::int32_t>(value);
}

void AppendInt32(std::vector<std::uint8_t>& out, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<std::uint8_t>(bits >> shift));
}

MaskRect ReadRect(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return {ReadInt32(bytes, offset), ReadInt32(bytes, offset + 4), ReadInt32(bytes, offset + 8),
          ReadInt32(bytes, offset + 12)};
}

void AppendRect(std::vector<std::uint8_t>& out, const MaskRect& r) {
  AppendInt32(out, r.left);
  AppendInt32(out, r.top);
  AppendInt32(out, r.right);
  AppendInt32(out, r.bottom);
}

void Fail(std::string* error, const char* reason) {
  if (error) *error = reason;
}

}  // namespace

std::optional<RegionMask> ParseRegionData(std::span<const std::uint8_t> data) {
  if (data.size() < static_cast<std::size_t>(kRegionHeaderSize)) return std::nullopt;
  if (ReadInt32(data, 0) != kRegionHeaderSize || ReadInt32(data, 4) != kRegionRectangles)
    return std::nullopt;
  const std::int32_t count = ReadInt32(data, 8);
  if (count < 0) return std::nullopt;
  // The rectangles must fit in the data that was stored; the size field at
  // offset 12 is advisory, as it is for the window system.
  const std::size_t room = (data.size() - kRegionHeaderSize) / 16;
  if (static_cast<std::size_t>(count) > room) return std::nullopt;

  RegionMask region;
  region.bounds = ReadRect(data, 16);
  region.rects.reserve(static_cast<std::size_t>(count));
  for (std::int32_t i = 0; i < count; ++i) {
    const MaskRect r = ReadRect(data, kRegionHeaderSize + 16 * static_cast<std::size_t>(i));
    if (r.left >= r.right || r.top >= r.bottom) return std::nullopt;
    region.rects.push_back(r);
  }
  return region;
}

std::vector<std::uint8_t> EncodeRegionData(const RegionMask& region) {
  std::vector<std::uint8_t> out;
  const auto count = static_cast<std::int32_t>(region.rects.size());
  out.reserve(kRegionHeaderSize + 16 * region.rects.size());
  AppendInt32(out, kRegionHeaderSize);
  AppendInt32(out, kRegionRectangles);
  AppendInt32(out, count);
  AppendInt32(out, 16 * count);
  AppendRect(out, region.bounds);
  for (const MaskRect& r : region.rects) AppendRect(out, r);
  return out;
}

std::optional<Mask2> ReadMask2(std::span<const std::uint8_t> bytes, std::size_t* consumed,
                               std::string* error) {
  if (consumed) *consumed = 0;
  if (bytes.size() < 4) {
    Fail(error, "mask data ends before its size");
    return std::nullopt;
  }
  const std::int32_t size = ReadInt32(bytes, 0);
  if (size < 0) {
    Fail(error, "mask size is negative");
    return std::nullopt;
  }
  if (static_cast<std::size_t>(size) > bytes.size() - 4) {
    Fail(error, "mask data ends early");
    return std::nullopt;
  }
  Mask2 mask;
  const auto data = bytes.subspan(4, static_cast<std::size_t>(size));
  mask.data.assign(data.begin(), data.end());
  if (size > 0) mask.region = ParseRegionData(data);
  if (consumed) *consumed = 4 + static_cast<std::size_t>(size);
  return mask;
}

std::vector<std::uint8_t> WriteMask2(std::span<const std::uint8_t> data) {
  std::vector<std::uint8_t> out;
  out.reserve(4 + data.size());
  AppendInt32(out, static_cast<std::int32_t>(data.size()));
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

std::vector<std::uint8_t> WriteMask2(const std::optional<RegionMask>& region) {
  if (!region) return WriteMask2(std::span<const std::uint8_t>{});
  const std::vector<std::uint8_t> data = EncodeRegionData(*region);
  return WriteMask2(std::span<const std::uint8_t>(data));
}

RegionMask RegionFromPixels(int width, int height,
                            const std::function<bool(int x, int y)>& inside) {
  RegionMask region;
  std::vector<std::pair<int, int>> bandRuns;  // runs of the open band
  int bandTop = 0;
  bool first = true;
  std::int32_t minX = std::numeric_limits<std::int32_t>::max();
  std::int32_t maxX = std::numeric_limits<std::int32_t>::min();
  std::int32_t minY = 0;
  std::int32_t maxY = 0;

  auto closeBand = [&](int bottom) {
    if (bandRuns.empty()) return;
    for (const auto& [l, r] : bandRuns) region.rects.push_back({l, bandTop, r, bottom});
    if (first) minY = bandTop;
    first = false;
    maxY = bottom;
  };

  for (int y = 0; y <= height; ++y) {
    std::vector<std::pair<int, int>> runs;
    if (y < height) {
      for (int x = 0; x < width;) {
        if (!inside(x, y)) {
          ++x;
          continue;
        }
        const int start = x;
        while (x < width && inside(x, y)) ++x;
        runs.emplace_back(start, x);
        minX = std::min(minX, start);
        maxX = std::max(maxX, x);
      }
    }
    if (y < height && runs == bandRuns) continue;
    closeBand(y);
    bandRuns = std::move(runs);
    bandTop = y;
  }
  if (!region.rects.empty()) region.bounds = {minX, minY, maxX, maxY};
  return region;
}

}  // namespace tovix::chrome
