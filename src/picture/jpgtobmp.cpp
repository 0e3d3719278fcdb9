#include "picture/jpgtobmp.h"

#include "platform/errortexts.h"
#include "platform/filesys.h"

#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <memory>
#include <new>
#include <string>

// jpeglib.h needs size_t and FILE declared before it, jerror.h comes after.
#include <jpeglib.h>

#include <jerror.h>

namespace tovix {

namespace {

// A decoded picture may not ask for more than this before a single pixel
// has been read; a forged header could otherwise claim gigabytes.
constexpr long long kMaxJpegPixels = 1LL << 26;
// A JPEG file larger than this is no picture for a DVD player's screen.
constexpr std::size_t kMaxJpegBytes = std::size_t{64} << 20;

// libjpeg's default handler ends the process; this one jumps back to the
// call that started the codec, which then reports the message number.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  int code;
  const bool* ranDry;  // the decoder's source has run out of bytes
};

bool RanDry(j_common_ptr cinfo) {
  const bool* ranDry = reinterpret_cast<ErrorManager*>(cinfo->err)->ranDry;
  return ranDry && *ranDry;
}

extern "C" void OnError(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  // Whatever broke once the bytes ran out, the cause is a file cut short.
  err->code = RanDry(cinfo) ? JWRN_JPEG_EOF : err->pub.msg_code;
  std::longjmp(err->jump, 1);
}

extern "C" void OnMessage(j_common_ptr cinfo, int level) {
  // A file cut short decodes with grey rows at the bottom: it is damaged, not
  // a picture. Other warnings (stray bytes and the like) are let pass.
  if (level < 0 && (cinfo->err->msg_code == JWRN_JPEG_EOF ||
                    (cinfo->err->msg_code == JWRN_HIT_MARKER && RanDry(cinfo)))) {
    OnError(cinfo);
  }
}

void InstallErrorManager(ErrorManager& err, const bool* ranDry) {
  jpeg_std_error(&err.pub);
  err.pub.error_exit = OnError;
  err.pub.emit_message = OnMessage;
  err.code = 0;
  err.ranDry = ranDry;
}

// Reads from memory like jpeg_mem_src, but notes when the bytes run out
// instead of warning at once: a file that lacks only its end marker still
// holds the whole picture, and the entropy decoder may look past its last
// byte. Running short while picture data is still needed is what counts.
struct MemorySource {
  jpeg_source_mgr pub;
  bool ranDry;
};

extern "C" void InitSource(j_decompress_ptr) {}
extern "C" void TermSource(j_decompress_ptr) {}

extern "C" boolean FillInput(j_decompress_ptr cinfo) {
  static const JOCTET kEndMarker[2] = {0xFF, JPEG_EOI};
  auto* src = reinterpret_cast<MemorySource*>(cinfo->src);
  src->ranDry = true;
  src->pub.next_input_byte = kEndMarker;
  src->pub.bytes_in_buffer = 2;
  return TRUE;
}

extern "C" void SkipInput(j_decompress_ptr cinfo, long count) {
  auto* src = reinterpret_cast<MemorySource*>(cinfo->src);
  if (count <= 0) return;
  if (static_cast<unsigned long>(count) > src->pub.bytes_in_buffer) {
    FillInput(cinfo);
    return;
  }
  src->pub.next_input_byte += count;
  src->pub.bytes_in_buffer -= static_cast<std::size_t>(count);
}

void SetSource(MemorySource* src, std::string_view bytes) {
  src->pub.init_source = InitSource;
  src->pub.fill_input_buffer = FillInput;
  src->pub.skip_input_data = SkipInput;
  src->pub.resync_to_restart = jpeg_resync_to_restart;
  src->pub.term_source = TermSource;
  src->pub.next_input_byte = reinterpret_cast<const JOCTET*>(bytes.data());
  src->pub.bytes_in_buffer = bytes.size();
  src->ranDry = false;
}

// Compressed bytes go straight into a string owned by the caller, so an
// error jump leaves nothing to free.
struct StringDestination {
  jpeg_destination_mgr pub;
  std::string* out;
  JOCTET buffer[16384];
};

extern "C" void InitDestination(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<StringDestination*>(cinfo->dest);
  dest->pub.next_output_byte = dest->buffer;
  dest->pub.free_in_buffer = sizeof dest->buffer;
}

bool Flush(StringDestination* dest, std::size_t count) {
  try {
    dest->out->append(reinterpret_cast<const char*>(dest->buffer), count);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

extern "C" boolean EmptyDestination(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<StringDestination*>(cinfo->dest);
  if (!Flush(dest, sizeof dest->buffer)) ERREXIT(cinfo, JERR_OUT_OF_MEMORY);
  dest->pub.next_output_byte = dest->buffer;
  dest->pub.free_in_buffer = sizeof dest->buffer;
  return TRUE;
}

extern "C" void TermDestination(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<StringDestination*>(cinfo->dest);
  if (!Flush(dest, sizeof dest->buffer - dest->pub.free_in_buffer)) {
    ERREXIT(cinfo, JERR_OUT_OF_MEMORY);
  }
}

// Runs the whole compression between setjmp and the last libjpeg call; no
// object with a destructor lives in this frame, so the jump is safe.
int Compress(const Bitmap& bitmap, int quality, StringDestination* dest) {
  jpeg_compress_struct cinfo;
  ErrorManager err;
  cinfo.err = &err.pub;
  InstallErrorManager(err, nullptr);
  if (setjmp(err.jump)) {
    jpeg_destroy_compress(&cinfo);
    return err.code;
  }
  jpeg_create_compress(&cinfo);
  dest->pub.init_destination = InitDestination;
  dest->pub.empty_output_buffer = EmptyDestination;
  dest->pub.term_destination = TermDestination;
  cinfo.dest = &dest->pub;
  cinfo.image_width = static_cast<JDIMENSION>(bitmap.width);
  cinfo.image_height = static_cast<JDIMENSION>(bitmap.height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  const std::size_t rowBytes = static_cast<std::size_t>(bitmap.width) * 3;
  while (cinfo.next_scanline < cinfo.image_height) {
    // libjpeg's row type is not const, but it only reads input rows.
    JSAMPROW row = const_cast<JSAMPLE*>(bitmap.pixels.data() + cinfo.next_scanline * rowBytes);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return 0;
}

// What the header says about the decoded picture.
struct DecodeTarget {
  int width = 0;
  int height = 0;
  int components = 0;
  bool cmyk = false;
  bool inverted = false;  // Adobe writes CMYK inverted
};

// Reads the header and decodes scanlines into `pixels`, resized by `grow`
// once the size is known (outside libjpeg, so an allocation failure is a
// plain return). Returns 0 or libjpeg's message number.
using GrowFn = bool (*)(void* context, const DecodeTarget& target, std::uint8_t** rows);

int Decompress(std::string_view bytes, GrowFn grow, void* context, DecodeTarget* target) {
  jpeg_decompress_struct cinfo;
  ErrorManager err;
  MemorySource src;
  SetSource(&src, bytes);
  cinfo.err = &err.pub;
  InstallErrorManager(err, &src.ranDry);
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return err.code;
  }
  jpeg_create_decompress(&cinfo);
  cinfo.src = &src.pub;
  jpeg_read_header(&cinfo, TRUE);
  if (cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK) {
    cinfo.out_color_space = JCS_CMYK;
    target->cmyk = true;
    target->inverted = cinfo.saw_Adobe_marker != 0;
  } else {
    cinfo.out_color_space = JCS_RGB;
  }
  if (static_cast<long long>(cinfo.image_width) * cinfo.image_height > kMaxJpegPixels) {
    ERREXIT(&cinfo, JERR_IMAGE_TOO_BIG);
  }
  jpeg_start_decompress(&cinfo);
  target->width = static_cast<int>(cinfo.output_width);
  target->height = static_cast<int>(cinfo.output_height);
  target->components = cinfo.output_components;
  std::uint8_t* base = nullptr;
  if (!grow(context, *target, &base)) ERREXIT(&cinfo, JERR_OUT_OF_MEMORY);
  const std::size_t rowBytes = static_cast<std::size_t>(target->width) * target->components;
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = base + cinfo.output_scanline * rowBytes;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return 0;
}

bool GrowBuffer(void* context, const DecodeTarget& target, std::uint8_t** rows) {
  auto* buffer = static_cast<std::vector<std::uint8_t>*>(context);
  try {
    buffer->resize(static_cast<std::size_t>(target.width) * target.height * target.components);
  } catch (const std::bad_alloc&) {
    return false;
  }
  *rows = buffer->data();
  return true;
}

std::uint8_t FromInk(unsigned ink, unsigned black) {
  return static_cast<std::uint8_t>((ink * black + 127) / 255);
}

}  // namespace

JpegError::JpegError(int msgCode)
    : WordedError("JPEG-Fehler #" + std::to_string(msgCode), str::kJpegFailed,
                  {std::to_string(msgCode)}),
      code_(msgCode) {}

std::string EncodeJpeg(const Bitmap& bitmap, int quality) {
  if (bitmap.empty() ||
      bitmap.pixels.size() != static_cast<std::size_t>(bitmap.width) * bitmap.height * 3) {
    throw BitmapError();
  }
  std::string out;
  auto dest = std::make_unique<StringDestination>();
  dest->out = &out;
  if (const int code = Compress(bitmap, quality, dest.get()); code != 0) throw JpegError(code);
  return out;
}

Bitmap DecodeJpeg(std::string_view bytes) {
  if (bytes.empty()) throw JpegError(JERR_INPUT_EMPTY);
  std::vector<std::uint8_t> buffer;
  DecodeTarget target;
  if (const int code = Decompress(bytes, GrowBuffer, &buffer, &target); code != 0) {
    throw JpegError(code);
  }
  Bitmap b;
  b.width = target.width;
  b.height = target.height;
  if (target.components == 3) {
    b.pixels = std::move(buffer);
    return b;
  }
  // Four inks per pixel; Adobe's files store them inverted (255 = no ink).
  b.pixels.resize(static_cast<std::size_t>(b.width) * b.height * 3);
  for (std::size_t i = 0, o = 0; o < b.pixels.size(); i += 4, o += 3) {
    unsigned c = buffer[i], m = buffer[i + 1], y = buffer[i + 2], k = buffer[i + 3];
    if (!target.inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
    b.pixels[o] = FromInk(c, k);
    b.pixels[o + 1] = FromInk(m, k);
    b.pixels[o + 2] = FromInk(y, k);
  }
  return b;
}

void TJpegToBmp::JpegToImage() {
  if (!image_) return;
  // Decoded into a fresh picture first, so a damaged file leaves the old one.
  // Only a file that starts like a JPEG is read, and no more than any
  // picture this program can show needs.
  if (ReadFileStart(jpegFile_, 3) != "\xFF\xD8\xFF") throw JpegError(JERR_NO_SOI);
  if (platform::FileSize(jpegFile_) > static_cast<std::int64_t>(kMaxJpegBytes))
    throw JpegError(JERR_IMAGE_TOO_BIG);
  std::string bytes = ReadFileStart(jpegFile_, kMaxJpegBytes);
  Bitmap decoded = DecodeJpeg(bytes);
  *image_ = std::move(decoded);
}

void TJpegToBmp::BmpToJpeg() {
  if (bmpFile_.empty() || jpegFile_.empty()) return;
  const std::string jpeg = EncodeJpeg(ReadBmpFile(bmpFile_), 100);
  WriteFileReplacing(jpegFile_, jpeg);
}

}  // namespace tovix
