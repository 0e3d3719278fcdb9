// The decision rule: its terms in their order, and the edge cases the
// options page allows.
#include <gtest/gtest.h>

#include "recode/recodedecision.h"

namespace tovix {
namespace {

TMPEGData Song(int bitRate, int mode, const std::string& encoder) {
  TMPEGData d;
  d.BitRate = bitRate;
  d.Mode = static_cast<std::uint8_t>(mode);
  d.Encoder = encoder;
  return d;
}

RecodeRule Rule(bool if127, bool ifMono, bool ifXing, int target = 128, bool recode = true) {
  return RecodeRule{recode, if127, ifMono, ifXing, target};
}

TEST(DecideRecode, TermsInOrderAndTheEdgesOfTheOptions) {
  const std::string l3 = "l3Enc", xing = "Xing 2.20|Radium Codec";
  struct Case {
    TMPEGData song;
    RecodeRule rule;
    RecodeTerm term;
  } cases[] = {
      // Recoding off: everything is copied, whatever the file.
      {Song(64, 3, "Audio Catalyst"), Rule(true, true, true, 128, false), RecodeTerm::kCopy},
      // All three criteria off, new bit rate 128: 128 copied, 160 recoded.
      {Song(128, 1, "mp3 Producer"), Rule(false, false, false), RecodeTerm::kCopy},
      {Song(160, 0, l3), Rule(false, false, false), RecodeTerm::kOtherBitrate},
      // New bit rate 192: a 128 kbit/s stereo l3Enc file, whatever the boxes say.
      {Song(128, 0, l3), Rule(false, false, false, 192), RecodeTerm::kOtherBitrate},
      {Song(128, 0, l3), Rule(true, true, true, 192), RecodeTerm::kOtherBitrate},
      // Joint stereo 128: recoded with "Mode <> Stereo", else copied (l3Enc).
      {Song(128, 1, l3), Rule(true, true, true), RecodeTerm::kNotStereo},
      {Song(128, 1, l3), Rule(true, false, true), RecodeTerm::kCopy},
      {Song(128, 0, xing), Rule(true, true, true), RecodeTerm::kCopy},
      {Song(128, 0, "Audio Catalyst"), Rule(false, false, true), RecodeTerm::kCriticalEncoder},
      {Song(128, 0, "L3ENC"), Rule(false, false, true), RecodeTerm::kCriticalEncoder},
      {Song(128, 0, ""), Rule(false, false, true), RecodeTerm::kCriticalEncoder},
      // The name lame's tag gives is neither of the two trusted ones.
      {Song(128, 0, "LAME3.100"), Rule(false, false, true), RecodeTerm::kCriticalEncoder},
      // The first true term decides.
      {Song(96, 3, "Audio Catalyst"), Rule(true, true, true), RecodeTerm::kBitrateUnder128},
      {Song(96, 3, "Audio Catalyst"), Rule(false, true, true), RecodeTerm::kNotStereo},
      {Song(127, 0, l3), Rule(true, true, true), RecodeTerm::kBitrateUnder128},
      // An unreadable header: bit rate 0, recoded while Recode is on.
      {Song(0, 0, l3), Rule(false, false, false), RecodeTerm::kOtherBitrate},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DecideRecode(c.song, c.rule), c.term)
        << c.song.BitRate << " " << int(c.song.Mode) << " " << c.song.Encoder;
  EXPECT_EQ(TargetBitrateOf(0), 128);
  EXPECT_EQ(TargetBitrateOf(1), 192);
}

TEST(TermText, NamesTheTermAndItsFact) {
  const RecodeRule rule = Rule(true, true, true);
  EXPECT_EQ(TermText(RecodeTerm::kBitrateUnder128, Song(112, 0, ""), rule),
            "Bitrate unter 128 (112 kBit)");
  EXPECT_EQ(TermText(RecodeTerm::kNotStereo, Song(128, 1, ""), rule),
            "nicht Stereo (Joint-Stereo)");
  EXPECT_EQ(TermText(RecodeTerm::kCriticalEncoder, Song(128, 0, "Audio Catalyst"), rule),
            "kritischer Encoder \"Audio Catalyst\"");
  EXPECT_EQ(TermText(RecodeTerm::kOtherBitrate, Song(160, 0, ""), rule),
            "Bitrate 160 kBit, neu 128 kBit");
  EXPECT_EQ(TermText(RecodeTerm::kCopy, Song(128, 0, ""), rule), "kopiert");
  EXPECT_EQ(TermText(RecodeTerm::kCopy, Song(128, 0, ""), Rule(1, 1, 1, 128, false)),
            "kopiert (Umcodieren ist aus)");
}

}  // namespace
}  // namespace tovix
