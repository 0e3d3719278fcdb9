#pragma once
// A sliding read buffer over a byte source, so the header search reads
// large blocks instead of one byte per call.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "mp3/bytesource.h"

namespace tovix {

class ChunkReader {
 public:
  explicit ChunkReader(ByteSource& source) : source_(source), size_(source.Size()) {}

  std::int64_t size() const { return size_; }

  // The buffered bytes from offset on, at least need of them unless the
  // source ends first (then fewer, possibly none). Reads ahead in blocks
  // that grow while a search runs on, so a file that starts with a frame
  // costs one small read. Throws IoError when the source fails.
  std::span<const std::uint8_t> At(std::int64_t offset, std::size_t need);

 private:
  ByteSource& source_;
  std::int64_t size_;
  std::vector<std::uint8_t> buf_;
  std::int64_t start_ = 0;
  std::size_t len_ = 0;
  std::size_t block_ = 4096;
};

}  // namespace tovix
