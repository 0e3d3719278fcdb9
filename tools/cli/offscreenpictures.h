#pragma once
// The song pictures of tovix-cli: the picture maker laid out from the
// settings, its progress on the console.
#include <string>

#include "console.h"
#include "picture/songpicturemaker.h"
#include "settings/settings.h"

namespace tovix::cli {

class ConsolePictureHost : public SongPictureHost {
 public:
  explicit ConsolePictureHost(Console& console) : console_(console) {}
  void Progress(const std::string& text) override { console_.Status(text); }

 private:
  Console& console_;
};

// A background picture that cannot be loaded is reported once; the pages'
// shared background is used instead, as in the window.
class ConsolePictures {
 public:
  ConsolePictures(const Settings& settings, Console& console);
  SongPictureMaker& maker() { return maker_; }

 private:
  ConsolePictureHost host_;
  SongPictureMaker maker_;
};

}  // namespace tovix::cli
