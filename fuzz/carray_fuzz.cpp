// libFuzzer target: c2bin's C-array parser.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "carrayparser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    tovix::c2bin::ParseCArray(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const tovix::c2bin::ParseError&) {
  }
  return 0;
}
