#include "offscreenpictures.h"

#include "app/pages/previewsongpicture.h"
#include "chrome/artwork.h"
#include "commands.h"
#include "lang/buildstrings.h"
#include "platform/codepage.h"
#include "platform/filesys.h"

namespace tovix::cli {

OffscreenPreview::OffscreenPreview(const Settings& settings, Console& console) : host_(console) {
  page_.SetHost(&host_);
  // As in the window: without a picture of the user's the pages' shared
  // background shows, or the default black texts would make black pictures.
  page_.SetSharedBackground(chrome::PageBackground().toImage());
  page_.ApplySettings(settings);
  if (!settings.BitmapFile.empty() && page_.Picture().isNull())
    console.ErrorNote(
        "tovix-cli: " +
        Say(str::kCliSettingsKey,
            {Say(str::kCannotRead, {platform::AnsiToUtf8(settings.BitmapFile)}), "bitmap"}));
}

void OffscreenPictures::MakeTestPicture(const std::string& title, const std::string& bmpName) {
  page_.SetSongTexts("........Test.........", title, "", "", "");
  page_.showSong(false);
  page_.SaveSongPicture(bmpName, "", false, true);
}

std::string OffscreenPictures::MakeSongPicture(const BinSongJob& job) {
  const SongPictureJob song{job.sourceDir, job.fileName,  job.k,          job.n,
                            job.targetDir, job.save2Jpeg, job.replaceBin, job.useId3v2};
  return tovix::MakeSongPicture(page_, song, info_, texts_).baseName;
}

}  // namespace tovix::cli
