#pragma once
// Geometry of the song picture: where the background lands in each scale
// mode, the tiles, the overscan bars and the label position answers.
// Pure functions; coordinates are pixels of the preview area.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tovix::picture {

// The song picture is the top-left part of the slightly larger preview area.
inline constexpr int kPictureWidth = 704;
inline constexpr int kPictureHeight = 480;
inline constexpr int kPreviewWidth = 710;
inline constexpr int kPreviewHeight = 481;

// Scale modes as stored in the settings byte "Scale".
inline constexpr std::uint8_t kModeFullSize = 0;
inline constexpr std::uint8_t kModeScale = 1;
inline constexpr std::uint8_t kModeRescale = 2;
inline constexpr std::uint8_t kModeCenter = 3;
inline constexpr std::uint8_t kModeTile = 4;

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// Mode 0: natural size at (0, 0).
Rect PlaceFullSize(int width, int height);
// Mode 1: shrunk, then grown, by equal pixel counts on both sides until it
// meets 704 or 480, flush with the right edge. A size that would shrink
// below zero is shown with size 0.
Rect PlaceScaled(int width, int height);
// Mode 2: the area inside the four bars of margin m.
Rect PlaceInsideOverscan(int margin);
// Mode 3: natural size, centred on (352, 240).
Rect PlaceCentred(int width, int height);
// Mode 4: top-left corners of the tiles over 704 x 480, row by row. Empty
// for a picture without width or height (nothing to tile).
std::vector<Point> TileOrigins(int width, int height);

// Where a width x height picture lands in mode: one of the placements
// above, the whole picture area for mode 4 (its tiles), nullopt for a mode
// that is none of the five.
std::optional<Rect> PlaceBackground(std::uint8_t mode, int width, int height, int margin);
// Modes 1 and 2 stretch the picture to its place; the others show it at
// natural size, cut at the place's edges.
bool Stretched(std::uint8_t mode);

// The four black bars of margin m: top, bottom, left, right. The side bars
// span the height between the top and bottom bars.
struct OverscanBars {
  Rect top;
  Rect bottom;
  Rect left;
  Rect right;
};
OverscanBars PlaceOverscanBars(int margin);

// The default answer of the position prompt: "Left:Top".
std::string FormatPosition(int left, int top);
// X is the integer before the first ':', Y the integer formed by at most
// three characters after it ("100:1234" gives 100, 123). nullopt unless
// both parse.
std::optional<Point> ParsePosition(std::string_view answer);

}  // namespace tovix::picture
