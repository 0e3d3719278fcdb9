#include "recode/wavstereo.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/filecopy.h"
#include "platform/filesys.h"

namespace tovix {
namespace {

std::uint32_t Le32(const unsigned char* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint16_t Le16(const unsigned char* p) {
  return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}
void Put32(unsigned char* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}
void Put16(unsigned char* p, std::uint16_t v) {
  p[0] = static_cast<unsigned char>(v);
  p[1] = static_cast<unsigned char>(v >> 8);
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Where the samples of a mono 16-bit PCM file lie; size 0 when it is not one.
struct MonoData {
  std::uint32_t rate = 0;
  long offset = 0;
  std::uint32_t size = 0;
};

MonoData FindMonoData(std::FILE* in, std::int64_t fileSize) {
  MonoData found;
  unsigned char riff[12];
  if (std::fread(riff, 1, 12, in) != 12 || std::memcmp(riff, "RIFF", 4) != 0 ||
      std::memcmp(riff + 8, "WAVE", 4) != 0)
    return {};
  bool mono16 = false;
  for (long pos = 12; pos + 8 <= fileSize;) {
    unsigned char chunk[8];
    if (std::fseek(in, pos, SEEK_SET) != 0 || std::fread(chunk, 1, 8, in) != 8) return {};
    const std::uint32_t size = Le32(chunk + 4);
    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      unsigned char fmt[16];
      if (size < 16 || std::fread(fmt, 1, 16, in) != 16) return {};
      mono16 = Le16(fmt) == 1 && Le16(fmt + 2) == 1 && Le16(fmt + 14) == 16;
      found.rate = Le32(fmt + 4);
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      if (!mono16) return {};
      found.offset = pos + 8;
      // A header written before the end was known may claim more.
      const std::int64_t left = fileSize - found.offset;
      found.size = static_cast<std::uint32_t>(std::min<std::int64_t>(size, left)) & ~1u;
      return found;
    }
    pos += 8 + size + (size & 1);
  }
  return {};
}

}  // namespace

bool MakeWavStereo(const std::string& path) {
  const std::int64_t fileSize = platform::FileSize(path);
  File in(platform::OpenFile(path, "rb"));
  if (!in || fileSize < 44) return true;
  const MonoData mono = FindMonoData(in.get(), fileSize);
  if (mono.size == 0 || static_cast<std::uint64_t>(mono.size) * 2 > 0xFFFFFFF0u) return true;

  const std::string temp = path + ".stereo";
  File out(platform::OpenFile(temp, "wb"));
  if (!out) return false;
  unsigned char header[44] = {'R', 'I', 'F', 'F', 0,   0,   0,   0,
                              'W', 'A', 'V', 'E', 'f', 'm', 't', ' '};
  Put32(header + 4, 36 + mono.size * 2);
  Put32(header + 16, 16);
  Put16(header + 20, 1);
  Put16(header + 22, 2);
  Put32(header + 24, mono.rate);
  Put32(header + 28, mono.rate * 4);
  Put16(header + 32, 4);
  Put16(header + 34, 16);
  std::memcpy(header + 36, "data", 4);
  Put32(header + 40, mono.size * 2);
  bool ok = std::fwrite(header, 1, sizeof header, out.get()) == sizeof header &&
            std::fseek(in.get(), mono.offset, SEEK_SET) == 0;
  std::vector<unsigned char> block(65536), twice(2 * block.size());
  for (std::uint32_t left = mono.size; ok && left > 0;) {
    const std::size_t want = std::min<std::size_t>(left, block.size());
    const std::size_t got = std::fread(block.data(), 1, want, in.get());
    if (got != want) ok = false;
    for (std::size_t i = 0; i + 1 < got; i += 2) {
      std::memcpy(&twice[2 * i], &block[i], 2);
      std::memcpy(&twice[2 * i + 2], &block[i], 2);
    }
    ok = ok && std::fwrite(twice.data(), 1, 2 * got, out.get()) == 2 * got;
    left -= static_cast<std::uint32_t>(got);
  }
  in.reset();
  ok = std::fclose(out.release()) == 0 && ok;
  if (ok) ok = platform::RenameReplacing(temp, path);
  if (!ok) platform::RemoveFile(temp);
  return ok;
}

}  // namespace tovix
