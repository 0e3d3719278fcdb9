#include "recode/recodedecision.h"

#include "lang/buildstrings.h"
#include "lang/sprachen.h"

namespace tovix {

RecodeTerm DecideRecode(const TMPEGData& data, const RecodeRule& rule) {
  if (!rule.recode) return RecodeTerm::kCopy;
  if (data.BitRate < 128 && rule.if127) return RecodeTerm::kBitrateUnder128;
  if (data.Mode != 0 && rule.ifMono) return RecodeTerm::kNotStereo;
  // Exact and case-sensitive: every other name, and none at all, is critical.
  if (rule.ifXing && data.Encoder != "l3Enc" && data.Encoder != "Xing 2.20|Radium Codec")
    return RecodeTerm::kCriticalEncoder;
  if (data.BitRate != rule.targetBitrate) return RecodeTerm::kOtherBitrate;
  return RecodeTerm::kCopy;
}

int TargetBitrateOf(int itemIndex) {
  return 128 + 64 * itemIndex;
}

std::string TermText(RecodeTerm term, const TMPEGData& data, const RecodeRule& rule) {
  const std::string rate = std::to_string(data.BitRate) + " kBit";
  switch (term) {
    case RecodeTerm::kBitrateUnder128:
      return BuildText(str::kWhyLowRate, {rate});
    case RecodeTerm::kNotStereo:
      return BuildText(str::kWhyNotStereo,
                       {std::string(data.Mode < ModeNames.size() ? ModeNames[data.Mode] : "?")});
    case RecodeTerm::kCriticalEncoder:
      return BuildText(str::kWhyCritical, {ShownEncoder(data.Encoder)});
    case RecodeTerm::kOtherBitrate:
      return BuildText(str::kWhyOtherRate, {rate, std::to_string(rule.targetBitrate)});
    case RecodeTerm::kCopy:
      break;
  }
  return BuildText(rule.recode ? str::kWhyCopied : str::kWhyRecodeOff);
}

}  // namespace tovix
