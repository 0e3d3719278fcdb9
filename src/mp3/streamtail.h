#pragma once
// The last block of a file, read once: the tags after the audio (ID3v1,
// Lyrics3, APE, an ID3v2 tag with a footer) and the last frames before them.
#include <cstdint>
#include <span>
#include <vector>

#include "mp3/bytesource.h"

namespace tovix {

class StreamTail {
 public:
  // Reads the last bytes of source, no further back than audioStart (the
  // end of the leading tags). Throws IoError when the read fails.
  StreamTail(ByteSource& source, std::int64_t audioStart);

  // Where the audio ends: the file's size less the tags that end it. Tags
  // whose end marks lie before the block read are not seen.
  std::int64_t audioEnd() const { return audioEnd_; }
  // Offset of the first byte held, and the bytes from there to the audio end.
  std::int64_t start() const { return start_; }
  std::span<const std::uint8_t> audio() const;

 private:
  std::int64_t TagBefore(std::int64_t end, std::int64_t audioStart) const;
  bool Has(std::int64_t at, const char* text) const;

  std::vector<std::uint8_t> bytes_;
  std::int64_t start_ = 0;
  std::int64_t audioEnd_ = 0;
};

}  // namespace tovix
