#pragma once
// Song pictures as the BIN run, tovix-cli, the benchmarks and the tests make
// them: a song's texts painted over the layout, saved as BMP and JPEG.
#include <QImage>
#include <functional>
#include <string>

#include "mp3/mpegfile.h"
#include "picture/binrun.h"
#include "picture/songpainter.h"
#include "picture/songtexts.h"

namespace tovix {

struct SongPicture {
  std::string bmpName;   // "BM" + k + ".BMP" in the working folder
  std::string baseName;  // PictureBaseName of the file (OEM)
  std::string jpegPath;  // target + base name read back as 850 + ".JPG"
};

// Called before a picture is painted, with the texts it gets: the window
// shows every picture on its preview page.
using PaintingHook = std::function<void(const SongTexts&)>;

// Saves picture as a 24-bit BMP at bmpName and, when save2Jpeg is set,
// jpegPath is not empty and (replaceBin is set or jpegPath does not exist),
// a JPEG copy made from that BMP. Throws on a failed write.
void SaveSongPicture(const QImage& picture, const std::string& bmpName, const std::string& jpegPath,
                     bool save2Jpeg, bool replaceBin);

class SongPictureMaker : public BinPictureMaker {
 public:
  SongPictureMaker(const PictureLayout& layout, QImage background, PaintingHook painting = {});

  // The calibration picture: artist "........Test.........", the given
  // title, the other texts empty; saved as bmpName, no JPEG.
  void MakeTestPicture(const std::string& title, const std::string& bmpName) override;
  std::string MakeSongPicture(const SongPictureJob& job) override { return Make(job).baseName; }
  // The song's texts composed (ID3v2 as the job says) and BM<k>.BMP saved
  // with its JPEG when asked.
  SongPicture Make(const SongPictureJob& job);
  // The picture of one MP3 file at bmpPath, and its JPEG copy at jpegPath
  // when that is not empty.
  void MakeFilePicture(const std::string& mp3Path, bool useId3v2, const std::string& bmpPath,
                       const std::string& jpegPath);

  const SongTexts& Texts() const { return texts_; }

 private:
  QImage Paint(const SongTexts& texts);

  PictureLayout layout_;
  QImage background_;
  PaintingHook painting_;
  Mp3Info info_;
  SongTexts texts_;
};

}  // namespace tovix
