#include "picture/songtexts.h"

#include <cstdio>

#include "lang/sprachen.h"
#include "mp3/songtag.h"
#include "rename/texthelpers.h"

namespace tovix {
namespace {

constexpr std::size_t kNameTextWidth = 51;

}  // namespace

std::string FormatRunningTime(unsigned seconds) {
  // A time of day: a running time of a day or more starts again at midnight.
  seconds %= 24U * 3600U;
  char text[16];
  std::snprintf(text, sizeof text, "%02u:%02u:%02u", seconds / 3600U, seconds / 60U % 60U,
                seconds % 60U);
  return text;
}

SongTexts SongTextsOf(const Mp3Info& info) {
  SongTexts texts;
  // A line feed in a tag would break the label's line.
  texts.artist = BlankControls(info.Artist + " ").substr(0, kNameTextWidth);
  texts.title = BlankControls(info.Title + " ").substr(0, kNameTextWidth);
  texts.tech = std::to_string(info.BitRate) + " kBit | " + std::to_string(info.SampleRate) + " Hz ";
  texts.runningTime = FormatRunningTime(info.Duration) + " ";
  texts.encoder = ShownEncoder(info.Encoder) + " ";
  return texts;
}

void ComposeSongTexts(const std::string& path, Mp3Info& info, SongTexts& texts, bool useId3v2) {
  ReadSongFacts(path, info, useId3v2);
  texts = SongTextsOf(info);
}

}  // namespace tovix
