#include "picture/bitmap.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/errortexts.h"
#include "platform/filesys.h"
#include "platform/ioerror.h"

namespace tovix {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
// Far beyond any background picture; keeps a forged header from asking for
// gigabytes before the data check can refuse it.
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 26;
constexpr std::int64_t kMaxSide = 32767;

std::string Message(const char* pattern, const std::string& path) {
  std::string text = pattern;
  text.replace(text.find("%s"), 2, path);
  return text;
}

std::string CannotOpen(const std::string& path) {
  return Message(
      "Datei %s kann nicht ge\xF6"
      "ffnet werden",
      path);
}

std::string CannotCreate(const std::string& path) {
  return Message("Datei %s kann nicht erstellt werden", path);
}

void Put16(std::string& out, std::size_t at, std::uint32_t v) {
  out[at] = static_cast<char>(v & 0xFF);
  out[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}

void Put32(std::string& out, std::size_t at, std::uint32_t v) {
  Put16(out, at, v & 0xFFFF);
  Put16(out, at + 2, v >> 16);
}

// Little-endian reads over a view whose length the caller has checked.
std::uint32_t Get16(std::string_view in, std::size_t at) {
  return static_cast<std::uint8_t>(in[at]) | (static_cast<std::uint8_t>(in[at + 1]) << 8);
}

std::uint32_t Get32(std::string_view in, std::size_t at) {
  return Get16(in, at) | (Get16(in, at + 2) << 16);
}

std::size_t RowStride(std::int64_t width, int bitsPerPixel) {
  return static_cast<std::size_t>((width * bitsPerPixel + 31) / 32 * 4);
}

std::size_t PixelBytes(const Bitmap& bitmap) {
  return static_cast<std::size_t>(bitmap.width) * static_cast<std::size_t>(bitmap.height) * 3;
}

// One channel described by a bit mask, scaled to 8 bits.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  int bits = 0;

  static Channel FromMask(std::uint32_t mask) {
    Channel c;
    c.mask = mask;
    if (mask == 0) return c;
    while (((mask >> c.shift) & 1) == 0) ++c.shift;
    while (c.shift + c.bits < 32 && ((mask >> (c.shift + c.bits)) & 1) != 0) ++c.bits;
    return c;
  }
  // A mask must be one unbroken run of bits.
  bool Valid() const {
    if (mask == 0) return false;
    const std::uint64_t run = ((std::uint64_t{1} << bits) - 1) << shift;
    return run == mask;
  }
  std::uint8_t Extract(std::uint32_t value) const {
    const std::uint32_t v = (value & mask) >> shift;
    if (bits >= 8) return static_cast<std::uint8_t>(v >> (bits - 8));
    const std::uint32_t max = (1u << bits) - 1;
    return static_cast<std::uint8_t>((v * 255 + max / 2) / max);
  }
};

struct Layout {
  std::int64_t width = 0;
  std::int64_t height = 0;  // positive; topDown tells the row order
  bool topDown = false;
  int bitsPerPixel = 0;
  std::array<Channel, 3> channels;                   // red, green, blue for 16 and 32 bits
  std::vector<std::array<std::uint8_t, 3>> palette;  // RGB
};

[[noreturn]] void Invalid() {
  throw BitmapError();
}

// Where the pixel rows of a BMP end, from the first bytes of the file; the
// limits are DecodeBmp's, so nothing it would refuse is read in full.
std::size_t BmpExtent(std::string_view head) {
  if (head.size() < kFileHeaderSize + 12 || head[0] != 'B' || head[1] != 'M') Invalid();
  const std::uint32_t dataOffset = Get32(head, 10);
  std::int64_t width, height;
  int bits;
  if (Get32(head, 14) == 12) {
    width = Get16(head, 18);
    height = Get16(head, 20);
    bits = static_cast<int>(Get16(head, 24));
  } else {
    if (head.size() < kFileHeaderSize + 16) Invalid();
    width = static_cast<std::int32_t>(Get32(head, 18));
    height = static_cast<std::int32_t>(Get32(head, 22));
    bits = static_cast<int>(Get16(head, 28));
  }
  if (height < 0) height = -height;
  if (dataOffset > head.size() || width <= 0 || height <= 0 || width > kMaxSide ||
      height > kMaxSide || width * height > kMaxPixels || bits <= 0 || bits > 32)
    Invalid();
  return dataOffset + RowStride(width, bits) * static_cast<std::size_t>(height);
}

Layout ReadLayout(std::string_view in, std::size_t& dataOffset) {
  if (in.size() < kFileHeaderSize + 12 || in[0] != 'B' || in[1] != 'M') Invalid();
  dataOffset = Get32(in, 10);
  const std::uint32_t headerSize = Get32(in, 14);
  const bool core = headerSize == 12;
  if (!core && headerSize < kInfoHeaderSize) Invalid();
  if (in.size() < kFileHeaderSize + headerSize) Invalid();

  Layout l;
  std::uint32_t compression = 0;
  std::uint32_t colorsUsed = 0;
  if (core) {
    l.width = Get16(in, 18);
    l.height = Get16(in, 20);
    if (Get16(in, 22) != 1) Invalid();
    l.bitsPerPixel = static_cast<int>(Get16(in, 24));
  } else {
    l.width = static_cast<std::int32_t>(Get32(in, 18));
    l.height = static_cast<std::int32_t>(Get32(in, 22));
    if (Get16(in, 26) != 1) Invalid();
    l.bitsPerPixel = static_cast<int>(Get16(in, 28));
    compression = Get32(in, 30);
    colorsUsed = Get32(in, 46);
  }
  if (l.height < 0) {
    l.topDown = true;
    l.height = -l.height;
  }
  if (l.width <= 0 || l.height <= 0 || l.width > kMaxSide || l.height > kMaxSide ||
      l.width * l.height > kMaxPixels) {
    Invalid();
  }

  std::size_t tableStart = kFileHeaderSize + headerSize;
  constexpr std::uint32_t kRgb = 0, kBitFields = 3;
  switch (l.bitsPerPixel) {
    case 1:
    case 4:
    case 8: {
      if (compression != kRgb) Invalid();
      const std::uint32_t maxColors = 1u << l.bitsPerPixel;
      const std::uint32_t count = colorsUsed == 0 ? maxColors : colorsUsed;
      if (count > maxColors) Invalid();
      const std::size_t entry = core ? 3 : 4;
      if (tableStart + count * entry > in.size()) Invalid();
      l.palette.resize(count);
      for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t at = tableStart + i * entry;
        l.palette[i] = {static_cast<std::uint8_t>(in[at + 2]),
                        static_cast<std::uint8_t>(in[at + 1]), static_cast<std::uint8_t>(in[at])};
      }
      tableStart += count * entry;
      break;
    }
    case 24:
      if (compression != kRgb) Invalid();
      break;
    case 16:
    case 32: {
      std::uint32_t masks[3];
      if (compression == kRgb) {
        if (l.bitsPerPixel == 16) {
          masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
        } else {
          masks[0] = 0xFF0000, masks[1] = 0x00FF00, masks[2] = 0x0000FF;
        }
      } else if (compression == kBitFields && !core) {
        // The masks follow a 40-byte header and lie inside the larger ones.
        const std::size_t at = kFileHeaderSize + kInfoHeaderSize;
        if (at + 12 > in.size()) Invalid();
        for (int i = 0; i < 3; ++i) masks[i] = Get32(in, at + 4 * static_cast<std::size_t>(i));
        if (headerSize == kInfoHeaderSize) tableStart += 12;
      } else {
        Invalid();
      }
      for (int i = 0; i < 3; ++i) {
        l.channels[i] = Channel::FromMask(masks[i]);
        if (!l.channels[i].Valid()) Invalid();
        if (l.bitsPerPixel == 16 && (masks[i] >> 16) != 0) Invalid();
      }
      break;
    }
    default:
      Invalid();
  }
  if (dataOffset < tableStart || dataOffset > in.size()) Invalid();
  // The last row may lack its padding; everything before it must be there.
  const std::size_t stride = RowStride(l.width, l.bitsPerPixel);
  const std::size_t lastRow = static_cast<std::size_t>((l.width * l.bitsPerPixel + 7) / 8);
  const std::size_t needed = stride * static_cast<std::size_t>(l.height - 1) + lastRow;
  if (in.size() - dataOffset < needed) Invalid();
  return l;
}

