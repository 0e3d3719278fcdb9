#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include "app/pages/previewcontrols.h"
#include "app/pages/previewpage.h"
#include "app/pages/previewsongpicture.h"
#include "picture/bitmap.h"
#include "picture/jpgtobmp.h"
#include "picture/layout.h"
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

QImage PreviewPage::RenderSongPicture() {
  // The layout controls never belong in a picture: hide those still shown
  // for the moment of the copy.
  std::vector<QWidget*> shown;
  for (QWidget* control : std::initializer_list<QWidget*>{
           layoutButtons_[0], layoutButtons_[1], layoutButtons_[2], layoutButtons_[3],
           layoutButtons_[4], upDown_, over0_, label7_, emptyHint_}) {
    if (!control->isHidden()) {
      shown.push_back(control);
      control->hide();
    }
  }
  QImage image(picture::kPictureWidth, picture::kPictureHeight, QImage::Format_RGB32);
  image.fill(Qt::black);
  render(&image, QPoint(0, 0), QRegion(0, 0, picture::kPictureWidth, picture::kPictureHeight),
         QWidget::DrawWindowBackground | QWidget::DrawChildren);
  for (QWidget* control : shown) control->show();
  return image;
}

void PreviewPage::SaveSongPicture(const std::string& bmpName, const std::string& jpegPath,
                                  bool save2Jpeg, bool replaceBin) {
  WriteBmpFile(bmpName, ToBitmap(RenderSongPicture()));
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  if (!save2Jpeg || jpegPath.empty()) return;
  if (!replaceBin && platform::Exists(jpegPath)) return;
  TJpegToBmp jpeg;
  jpeg.SetBmpFile(bmpName);
  jpeg.SetJpegFile(jpegPath);
  jpeg.BmpToJpeg();
}

}  // namespace tovix

namespace tovix {

SongPicture MakeSongPicture(PreviewPage& page, const SongPictureJob& job, Mp3Info& info,
                            SongTexts& texts) {
  ComposeSongTexts(platform::WithSep(job.sourceDir) + job.fileName, info, texts, job.useId3v2);
  page.SetSongTexts(texts);
  page.Host().SelectPreviewPage();
  page.showSong(false);
  page.Host().ShowProgress("[ " + std::to_string(job.k) + " / " + std::to_string(job.n) + " ]");

  SongPicture result;
  result.baseName = PictureBaseName(job.fileName);
  // The name the batch's .BIN gets once the interpreter has read it as 850.
  result.jpegPath =
      platform::WithSep(job.targetDir) + platform::OemToAnsi(result.baseName) + ".JPG";
  result.bmpName = "BM" + std::to_string(job.k) + ".BMP";
  page.SaveSongPicture(result.bmpName, result.jpegPath, job.save2Jpeg, job.replaceBin);
  return result;
}

}  // namespace tovix
