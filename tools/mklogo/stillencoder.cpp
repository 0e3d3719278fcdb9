#include "stillencoder.h"

#include <cstdio>
#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/error.h>
#include <libavutil/frame.h>
#include <libavutil/log.h>
#include <libswscale/swscale.h>
}

namespace tovix::mklogo {

namespace {

struct CodecContextFree {
  void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct FrameFree {
  void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct PacketFree {
  void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct ScalerFree {
  void operator()(SwsContext* s) const { sws_freeContext(s); }
};

std::string AvText(int error) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(error, text, sizeof text);
  return text;
}

[[noreturn]] void Fail(const std::string& what, int error) {
  throw EncodeError(what + ": " + AvText(error));
}

void Check(int result, const char* what) {
  if (result < 0) Fail(what, result);
}

std::unique_ptr<AVFrame, FrameFree> ToYuv(const Bitmap& bitmap) {
  std::unique_ptr<AVFrame, FrameFree> frame(av_frame_alloc());
  if (!frame) throw EncodeError("out of memory");
  frame->format = AV_PIX_FMT_YUV420P;
  frame->width = bitmap.width;
  frame->height = bitmap.height;
  Check(av_frame_get_buffer(frame.get(), 0), "cannot allocate the picture");
  // Accurate rounding and a Lanczos chroma filter keep coloured text edges
  // as sharp as 4:2:0 allows.
  std::unique_ptr<SwsContext, ScalerFree> scaler(
      sws_getContext(bitmap.width, bitmap.height, AV_PIX_FMT_RGB24, bitmap.width, bitmap.height,
                     AV_PIX_FMT_YUV420P, SWS_LANCZOS | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INP,
                     nullptr, nullptr, nullptr));
  if (!scaler) throw EncodeError("cannot set up the colour conversion");
  const uint8_t* src[1] = {bitmap.pixels.data()};
  const int srcStride[1] = {bitmap.width * 3};
  sws_scale(scaler.get(), src, srcStride, 0, bitmap.height, frame->data, frame->linesize);
  return frame;
}

}  // namespace

std::string EncodeStill(const Bitmap& bitmap, int level) {
  if (bitmap.width != kStillWidth || bitmap.height != kStillHeight ||
      bitmap.pixels.size() != static_cast<std::size_t>(kStillWidth * kStillHeight * 3)) {
    throw EncodeError("the picture must be 704 x 480");
  }
  if (level < kMinLevel || level > kMaxLevel) throw EncodeError("level must be 1 to 31");

  const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MPEG2VIDEO);
  if (!codec) throw EncodeError("this libavcodec has no MPEG-2 video encoder");
  std::unique_ptr<AVCodecContext, CodecContextFree> ctx(avcodec_alloc_context3(codec));
  if (!ctx) throw EncodeError("out of memory");
  ctx->width = kStillWidth;
  ctx->height = kStillHeight;
  ctx->pix_fmt = AV_PIX_FMT_YUV420P;
  ctx->time_base = AVRational{1001, 30000};
  ctx->framerate = AVRational{30000, 1001};
  // 704 x 480 at 10:11 pixels is a 4:3 picture, as on an NTSC DVD.
  ctx->sample_aspect_ratio = AVRational{10, 11};
  ctx->gop_size = 1;
  ctx->max_b_frames = 0;
  // A fixed quantiser: no rate control, so the level alone sets the size.
  ctx->flags |= AV_CODEC_FLAG_QSCALE;
  ctx->global_quality = FF_QP2LAMBDA * level;
  ctx->qmin = level;
  ctx->qmax = level;
  Check(avcodec_open2(ctx.get(), codec, nullptr), "cannot open the MPEG-2 encoder");

  auto frame = ToYuv(bitmap);
  frame->pts = 0;
  frame->pict_type = AV_PICTURE_TYPE_I;
  frame->quality = ctx->global_quality;

  std::unique_ptr<AVPacket, PacketFree> packet(av_packet_alloc());
  if (!packet) throw EncodeError("out of memory");
  std::string stream;
  Check(avcodec_send_frame(ctx.get(), frame.get()), "encoding failed");
  Check(avcodec_send_frame(ctx.get(), nullptr), "encoding failed");
  for (;;) {
    const int got = avcodec_receive_packet(ctx.get(), packet.get());
    if (got == AVERROR_EOF) break;
    Check(got, "encoding failed");
    stream.append(reinterpret_cast<const char*>(packet->data),
                  static_cast<std::size_t>(packet->size));
    av_packet_unref(packet.get());
  }
  if (stream.size() < 4) throw EncodeError("the encoder gave no picture");
  // A still needs its sequence end code, or a player waits for more pictures.
  static const std::string kSequenceEnd("\x00\x00\x01\xB7", 4);
  if (stream.compare(stream.size() - 4, 4, kSequenceEnd) != 0) stream += kSequenceEnd;
  return stream;
}

std::string FormatCArray(const std::string& bytes, int level) {
  std::string out;
  out.reserve(bytes.size() * 5 + 256);
  char line[128];
  std::snprintf(line, sizeof line,
                "/* One MPEG-2 still picture, 704 x 480, quantiser scale %d. */\n"
                "const unsigned char e2logo[%zu] = {\n",
                level, bytes.size());
  out += line;
  static const char kHex[] = "0123456789abcdef";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i % 16 == 0) out += "  ";
    const auto b = static_cast<unsigned char>(bytes[i]);
    out += "0x";
    out += kHex[b >> 4];
    out += kHex[b & 15];
    out += i + 1 == bytes.size() ? "\n" : (i % 16 == 15 ? ",\n" : ", ");
  }
  out += "};\n";
  return out;
}

}  // namespace tovix::mklogo
