// The scaler of the TV sheet reads only the picture it is given. Every
// block this program allocates ends at a page that may not be touched, so
// one byte read beyond a picture's pixels ends the test.
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <new>

#include "disc/mpeg2decode.h"

// Each block ends at a page that may not be touched; the mapping's length
// stands at its start, the page below the block's header room.
namespace {
std::size_t PageSize() {
  return static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}
}  // namespace

void* operator new(std::size_t size) {
  const std::size_t page = PageSize();
  const std::size_t rounded = (size + 15) / 16 * 16 + 16;
  const std::size_t length = (rounded + page - 1) / page * page + page;
  void* base = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (base == MAP_FAILED) throw std::bad_alloc();
  *static_cast<std::size_t*>(base) = length;
  char* guard = static_cast<char*>(base) + length - page;
  mprotect(guard, page, PROT_NONE);
  return guard - rounded + 16;
}

void operator delete(void* p) noexcept {
  if (!p) return;
  const std::uintptr_t base = (reinterpret_cast<std::uintptr_t>(p) - 16) & ~(PageSize() - 1);
  munmap(reinterpret_cast<void*>(base), *reinterpret_cast<std::size_t*>(base));
}

void operator delete(void* p, std::size_t) noexcept {
  operator delete(p);
}

namespace tovix {
namespace {

TEST(ScaleBitmap, ReadsAndWritesOnlyThePicturesItIsGiven) {
  struct Case {
    int fromWidth, fromHeight, toWidth, toHeight;
  };
  // Sizes whose pixels fill whole 16-byte units, so each block ends right
  // at its guard page: the sheet's .BIN to TV size, a small one grown.
  for (const Case c : {Case{704, 480, 640, 480}, Case{640, 480, 704, 480}, Case{16, 16, 32, 16},
                       Case{16, 32, 640, 480}}) {
    SCOPED_TRACE(std::to_string(c.fromWidth) + " x " + std::to_string(c.fromHeight));
    Bitmap picture = MakeBitmap(c.fromWidth, c.fromHeight);
    // White with a red 8 x 8 corner at the end: the scaled corner shows it.
    std::fill(picture.pixels.begin(), picture.pixels.end(), 255);
    for (int y = c.fromHeight - 8; y < c.fromHeight; ++y)
      for (int x = c.fromWidth - 8; x < c.fromWidth; ++x) {
        const std::size_t at = (static_cast<std::size_t>(y) * c.fromWidth + x) * 3;
        picture.pixels[at + 1] = picture.pixels[at + 2] = 0;
      }
    const Bitmap scaled = ScaleBitmap(picture, c.toWidth, c.toHeight);
    ASSERT_EQ(scaled.pixels.size(), static_cast<std::size_t>(c.toWidth) * c.toHeight * 3);
    const std::uint8_t* corner = &scaled.pixels[scaled.pixels.size() - 3];
    EXPECT_GT(corner[0], 200);
    EXPECT_LT(corner[2], 60);
    EXPECT_EQ(scaled.pixels[0], 255);
  }
}

}  // namespace
}  // namespace tovix
