#pragma once
// One DVD still picture: a 704 x 480 bitmap as a single MPEG-2 intra picture.
#include <stdexcept>
#include <string>

#include "picture/bitmap.h"

namespace tovix::mklogo {

inline constexpr int kStillWidth = 704;
inline constexpr int kStillHeight = 480;
inline constexpr int kMinLevel = 1;
inline constexpr int kMaxLevel = 31;

// The encoder refused or failed; what() says why.
class EncodeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An MPEG-2 video elementary stream (sequence header, one intra picture,
// sequence end code) of a 704 x 480 bitmap at the fixed quantiser scale
// `level` (1..31; higher is coarser and smaller). Throws EncodeError.
std::string EncodeStill(const Bitmap& bitmap, int level);

// The stream as C source: one unsigned char array named e2logo.
std::string FormatCArray(const std::string& bytes, int level);

}  // namespace tovix::mklogo
