// libFuzzer target: the header search and the tag read over arbitrary
// bytes must stay inside them and never crash.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "mp3/mpegscan.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  tovix::MemorySource source(bytes);
  tovix::TMPEGData header;
  tovix::ReadMPEGData(source, header);
  tovix::TID3Tag tag;
  tovix::ReadID3Tag(source, tag);
  return 0;
}
