// The MPEG audio frame header: decoding, validity and derived facts.
#include <array>
#include <cstdint>
#include <limits>

#include "mp3/mpegfile.h"
#include "mp3/mpegscan.h"

namespace tovix {
namespace {

// kbit/s by version 1..3, layer 1..3 and the 4-bit index. MPEG-2 and 2.5
// have rows of their own for every layer: with the MPEG-1 rows their
// Layer I and II frames would have the wrong length, and the frame after
// the first would not be found where it stands.
constexpr std::array<std::uint16_t, 16> kLowRateLayerI = {0,   32,  48,  56,  64,  80,  96,  112,
                                                          128, 144, 160, 176, 192, 224, 256, 0};
constexpr std::array<std::uint16_t, 16> kLowRateLayerII = {0,  8,  16, 24,  32,  40,  48,  56,
                                                           64, 80, 96, 112, 128, 144, 160, 0};
constexpr std::array<std::array<std::array<std::uint16_t, 16>, 3>, 3> kBitRates = {{
    {{{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},
      {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
      {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0}}},
    {{kLowRateLayerI, kLowRateLayerII, kLowRateLayerII}},
    {{kLowRateLayerI, kLowRateLayerII, kLowRateLayerII}},
}};

// Hz by version 1..3 and the 2-bit index; index 3 is invalid.
constexpr std::array<std::array<std::int32_t, 4>, 3> kSampleRates = {{
    {44100, 48000, 32000, 0},
    {22050, 24000, 16000, 0},
    {11025, 12000, 8000, 0},
}};

}  // namespace

std::uint16_t DurationFor(std::int64_t bytes, std::int32_t bitRate) {
  if (bitRate <= 0 || bytes <= 0) return 0;
  // 64-bit so files past 256 MiB do not wrap; longer than the field holds
  // reads as the longest time it can show.
  std::int64_t seconds = bytes * 8 / (static_cast<std::int64_t>(bitRate) * 1000);
  return static_cast<std::uint16_t>(seconds > 65535 ? 65535 : seconds);
}

int CalcFrameLength(int sampleRate, int bitRate, bool padding) {
  if (sampleRate <= 0) return 0;
  std::int64_t rate = bitRate > 0 ? bitRate : 0;
  std::int64_t length = rate * 144000 / sampleRate + (padding ? 1 : 0);
  return length > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                  : static_cast<int>(length);
}

int BitRateAt(int version, int layer, int index) {
  if (version < 1 || version > 3 || layer < 1 || layer > 3 || index < 0 || index > 15) return 0;
  return kBitRates[version - 1][layer - 1][index];
}

int SamplesPerFrame(int version, int layer) {
  if (version < 1 || version > 3 || layer < 1 || layer > 3) return 0;
  if (layer == 1) return 384;
  if (layer == 3 && version != 1) return 576;
  return 1152;
}

int FrameLengthOf(int version, int layer, int sampleRate, int bitRate, bool padding) {
  if (sampleRate <= 0 || version < 1 || version > 3 || layer < 1 || layer > 3) return 0;
  const std::int64_t rate = bitRate > 0 ? bitRate : 0;
  // Layer I counts in slots of four bytes.
  const std::int64_t length =
      layer == 1
          ? (rate * 12000 / sampleRate + (padding ? 1 : 0)) * 4
          : rate * 1000 * SamplesPerFrame(version, layer) / 8 / sampleRate + (padding ? 1 : 0);
  return length > 65535 ? 65535 : static_cast<int>(length);
}

bool IsValidHeader(const TMPEGData& data) {
  return data.Version != 0 && data.Layer != 0 && data.BitRate > 0 && data.SampleRate > 0;
}

void ResetMPEGData(TMPEGData& data) {
  data = TMPEGData{};
}

bool DecodeHeader(std::uint32_t header, TMPEGData& data) {
  data.Version = 0;
  data.Layer = 0;
  data.SampleRate = 0;
  data.Mode = 0;
  data.Copyright = false;
  data.Original = false;
  data.NoCrc = false;
  data.Padding = false;
  data.BitRate = 0;
  data.FrameLength = 0;

  if (header < 0xFFE00000u) return false;
  static constexpr std::array<std::uint8_t, 4> kVersionOf = {3, 0, 2, 1};
  data.Version = kVersionOf[(header >> 19) & 3];
  if (data.Version == 0) return false;

  unsigned layerCode = (header >> 17) & 3;
  data.Layer = layerCode == 0 ? 0 : static_cast<std::uint8_t>(4 - layerCode);
  data.NoCrc = (header >> 16) & 1;
  if (data.Layer != 0)
    data.BitRate = kBitRates[data.Version - 1][data.Layer - 1][(header >> 12) & 15];
  data.SampleRate = kSampleRates[data.Version - 1][(header >> 10) & 3];
  data.Padding = (header >> 9) & 1;
  data.Mode = (header >> 6) & 3;
  data.Copyright = (header >> 3) & 1;
  data.Original = (header >> 2) & 1;

  data.Duration = DurationFor(data.FileLength, data.BitRate);
  data.FrameLength = static_cast<std::uint16_t>(
      FrameLengthOf(data.Version, data.Layer, data.SampleRate, data.BitRate, data.Padding));
  return IsValidHeader(data);
}

}  // namespace tovix
