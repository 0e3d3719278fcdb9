#include "app/pages/previewsongpicture.h"

#include <QCoreApplication>

#include "app/pages/previewpage.h"
#include "picture/layout.h"
#include "picture/songpainter.h"

namespace tovix {

QImage PreviewPage::RenderSongPicture() const {
  return PaintSongPicture(Layout(), Picture(), labelTexts_);
}

void PreviewPage::SaveSongPicture(const std::string& bmpName, const std::string& jpegPath,
                                  bool save2Jpeg, bool replaceBin) {
  tovix::SaveSongPicture(RenderSongPicture(), bmpName, jpegPath, save2Jpeg, replaceBin);
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

PaintingHook ShowOnPreviewPage(PreviewPage& page) {
  return [&page](const SongTexts& texts) {
    page.SetSongTexts(texts);
    page.Host().SelectPreviewPage();
    page.showSong(false);
  };
}

}  // namespace tovix
