#pragma once
// Waiting for a flag that another thread sets, without polling: the flag is
// the first byte of a 4-byte aligned word whose other bytes stay zero, and
// the setter wakes the waiters on that word once the flag is set.
#include <cstdint>

namespace tovix::platform {

// Storage for such a flag: byte 0 is the flag.
struct alignas(4) FlagWord {
  std::uint8_t bytes[4] = {0, 0, 0, 0};
};

// Waits until flag->bytes[0] is set or timeoutMs has passed; true when set.
bool WaitForFlag(FlagWord* flag, int timeoutMs);

// Wakes whoever waits on the word that holds *flag (after the flag has been
// set). Harmless for a byte that lies in no FlagWord.
void WakeFlagWaiters(const std::uint8_t* flag);

}  // namespace tovix::platform
