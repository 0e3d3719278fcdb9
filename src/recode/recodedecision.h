#pragma once
// Which MP3 files the recode pass recodes, and why.
#include <string>

#include "mp3/mpegfile.h"

namespace tovix {

// The switches of the recode options page.
struct RecodeRule {
  bool recode = true;  // master switch: off, every file is copied
  bool if127 = true;   // bit rate under 128
  bool ifMono = true;  // not plain stereo
  bool ifXing = true;  // critical encoder
  int targetBitrate = 128;
};

// The term of the rule that decided; the first true one wins, in this order.
enum class RecodeTerm {
  kCopy,             // no term holds, or recoding is off
  kBitrateUnder128,  // BitRate < 128
  kNotStereo,        // Mode != 0
  kCriticalEncoder,  // neither "l3Enc" nor "Xing 2.20|Radium Codec"
  kOtherBitrate,     // BitRate != the new bit rate
};

RecodeTerm DecideRecode(const TMPEGData& data, const RecodeRule& rule);

// 128 + 64 x the item of the new bit rate (0: 128, 1: 192).
int TargetBitrateOf(int itemIndex);

// The term in words, with the fact that made it true, for the plan:
// "bit rate under 128 (112 kBit)", "not stereo (Joint-Stereo)",
// "critical encoder \"Audio Catalyst\"", "bit rate 160 kBit, new 128 kBit",
// "copied" or "copied (recoding is off)".
std::string TermText(RecodeTerm term, const TMPEGData& data, const RecodeRule& rule);

}  // namespace tovix
