#include "platform/flagwait.h"

#include <linux/futex.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <climits>
#include <cstdint>
#include <ctime>

namespace tovix::platform {
namespace {

bool IsSet(FlagWord* flag) {
  return std::atomic_ref<std::uint8_t>(flag->bytes[0]).load(std::memory_order_acquire) != 0;
}

}  // namespace

bool WaitForFlag(FlagWord* flag, int timeoutMs) {
  using Clock = std::chrono::steady_clock;
  const auto limit = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!IsSet(flag)) {
    const auto left = limit - Clock::now();
    if (left <= Clock::duration::zero()) return false;
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
    timespec wait{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
    // The kernel sleeps only while the word is still 0, so a flag set
    // between the check above and this call is not missed.
    syscall(SYS_futex, reinterpret_cast<std::uint32_t*>(flag->bytes), FUTEX_WAIT_PRIVATE, 0u, &wait,
            nullptr, 0);
  }
  return true;
}

void WakeFlagWaiters(const std::uint8_t* flag) {
  const auto word = reinterpret_cast<std::uintptr_t>(flag) & ~std::uintptr_t{3};
  syscall(SYS_futex, reinterpret_cast<std::uint32_t*>(word), FUTEX_WAKE_PRIVATE, INT_MAX, nullptr,
          nullptr, 0);
}

}  // namespace tovix::platform
