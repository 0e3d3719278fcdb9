#pragma once
// The song pictures of tovix-cli: the picture maker laid out from the
// settings.
#include "console.h"
#include "picture/songpicturemaker.h"
#include "settings/settings.h"

namespace tovix::cli {

// A background picture that cannot be loaded is reported once; the pages'
// shared background is used instead, as in the window.
SongPictureMaker ConsolePictureMaker(const Settings& settings, Console& console);

}  // namespace tovix::cli