void DecodeRow(const Layout& l, const std::uint8_t* src, std::uint8_t* dst) {
  const auto width = static_cast<std::size_t>(l.width);
  switch (l.bitsPerPixel) {
    case 24:
      for (std::size_t x = 0; x < width; ++x, src += 3, dst += 3) {
        dst[0] = src[2];
        dst[1] = src[1];
        dst[2] = src[0];
      }
      return;
    case 16:
    case 32: {
      const std::size_t step = static_cast<std::size_t>(l.bitsPerPixel / 8);
      for (std::size_t x = 0; x < width; ++x, src += step, dst += 3) {
        std::uint32_t v = src[0] | (src[1] << 8);
        if (step == 4)
          v |= (static_cast<std::uint32_t>(src[2]) << 16) |
               (static_cast<std::uint32_t>(src[3]) << 24);
        for (int c = 0; c < 3; ++c) dst[c] = l.channels[c].Extract(v);
      }
      return;
    }
    default: {
      const int bits = l.bitsPerPixel;
      const int perByte = 8 / bits;
      const unsigned mask = (1u << bits) - 1;
      for (std::size_t x = 0; x < width; ++x, dst += 3) {
        const int slot = static_cast<int>(x % static_cast<std::size_t>(perByte));
        const unsigned index =
            (src[x / static_cast<std::size_t>(perByte)] >> (8 - bits * (slot + 1))) & mask;
        // An index past a short colour table shows black, as Windows does.
        if (index < l.palette.size()) {
          std::memcpy(dst, l.palette[index].data(), 3);
        } else {
          dst[0] = dst[1] = dst[2] = 0;
        }
      }
    }
  }
}

}  // namespace

