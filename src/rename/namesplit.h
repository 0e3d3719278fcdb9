#pragma once
// Taking a song's artist and title apart from a file name or a new name.
#include <string>
#include <string_view>

namespace tovix {

// Position of the first ".MP3" in text, compared without regard to case;
// npos when there is none.
std::size_t FindMp3Extension(std::string_view text);
// text cut before its first ".MP3" (any case); unchanged when there is none.
std::string CutAtMp3(std::string_view text);

struct ArtistTitle {
  std::string artist;
  std::string title;
};

// Splits a name at its first " - ". Without the separator the artist is
// empty and the title is the whole name.
ArtistTitle SplitArtistTitle(std::string_view name);

// Artist and title from a file name: the stem up to the first ".MP3", "_"
// and "%20" turned into blanks, split at the first " - ", each part cut to
// 30 characters.
ArtistTitle ArtistTitleFromFileName(std::string_view fileName);

// text with leading and trailing blanks removed.
std::string TrimBlanks(std::string_view text);

}  // namespace tovix
