#include "shapes.h"

#include <algorithm>
#include <cmath>

namespace artwork {
namespace {

// Insets of a quarter circle of radius r, row d counted from the outer edge,
// sampled at pixel centres.
std::vector<int> Arc(int r) {
  std::vector<int> inset;
  for (int d = 0; d < r; ++d) {
    const double yc = r - d - 0.5;
    inset.push_back(static_cast<int>(std::lround(r - std::sqrt(std::max(0.0, r * r - yc * yc)))));
  }
  return inset;
}

int At(const std::vector<int>& table, int i) {
  return i >= 0 && i < static_cast<int>(table.size()) ? table[i] : 0;
}

Outline Build(int width, int height, int left, int top, int right, int bottom,
              const std::vector<int>& topLeft, const std::vector<int>& topRight,
              const std::vector<int>& bottomLeft, const std::vector<int>& bottomRight) {
  Outline o;
  o.width = width;
  o.height = height;
  o.top = top;
  for (int y = top; y < bottom; ++y) {
    const int t = y - top;
    const int b = bottom - 1 - y;
    const int li = std::max(At(topLeft, t), At(bottomLeft, b));
    const int ri = std::max(At(topRight, t), At(bottomRight, b));
    o.rows.push_back({left + li, right - ri});
  }
  return o;
}

}  // namespace

bool Outline::inside(int x, int y) const {
  const int i = y - top;
  if (i < 0 || i >= static_cast<int>(rows.size())) return false;
  return x >= rows[i].left && x < rows[i].right;
}

Outline MainOutline() {
  // The top corners start as a bevel and round off into the sides; the left
  // one is a little larger so the logo side reads heavier.
  const std::vector<int> topLeft{12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 3, 2, 2, 1, 1, 1};
  const std::vector<int> topRight{9, 8, 7, 6, 5, 4, 3, 2, 2, 1, 1, 1};
  const std::vector<int> bottom = Arc(82);
  return Build(779, 582, 2, 1, 777, 579, topLeft, topRight, bottom, bottom);
}

Outline ToolbarOutline() {
  const std::vector<int> corner = Arc(16);
  return Build(84, 304, 5, 9, 81, 299, corner, corner, corner, corner);
}

tovix::chrome::RegionMask MaskOf(const Outline& outline) {
  return tovix::chrome::RegionFromPixels(outline.width, outline.height,
                                         [&](int x, int y) { return outline.inside(x, y); });
}

}  // namespace artwork