BitmapError::BitmapError() : WordedError("Bitmap ist ung\xFCltig", str::kBitmapInvalid) {}

Bitmap MakeBitmap(int width, int height) {
  Bitmap b;
  if (width <= 0 || height <= 0) return b;
  b.width = width;
  b.height = height;
  b.pixels.assign(PixelBytes(b), 0);
  return b;
}

std::string EncodeBmp(const Bitmap& bitmap) {
  if (bitmap.empty() || bitmap.pixels.size() != PixelBytes(bitmap)) throw BitmapError();
  const std::size_t stride = RowStride(bitmap.width, 24);
  const std::size_t imageSize = stride * static_cast<std::size_t>(bitmap.height);
  const std::size_t offset = kFileHeaderSize + kInfoHeaderSize;
  if (offset + imageSize > 0xFFFFFFFFu) throw BitmapError();

  std::string out(offset + imageSize, '\0');
  out[0] = 'B';
  out[1] = 'M';
  Put32(out, 2, static_cast<std::uint32_t>(out.size()));
  Put32(out, 10, static_cast<std::uint32_t>(offset));
  Put32(out, 14, kInfoHeaderSize);
  Put32(out, 18, static_cast<std::uint32_t>(bitmap.width));
  Put32(out, 22, static_cast<std::uint32_t>(bitmap.height));  // positive: bottom-up
  Put16(out, 26, 1);
  Put16(out, 28, 24);
  Put32(out, 34, static_cast<std::uint32_t>(imageSize));
  // Compression, resolution and colour counts stay 0.

  const std::size_t rowBytes = static_cast<std::size_t>(bitmap.width) * 3;
  for (int y = 0; y < bitmap.height; ++y) {
    const std::uint8_t* src = bitmap.pixels.data() + static_cast<std::size_t>(y) * rowBytes;
    char* dst = out.data() + offset + static_cast<std::size_t>(bitmap.height - 1 - y) * stride;
    for (std::size_t x = 0; x < rowBytes; x += 3) {
      dst[x] = static_cast<char>(src[x + 2]);
      dst[x + 1] = static_cast<char>(src[x + 1]);
      dst[x + 2] = static_cast<char>(src[x]);
    }
  }
  return out;
}

Bitmap DecodeBmp(std::string_view bytes) {
  std::size_t dataOffset = 0;
  const Layout l = ReadLayout(bytes, dataOffset);
  Bitmap b = MakeBitmap(static_cast<int>(l.width), static_cast<int>(l.height));
  const std::size_t stride = RowStride(l.width, l.bitsPerPixel);
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data()) + dataOffset;
  const std::size_t rowBytes = static_cast<std::size_t>(l.width) * 3;
  for (std::int64_t y = 0; y < l.height; ++y) {
    const std::int64_t fileRow = l.topDown ? y : l.height - 1 - y;
    DecodeRow(l, data + static_cast<std::size_t>(fileRow) * stride,
              b.pixels.data() + static_cast<std::size_t>(y) * rowBytes);
  }
  return b;
}

int BmpBitsPerPixel(std::string_view bytes) {
  std::size_t dataOffset = 0;
  return ReadLayout(bytes, dataOffset).bitsPerPixel;
}

void WriteBmpFile(const std::string& path, const Bitmap& bitmap) {
  WriteFileReplacing(path, EncodeBmp(bitmap));
}

Bitmap ReadBmpFile(const std::string& path) {
  return DecodeBmp(ReadBmpBytes(path));
}

std::string ReadWholeFile(const std::string& path) {
  return ReadFileStart(path, std::string::npos);
}

std::string ReadFileStart(const std::string& path, std::size_t maxBytes) {
  std::int64_t size = 0;
  const int fd = platform::OpenRegularFile(path, O_RDONLY, &size);
  if (fd < 0) throw IoError(errno, CannotOpen(path), str::kFileCannotOpen, {path});
  std::string data;
  data.reserve(static_cast<std::size_t>(std::min<std::int64_t>(
      size, static_cast<std::int64_t>(std::min<std::size_t>(maxBytes, 1 << 26)))));
  char buffer[65536];
  int error = 0;
  while (data.size() < maxBytes) {
    const ssize_t n = read(fd, buffer, std::min(sizeof buffer, maxBytes - data.size()));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) error = errno;
    if (n <= 0) break;
    data.append(buffer, static_cast<std::size_t>(n));
  }
  close(fd);
  if (error) throw IoError(error, CannotOpen(path), str::kFileCannotOpen, {path});
  return data;
}

std::string ReadBmpBytes(const std::string& path) {
  constexpr std::size_t kHeadBytes = 65536;  // headers and the largest colour table
  std::string head = ReadFileStart(path, kHeadBytes);
  const std::size_t extent = BmpExtent(head);
  if (extent <= head.size()) {
    head.resize(extent);
    return head;
  }
  return ReadFileStart(path, extent);
}

void WriteFileReplacing(const std::string& path, std::string_view bytes) {
  if (const int error = platform::WriteFileWhole(path, bytes))
    throw IoError(error, CannotCreate(path), str::kFileCannotCreate, {path});
}

}  // namespace tovix
