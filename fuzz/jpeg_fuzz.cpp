// libFuzzer target: the JPEG reader.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "picture/bitmap.h"
#include "picture/jpgtobmp.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const tovix::Bitmap b =
        tovix::DecodeJpeg(std::string_view(reinterpret_cast<const char*>(data), size));
    if (b.pixels.size() != static_cast<std::size_t>(b.width) * b.height * 3) __builtin_trap();
  } catch (const tovix::JpegError&) {
  } catch (const tovix::BitmapError&) {
  }
  return 0;
}
