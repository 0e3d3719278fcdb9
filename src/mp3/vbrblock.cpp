#include "mp3/vbrblock.h"

#include <cctype>
#include <cstring>

namespace tovix {
namespace {

std::uint32_t Be(std::span<const std::uint8_t> b, std::size_t at, int bytes) {
  std::uint32_t n = 0;
  for (int i = 0; i < bytes; ++i) n = (n << 8) | b[at + static_cast<std::size_t>(i)];
  return n;
}

bool Has(std::span<const std::uint8_t> b, std::size_t at, const char* text) {
  const std::size_t n = std::strlen(text);
  return at + n <= b.size() && std::memcmp(b.data() + at, text, n) == 0;
}

// Where the Xing block follows the side information, which is shorter for
// one channel and for MPEG-2 and 2.5.
std::size_t XingOffset(const TMPEGData& h) {
  const bool mono = h.Mode == 3;
  const std::size_t side = h.Version == 1 ? (mono ? 17 : 32) : (mono ? 9 : 17);
  return 4 + (h.NoCrc ? 0 : 2) + side;
}

// lame's tag after the Xing fields: nine characters of encoder name, and
// at 21 the encoder delay and padding, twelve bits each.
void ReadLameTag(std::span<const std::uint8_t> b, std::size_t at, VbrBlock& block) {
  if (at + 24 > b.size()) return;
  std::string name;
  for (std::size_t i = 0; i < 9; ++i) {
    const std::uint8_t c = b[at + i];
    if (c < 0x20 || c > 0x7E) break;
    name += static_cast<char>(c);
  }
  while (!name.empty() && name.back() == ' ') name.pop_back();
  const bool letters = name.size() >= 4 && std::isalpha(static_cast<unsigned char>(name[0])) &&
                       std::isalpha(static_cast<unsigned char>(name[1]));
  if (!letters) return;  // zeros or noise: no tag
  block.encoder = name;
  block.delay = static_cast<int>((b[at + 21] << 4) | (b[at + 22] >> 4));
  block.padding = static_cast<int>(((b[at + 22] & 0x0F) << 8) | b[at + 23]);
}

bool ReadXing(std::span<const std::uint8_t> b, std::size_t at, VbrBlock& block) {
  const bool xing = Has(b, at, "Xing");
  if (!xing && !Has(b, at, "Info")) return false;
  if (at + 8 > b.size()) return false;
  const std::uint32_t flags = Be(b, at + 4, 4);
  std::size_t pos = at + 8;
  auto field = [&](std::uint32_t bit, std::size_t width, std::uint32_t* out) {
    if (!(flags & bit)) return true;
    if (pos + width > b.size()) return false;
    if (out) *out = Be(b, pos, 4);
    pos += width;
    return true;
  };
  if (!field(1, 4, &block.frames) || !field(2, 4, &block.bytes) || !field(4, 100, nullptr) ||
      !field(8, 4, nullptr))
    return false;
  block.kind = xing ? VbrBlock::Kind::kXing : VbrBlock::Kind::kInfo;
  ReadLameTag(b, pos, block);
  return true;
}

}  // namespace

VbrBlock ReadVbrBlock(std::span<const std::uint8_t> frame, const TMPEGData& header) {
  VbrBlock block;
  if (header.Layer != 3) return block;
  // Some writers leave the CRC word out of the count: try both places.
  if (ReadXing(frame, XingOffset(header), block)) return block;
  if (!header.NoCrc) {
    TMPEGData noCrc = header;
    noCrc.NoCrc = true;
    if (ReadXing(frame, XingOffset(noCrc), block)) return block;
  }
  block = VbrBlock{};
  // Fraunhofer's block always stands 32 bytes after the header.
  if (Has(frame, 36, "VBRI") && frame.size() >= 36 + 18) {
    block.kind = VbrBlock::Kind::kVbri;
    block.bytes = Be(frame, 36 + 10, 4);
    block.frames = Be(frame, 36 + 14, 4);
  }
  return block;
}

}  // namespace tovix
