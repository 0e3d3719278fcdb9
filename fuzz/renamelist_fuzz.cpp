// libFuzzer target: the rename list file, read as the program reads it.
#include <cstddef>
#include <cstdint>

#include "fuzzfile.h"
#include "platform/ioerror.h"
#include "rename/renamelist.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    tovix::ReadRenameListFile(tovix::fuzz::WriteScratch(data, size, ".txt"));
  } catch (const tovix::IoError&) {
  }
  return 0;
}
