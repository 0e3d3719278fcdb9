#include "disc/mpeg2decode.h"

#include <algorithm>
#include <memory>
#include <stdexcept>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/frame.h>
#include <libavutil/log.h>
#include <libavutil/mem.h>
#include <libswscale/swscale.h>
}

namespace tovix {

namespace {

// libswscale reads whole vectors: up to 16 bytes at the end of a row, so
// past the last row of a tightly packed picture. Its planes come as arrays
// of four, read whole even for one plane.
constexpr int kRowAlign = 64;
constexpr int kPadding = AV_INPUT_BUFFER_PADDING_SIZE;

struct AvFree {
  void operator()(std::uint8_t* p) const { av_free(p); }
};

// The picture's rows copied to aligned rows with padding after the last.
std::unique_ptr<std::uint8_t, AvFree> PaddedCopy(const Bitmap& b, int& stride) {
  const int row = b.width * 3;
  stride = (row + kRowAlign - 1) / kRowAlign * kRowAlign;
  const std::size_t size = static_cast<std::size_t>(stride) * b.height + kPadding;
  std::unique_ptr<std::uint8_t, AvFree> copy(static_cast<std::uint8_t*>(av_mallocz(size)));
  if (!copy) throw std::bad_alloc();
  for (int y = 0; y < b.height; ++y)
    std::copy_n(b.pixels.data() + static_cast<std::size_t>(y) * row, row,
                copy.get() + static_cast<std::size_t>(y) * stride);
  return copy;
}

Bitmap ToRgb(const AVFrame* frame) {
  Bitmap b = MakeBitmap(frame->width, frame->height);
  SwsContext* sws = sws_getContext(
      frame->width, frame->height, static_cast<AVPixelFormat>(frame->format), frame->width,
      frame->height, AV_PIX_FMT_RGB24, SWS_BICUBIC | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT, nullptr,
      nullptr, nullptr);
  if (!sws) throw std::runtime_error("no colour conversion");
  uint8_t* dst[4] = {b.pixels.data()};
  const int dstStride[4] = {b.width * 3};
  sws_scale(sws, frame->data, frame->linesize, 0, frame->height, dst, dstStride);
  sws_freeContext(sws);
  return b;
}

}  // namespace

DecodedStream DecodeMpeg2(const std::string& stream) {
  av_log_set_level(AV_LOG_ERROR);
  const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_MPEG2VIDEO);
  if (!codec) throw std::runtime_error("no MPEG-2 decoder");
  AVCodecContext* ctx = avcodec_alloc_context3(codec);
  AVCodecParserContext* parser = av_parser_init(AV_CODEC_ID_MPEG2VIDEO);
  AVPacket* packet = av_packet_alloc();
  AVFrame* frame = av_frame_alloc();
  DecodedStream out;
  std::string error;
  auto drain = [&] {
    while (avcodec_receive_frame(ctx, frame) == 0) {
      if (out.pictures.empty()) {
        const AVRational dar{frame->width * frame->sample_aspect_ratio.num,
                             frame->height * frame->sample_aspect_ratio.den};
        int num = 0, den = 0;
        av_reduce(&num, &den, dar.num, dar.den, 1 << 20);
        out.aspectNum = num;
        out.aspectDen = den;
        out.rateNum = ctx->framerate.num;
        out.rateDen = ctx->framerate.den;
      }
      if (frame->pict_type != AV_PICTURE_TYPE_I) out.intraOnly = false;
      out.pictures.push_back(ToRgb(frame));
    }
  };
  if (!ctx || !parser || !packet || !frame || avcodec_open2(ctx, codec, nullptr) < 0) {
    error = "cannot open the decoder";
  } else {
    const auto* data = reinterpret_cast<const uint8_t*>(stream.data());
    int left = static_cast<int>(stream.size());
    // The parser cuts the elementary stream into pictures.
    auto send = [&] {
      if (packet->size == 0) return;
      if (avcodec_send_packet(ctx, packet) < 0) error = "the decoder refused a picture";
      drain();
    };
    while (left > 0 && error.empty()) {
      const int used = av_parser_parse2(parser, ctx, &packet->data, &packet->size, data, left,
                                        AV_NOPTS_VALUE, AV_NOPTS_VALUE, 0);
      if (used < 0) {
        error = "the parser failed";
        break;
      }
      data += used;
      left -= used;
      send();
    }
    // An empty read hands over the last picture the parser holds.
    av_parser_parse2(parser, ctx, &packet->data, &packet->size, nullptr, 0, AV_NOPTS_VALUE,
                     AV_NOPTS_VALUE, 0);
    send();
    avcodec_send_packet(ctx, nullptr);
    drain();
  }
  av_frame_free(&frame);
  av_packet_free(&packet);
  av_parser_close(parser);
  avcodec_free_context(&ctx);
  if (!error.empty()) throw std::runtime_error(error);
  return out;
}

Bitmap ScaleBitmap(const Bitmap& picture, int width, int height) {
  if (picture.empty() || width <= 0 || height <= 0) return {};
  if (picture.pixels.size() != static_cast<std::size_t>(picture.width) * picture.height * 3)
    throw std::runtime_error("picture size does not match its pixels");
  int stride = 0;
  const std::unique_ptr<std::uint8_t, AvFree> padded = PaddedCopy(picture, stride);
  Bitmap out = MakeBitmap(width, height);
  SwsContext* sws =
      sws_getContext(picture.width, picture.height, AV_PIX_FMT_RGB24, width, height,
                     AV_PIX_FMT_RGB24, SWS_BICUBIC | SWS_ACCURATE_RND, nullptr, nullptr, nullptr);
  if (!sws) throw std::runtime_error("no scaler");
  const uint8_t* src[4] = {padded.get()};
  const int srcStride[4] = {stride};
  uint8_t* dst[4] = {out.pixels.data()};
  const int dstStride[4] = {width * 3};
  sws_scale(sws, src, srcStride, 0, picture.height, dst, dstStride);
  sws_freeContext(sws);
  return out;
}

}  // namespace tovix
