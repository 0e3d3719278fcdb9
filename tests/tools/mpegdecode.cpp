#include "mpegdecode.h"

#include <cmath>

namespace tovix::test {

double Psnr(const Bitmap& a, const Bitmap& b) {
  if (a.pixels.size() != b.pixels.size() || a.pixels.empty()) return 0;
  double sum = 0;
  for (std::size_t i = 0; i < a.pixels.size(); ++i) {
    const double d = a.pixels[i] - b.pixels[i];
    sum += d * d;
  }
  const double mse = sum / static_cast<double>(a.pixels.size());
  return mse == 0 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 / mse);
}

}  // namespace tovix::test
