#pragma once
// The outlines of the two skins, row by row, and the masks built from them.
#include <vector>

#include "chrome/regiondata.h"

namespace artwork {

// The inside of one row of an outline: [left, right), or empty.
struct RowSpan {
  int left = 0;
  int right = 0;
};

struct Outline {
  int width = 0;              // picture width
  int height = 0;             // picture height
  int top = 0;                // first row inside
  std::vector<RowSpan> rows;  // rows top, top + 1, ...
  bool inside(int x, int y) const;
};

// The main face: small corners on top, wide rounded ones at the bottom.
Outline MainOutline();
// The toolbar: a narrow bar with equal rounded corners.
Outline ToolbarOutline();

tovix::chrome::RegionMask MaskOf(const Outline& outline);

}  // namespace artwork
