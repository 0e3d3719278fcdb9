#pragma once
// For parsers that read a file by name: the input written to one scratch
// file per fuzzing process, as the program would find it on disk.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace tovix::fuzz {

inline std::string WriteScratch(const std::uint8_t* data, std::size_t size, const char* extension) {
  static const std::string path = "/tmp/tovix-fuzz-" + std::to_string(getpid()) + extension;
  // A new file each time: ext4 writes a file truncated and rewritten out to
  // disk when it is closed, which made these targets a hundred times slower.
  unlink(path.c_str());
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) __builtin_trap();  // the fuzzer's own scratch space must work
  if (size && std::fwrite(data, 1, size, f) != size) __builtin_trap();
  std::fclose(f);
  return path;
}

}  // namespace tovix::fuzz
