// libFuzzer target: the skip over leading ID3v2 tags stays inside the bytes
// and always moves forward.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "mp3/mpegscan.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tovix::MemorySource source(std::string_view(reinterpret_cast<const char*>(data), size));
  const std::int64_t after = tovix::SkipID3v2Tags(source);
  if (after < 0) __builtin_trap();
  return 0;
}
