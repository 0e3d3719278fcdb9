// libFuzzer target: a stored window shape ("Mask2") and its region data.
#include <cstddef>
#include <cstdint>
#include <span>

#include "chrome/regiondata.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::span<const std::uint8_t> bytes(data, size);
  std::size_t consumed = 0;
  if (auto mask = tovix::chrome::ReadMask2(bytes, &consumed)) {
    if (consumed > size) __builtin_trap();
  }
  tovix::chrome::ParseRegionData(bytes);
  return 0;
}
