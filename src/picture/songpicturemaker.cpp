#include "picture/songpicturemaker.h"

#include "picture/bitmap.h"
#include "picture/jpgtobmp.h"
#include "picture/picturename.h"
#include "platform/codepage.h"
#include "platform/filesys.h"

namespace tovix {

namespace {

Bitmap ToBitmap(const QImage& image) {
  Bitmap bitmap = MakeBitmap(image.width(), image.height());
  std::uint8_t* out = bitmap.pixels.data();
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      *out++ = static_cast<std::uint8_t>(qRed(line[x]));
      *out++ = static_cast<std::uint8_t>(qGreen(line[x]));
      *out++ = static_cast<std::uint8_t>(qBlue(line[x]));
    }
  }
  return bitmap;
}

}  // namespace

void SaveSongPicture(const QImage& picture, const std::string& bmpName, const std::string& jpegPath,
                     bool save2Jpeg, bool replaceBin) {
  const Bitmap bitmap = ToBitmap(picture.convertToFormat(QImage::Format_RGB32));
  WriteBmpFile(bmpName, bitmap);
  if (!save2Jpeg || jpegPath.empty()) return;
  if (!replaceBin && platform::Exists(jpegPath)) return;
  // The copy of the BMP just written, from the pixels still at hand.
  WriteFileReplacing(jpegPath, EncodeJpeg(bitmap, 100));
}

SongPictureMaker::SongPictureMaker(const PictureLayout& layout, QImage background,
                                   PaintingHook painting)
    : layout_(layout), background_(std::move(background)), painting_(std::move(painting)) {}

QImage SongPictureMaker::Paint(const SongTexts& texts) {
  if (painting_) painting_(texts);
  return PaintSongPicture(layout_, background_, LabelTexts(texts));
}

void SongPictureMaker::MakeTestPicture(const std::string& title, const std::string& bmpName) {
  SongTexts texts;
  texts.artist = "........Test.........";
  texts.title = title;
  SaveSongPicture(Paint(texts), bmpName, "", false, true);
}

SongPicture SongPictureMaker::Make(const SongPictureJob& job) {
  ComposeSongTexts(platform::WithSep(job.sourceDir) + job.fileName, info_, texts_, job.useId3v2);
  const QImage picture = Paint(texts_);

  SongPicture result;
  result.baseName = PictureBaseName(job.fileName);
  // The name the batch's .BIN gets once the interpreter has read it as 850.
  result.jpegPath =
      platform::WithSep(job.targetDir) + platform::OemToAnsi(result.baseName) + ".JPG";
  result.bmpName = "BM" + std::to_string(job.k) + ".BMP";
  SaveSongPicture(picture, result.bmpName, result.jpegPath, job.save2Jpeg, job.replaceBin);
  return result;
}

void SongPictureMaker::MakeFilePicture(const std::string& mp3Path, bool useId3v2,
                                       const std::string& bmpPath, const std::string& jpegPath) {
  ComposeSongTexts(mp3Path, info_, texts_, useId3v2);
  SaveSongPicture(Paint(texts_), bmpPath, jpegPath, !jpegPath.empty(), true);
}

}  // namespace tovix
