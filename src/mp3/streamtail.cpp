#include "mp3/streamtail.h"

#include <algorithm>
#include <cstring>

namespace tovix {
namespace {

// Enough for the ID3v1 tag, a short Lyrics3 or APE tag and a few frames.
constexpr std::int64_t kTailBlock = 4096;

}  // namespace

StreamTail::StreamTail(ByteSource& source, std::int64_t audioStart) {
  const std::int64_t size = source.Size();
  start_ = std::max(audioStart, size - kTailBlock);
  if (start_ < 0) start_ = 0;
  bytes_.resize(static_cast<std::size_t>(size > start_ ? size - start_ : 0));
  bytes_.resize(source.Read(start_, bytes_.data(), bytes_.size()));
  std::int64_t end = start_ + static_cast<std::int64_t>(bytes_.size());
  for (std::int64_t before = TagBefore(end, audioStart); before < end;
       before = TagBefore(end, audioStart))
    end = before;
  audioEnd_ = end;
}

std::span<const std::uint8_t> StreamTail::audio() const {
  // A large tag may end the audio before the bytes read begin.
  if (audioEnd_ <= start_) return {};
  return {bytes_.data(), static_cast<std::size_t>(audioEnd_ - start_)};
}

bool StreamTail::Has(std::int64_t at, const char* text) const {
  const auto n = static_cast<std::int64_t>(std::strlen(text));
  return at >= start_ && at + n <= start_ + static_cast<std::int64_t>(bytes_.size()) &&
         std::memcmp(bytes_.data() + (at - start_), text, static_cast<std::size_t>(n)) == 0;
}

// The start of a tag that ends at end, or end when none does. A tag is
// only taken whole and after the audio's start.
std::int64_t StreamTail::TagBefore(std::int64_t end, std::int64_t audioStart) const {
  auto at = [this](std::int64_t offset) {
    return bytes_[static_cast<std::size_t>(offset - start_)];
  };
  auto little32 = [&at](std::int64_t offset) {
    return std::int64_t{at(offset)} | std::int64_t{at(offset + 1)} << 8 |
           std::int64_t{at(offset + 2)} << 16 | std::int64_t{at(offset + 3)} << 24;
  };
  auto inside = [&](std::int64_t from) { return from >= audioStart && from < end ? from : end; };

  if (Has(end - 128, "TAG")) return inside(end - 128);
  if (Has(end - 32, "APETAGEX")) {
    // The size counts the items and this footer; a header may stand before them.
    const std::int64_t footer = end - 32;
    std::int64_t size = little32(footer + 12);
    if (little32(footer + 20) & 0x80000000) size += 32;
    return size >= 32 ? inside(end - size) : end;
  }
  if (Has(end - 9, "LYRICS200") && end - 15 >= start_) {
    std::int64_t n = 0;
    for (std::int64_t i = end - 15; i < end - 9; ++i) {
      if (at(i) < '0' || at(i) > '9') return end;
      n = n * 10 + (at(i) - '0');
    }
    const std::int64_t from = end - 15 - n;
    // Where the block's start lies in the bytes read, it must say so.
    if (from >= start_ && !Has(from, "LYRICSBEGIN")) return end;
    return inside(from);
  }
  if (Has(end - 9, "LYRICSEND")) {
    // Version 1 has no size: its start is the last "LYRICSBEGIN" before.
    for (std::int64_t from = end - 9 - 11; from >= start_; --from)
      if (Has(from, "LYRICSBEGIN")) return inside(from);
    return end;
  }
  if (Has(end - 10, "3DI") && at(end - 7) != 0xFF) {
    std::int64_t size = 0;
    for (std::int64_t i = end - 4; i < end; ++i) {
      if (at(i) & 0x80) return end;
      size = size << 7 | at(i);
    }
    return inside(end - size - 20);
  }
  return end;
}

}  // namespace tovix
