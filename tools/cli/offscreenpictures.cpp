#include "offscreenpictures.h"

#include "commands.h"
#include "lang/buildstrings.h"
#include "picture/picturebackground.h"
#include "platform/codepage.h"

namespace tovix::cli {

namespace {

QImage Background(const Settings& settings, Console& console) {
  bool unreadable = false;
  QImage background = RunBackground(settings.BitmapFile, &unreadable);
  if (unreadable)
    console.ErrorNote(
        "tovix-cli: " +
        Say(str::kCliSettingsKey,
            {Say(str::kCannotRead, {platform::AnsiToUtf8(settings.BitmapFile)}), "bitmap"}));
  return background;
}

}  // namespace

SongPictureMaker ConsolePictureMaker(const Settings& settings, Console& console) {
  return SongPictureMaker(LayoutFromSettings(settings), Background(settings, console));
}

}  // namespace tovix::cli
