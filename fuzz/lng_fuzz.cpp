// libFuzzer target: the language file, read as the program reads it.
#include <cstddef>
#include <cstdint>

#include "fuzzfile.h"
#include "lang/sprachen.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tovix::LoadLanguageFile(tovix::fuzz::WriteScratch(data, size, ".lng"));
  return 0;
}
