#include "picture/layout.h"

#include <algorithm>
#include <charconv>

namespace tovix::picture {

Rect PlaceFullSize(int width, int height) {
  return {0, 0, width, height};
}

Rect PlaceScaled(int width, int height) {
  // Shrinking one pixel a side at a time while either side is too large is
  // the same as shrinking both by the larger excess.
  const int excess = std::max({width - kPictureWidth, height - kPictureHeight, 0});
  int w = width - excess;
  int h = height - excess;
  // Grow two pixels a side, at least once, until one side reaches the edge.
  const int steps =
      std::max(1, std::min((kPictureHeight - h + 1) / 2, (kPictureWidth - w + 1) / 2));
  w += 2 * steps;
  h += 2 * steps;
  return {kPictureWidth - w, 0, std::max(w, 0), std::max(h, 0)};
}

Rect PlaceInsideOverscan(int margin) {
  return {margin, margin, std::max(kPreviewWidth - 2 * margin, 0),
          std::max(kPreviewHeight - 2 * margin, 0)};
}

Rect PlaceCentred(int width, int height) {
  return {kPictureWidth / 2 - width / 2, kPictureHeight / 2 - height / 2, width, height};
}

std::vector<Point> TileOrigins(int width, int height) {
  std::vector<Point> origins;
  if (width <= 0 || height <= 0) return origins;
  for (int y = 0; y < kPictureHeight; y += height)
    for (int x = 0; x < kPictureWidth; x += width) origins.push_back({x, y});
  return origins;
}

std::optional<Rect> PlaceBackground(std::uint8_t mode, int width, int height, int margin) {
  switch (mode) {
    case kModeFullSize:
      return PlaceFullSize(width, height);
    case kModeScale:
      return PlaceScaled(width, height);
    case kModeRescale:
      return PlaceInsideOverscan(margin);
    case kModeCenter:
      return PlaceCentred(width, height);
    case kModeTile:
      return Rect{0, 0, kPictureWidth, kPictureHeight};
    default:
      return std::nullopt;
  }
}

bool Stretched(std::uint8_t mode) {
  return mode == kModeScale || mode == kModeRescale;
}

OverscanBars PlaceOverscanBars(int margin) {
  const int m = std::max(margin, 0);
  const int sideHeight = std::max(kPreviewHeight - 2 * m, 0);
  return {{0, 0, kPreviewWidth, m},
          {0, kPreviewHeight - m, kPreviewWidth, m},
          {0, m, m, sideHeight},
          {kPreviewWidth - m, m, m, sideHeight}};
}

std::string FormatPosition(int left, int top) {
  return std::to_string(left) + ":" + std::to_string(top);
}

namespace {

// A decimal integer with optional leading blanks and sign, nothing after.
std::optional<int> ParseInt(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() && text[start] == ' ') ++start;
  text.remove_prefix(start);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

std::optional<Point> ParsePosition(std::string_view answer) {
  const std::size_t colon = answer.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  const auto x = ParseInt(answer.substr(0, colon));
  const auto y = ParseInt(answer.substr(colon + 1, 3));
  if (!x || !y) return std::nullopt;
  return Point{*x, *y};
}

}  // namespace tovix::picture
