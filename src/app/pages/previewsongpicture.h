#pragma once
// The window's song pictures: the preview page shows each picture the
// maker paints, with "[ k / N ]" through the page's host.
#include <string>

#include "picture/songpicturemaker.h"

namespace tovix {

class PreviewPage;

// Before each picture: the texts on the page, page number 8, the preview
// built (showSong not by the user); the progress through the page's host.
class PreviewPictureHost : public SongPictureHost {
 public:
  explicit PreviewPictureHost(PreviewPage& page) : page_(page) {}
  void Painting(const SongTexts& texts) override;
  void Progress(const std::string& text) override;

 private:
  PreviewPage& page_;
};

}  // namespace tovix
