#pragma once
// The tag texts a song shows: its ID3v1 tag, and for an artist or title that
// tag lacks, the ID3v2 tag most files bought or ripped today carry alone.
#include <string>

#include "mp3/mpegfile.h"

namespace tovix {

// ReadID3Tag, then, when useId3v2 is set, an empty Artist or Title taken
// from the file's ID3v2 tag (versions 2.2 to 2.4, any text encoding) in
// Windows-1252, a letter 1252 lacks as "_". Returns what ReadID3Tag
// returned; throws IoError as it does.
bool ReadSongTag(const std::string& fileName, TID3Tag& tag, bool useId3v2);

// Reads the header facts and the tag of path into info (see ReadSongTag); a
// file that cannot be read leaves what the reads left, without a message.
void ReadSongFacts(const std::string& path, Mp3Info& info, bool useId3v2 = true);

// Artist and title of the ID3v2 tag of a file (Windows-1252, at most 50
// characters each); both empty when it has none or cannot be read.
struct Id3v2Names {
  std::string artist;
  std::string title;
};
Id3v2Names ReadID3v2Names(const std::string& fileName);

}  // namespace tovix
