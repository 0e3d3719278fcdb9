#pragma once
// The five texts a song picture shows, composed from one MP3 file.
#include <string>

#include "mp3/mpegfile.h"

namespace tovix {

// Each text ends with one blank.
struct SongTexts {
  std::string artist;       // tag artist + " ", at most 51 characters
  std::string title;        // tag title + " ", at most 51 characters
  std::string tech;         // "128 kBit | 44100 Hz "
  std::string runningTime;  // "00:03:25 "
  std::string encoder;      // encoder guess + " "
};

// Reads the header facts and the ID3v1 tag of path into info and composes
// texts from them; with useId3v2, an artist or title the ID3v1 tag lacks
// comes from the ID3v2 tag. A file that cannot be read gives texts from
// whatever the reads left in info, without a message.
void ComposeSongTexts(const std::string& path, Mp3Info& info, SongTexts& texts,
                      bool useId3v2 = true);

// The texts of what info holds.
SongTexts SongTextsOf(const Mp3Info& info);

// seconds as a time of day after midnight, "hh:mm:ss" (24 hours).
std::string FormatRunningTime(unsigned seconds);

}  // namespace tovix
