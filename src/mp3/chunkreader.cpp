#include "mp3/chunkreader.h"

#include <algorithm>
#include <cstring>

namespace tovix {
namespace {
constexpr std::size_t kMaxBlock = std::size_t{1} << 20;
}

std::span<const std::uint8_t> ChunkReader::At(std::int64_t offset, std::size_t need) {
  if (offset < 0 || offset >= size_) return {};
  const std::int64_t end = start_ + static_cast<std::int64_t>(len_);
  if (offset >= start_ && offset + static_cast<std::int64_t>(need) <= end)
    return {buf_.data() + (offset - start_), static_cast<std::size_t>(end - offset)};

  // Keep the tail that is still wanted, so reading stays sequential.
  std::size_t keep = 0;
  if (offset >= start_ && offset < end) {
    keep = static_cast<std::size_t>(end - offset);
    std::memmove(buf_.data(), buf_.data() + (offset - start_), keep);
  }
  std::size_t want = std::max(block_, need);
  std::int64_t left = size_ - offset;
  if (static_cast<std::int64_t>(want) > left) want = static_cast<std::size_t>(left);
  if (buf_.size() < want) buf_.resize(want);
  block_ = std::min(block_ * 2, kMaxBlock);

  start_ = offset;
  len_ = keep;
  while (len_ < want) {
    std::size_t got =
        source_.Read(start_ + static_cast<std::int64_t>(len_), buf_.data() + len_, want - len_);
    if (got == 0) break;
    len_ += got;
  }
  return {buf_.data(), len_};
}

}  // namespace tovix
