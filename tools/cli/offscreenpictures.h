#pragma once
// The song pictures of tovix-cli: the preview page, never shown, rendered
// off-screen exactly as the window's BIN run renders it.
#include <string>

#include "app/pages/previewpage.h"
#include "console.h"
#include "mp3/mpegfile.h"
#include "picture/binrun.h"
#include "picture/songtexts.h"

namespace tovix::cli {

// The page's host: progress and status texts go to the console.
class ConsolePreviewHost : public PreviewHost {
 public:
  explicit ConsolePreviewHost(Console& console) : console_(console) {}
  void ShowProgress(const std::string& text) override { console_.Status(text); }

 private:
  Console& console_;
};

// A preview page laid out from the settings. A background picture that
// cannot be loaded is reported once (the window ignores it silently).
class OffscreenPreview {
 public:
  OffscreenPreview(const Settings& settings, Console& console);
  PreviewPage& page() { return page_; }

 private:
  ConsolePreviewHost host_;
  PreviewPage page_;
};

// The BIN run's picture maker over an off-screen preview.
class OffscreenPictures : public BinPictureMaker {
 public:
  explicit OffscreenPictures(PreviewPage& page) : page_(page) {}
  void MakeTestPicture(const std::string& title, const std::string& bmpName) override;
  std::string MakeSongPicture(const BinSongJob& job) override;

 private:
  PreviewPage& page_;
  Mp3Info info_;
  SongTexts texts_;
};

}  // namespace tovix::cli
