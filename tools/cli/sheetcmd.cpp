#include "commands.h"
#include "consolereport.h"
#include "disc/sheetpages.h"
#include "lang/buildstrings.h"
#include "lang/sprachen.h"
#include "platform/codepage.h"
#include "platform/filesys.h"

namespace tovix::cli {

int RunSheet(RunContext& context) {
  const auto out = AnsiPath(context, context.call.operands[0]);
  if (!out) return kExitBadCall;
  const Settings& s = context.settings;
  const std::string source = Absolute(context, s.SourceDir);
  const std::string bins = Absolute(context, s.BinDir);
  if (!RequireFolder(context, source, "mp3dir") || !RequireFolder(context, bins, "bindir"))
    return kExitPassError;
  std::vector<SheetTile> songs = SheetSongs(source, bins);
  if (songs.empty()) {
    Complain(context, Say(str::kCliNothingToShow, {platform::AnsiToUtf8(source)}));
    return kExitPassError;
  }

  ConsoleReport report(context.console);
  const std::string path = Absolute(context, *out);
  const SheetFiles sheet = WriteSheetPages(songs, s.Overscan, path, &report);
  context.console.EndProgress();

  int pictures = 0, missing = 0, broken = 0;
  for (const SheetTile& tile : sheet.tiles) {
    if (tile.state == TileState::kPicture) ++pictures;
    if (tile.state == TileState::kNoPicture) ++missing;
    if (tile.state == TileState::kBroken) {
      ++broken;
      context.console.Line(LanguageString(str::kSheetBrokenPicture) + ": " + tile.binPath);
    }
  }
  std::string where = platform::AnsiToUtf8(path);
  if (sheet.paths.size() > 1)
    where = Say(str::kCliSheetPages, {std::to_string(sheet.paths.size()), where,
                                      platform::AnsiToUtf8(sheet.paths.back())});
  context.console.Note(
      Say(str::kCliSheetWritten,
          {where, std::to_string(pictures), std::to_string(missing), std::to_string(broken)}));
  return kExitOk;
}

}  // namespace tovix::cli
