#pragma once
// One song's picture, as the BIN run makes it for the k-th MP3 of N.
#include <string>

#include "mp3/mpegfile.h"
#include "picture/songtexts.h"

namespace tovix {

class PreviewPage;

struct SongPictureJob {
  std::string sourceDir;  // the MP3 folder, with or without a separator
  std::string fileName;   // the MP3 file's name within it
  int k = 1;              // 1-based number of the song in the run
  int n = 1;              // songs in the run
  std::string targetDir;  // folder of the .BIN and .JPG files
  bool save2Jpeg = false;
  bool replaceBin = false;
  bool useId3v2 = true;
};

struct SongPicture {
  std::string bmpName;   // "BM" + k + ".BMP" in the working folder
  std::string baseName;  // PictureBaseName of the file (OEM)
  std::string jpegPath;  // target + base name read back as 850 + ".JPG"
};

// Composes the song's texts into info and texts, builds the preview (page
// number 8, showPreviewPage not by the user), shows "[ k / N ]" through the
// page's host and saves the picture with SaveSongPicture. Throws when a
// picture file cannot be written.
SongPicture MakeSongPicture(PreviewPage& page, const SongPictureJob& job, Mp3Info& info,
                            SongTexts& texts);

}  // namespace tovix
