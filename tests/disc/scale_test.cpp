// The scaler of the TV sheet reads only the picture it is given. Every
// larger block this program allocates ends at a page that may not be
// touched, so one byte read beyond a picture's pixels ends the test.
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <new>

#include "disc/mpeg2decode.h"

namespace {

constexpr std::size_t kGuardFrom = 512;  // smaller blocks come from malloc
constexpr int kSlots = 256;

struct Guarded {
  void* block = nullptr;
  void* base = nullptr;
  std::size_t length = 0;
};
Guarded slots[kSlots];
std::mutex slotsLock;

void* GuardedBlock(std::size_t size) {
  const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  const std::size_t rounded = (size + 15) / 16 * 16;
  const std::size_t length = (rounded + page - 1) / page * page + page;
  void* base = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (base == MAP_FAILED) throw std::bad_alloc();
  char* guard = static_cast<char*>(base) + length - page;
  mprotect(guard, page, PROT_NONE);
  void* block = guard - rounded;
  std::lock_guard<std::mutex> lock(slotsLock);
  for (Guarded& slot : slots)
    if (!slot.block) {
      slot = {block, base, length};
      return block;
    }
  std::abort();  // more live blocks than the test ever makes
}

}  // namespace

void* operator new(std::size_t size) {
  if (size >= kGuardFrom) return GuardedBlock(size);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}

namespace {

void Release(void* p) {
  if (!p) return;
  {
    std::lock_guard<std::mutex> lock(slotsLock);
    for (Guarded& slot : slots)
      if (slot.block == p) {
        munmap(slot.base, slot.length);
        slot = {};
        return;
      }
  }
  std::free(p);
}

}  // namespace

void operator delete(void* p) noexcept {
  Release(p);
}

void operator delete(void* p, std::size_t) noexcept {
  Release(p);
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
