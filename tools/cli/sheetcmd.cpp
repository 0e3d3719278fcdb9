#include <QBuffer>

#include "commands.h"
#include "disc/tvsheet.h"
#include "lang/buildstrings.h"
#include "lang/sprachen.h"
#include "platform/codepage.h"
#include "platform/filesys.h"
#include "platform/ioerror.h"

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

  ConsoleObserver observer(context.console);
  const TvSheet sheet = MakeTvSheet(std::move(songs), s.Overscan, &observer);
  context.console.EndProgress();
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!sheet.image.save(&buffer, "PNG"))
    throw IoError(EIO, BuildText(str::kCannotCreate, {Absolute(context, *out)}));
  const std::string path = Absolute(context, *out);
  if (const int e = platform::WriteFileWhole(path, {png.constData(), std::size_t(png.size())}))
    throw IoError(e, BuildText(str::kCannotWrite, {path}));

  int pictures = 0, missing = 0, broken = 0;
  for (const SheetTile& tile : sheet.tiles) {
    if (tile.state == TileState::kPicture) ++pictures;
    if (tile.state == TileState::kNoPicture) ++missing;
    if (tile.state == TileState::kBroken) {
      ++broken;
      context.console.Line(LanguageString(str::kSheetBrokenPicture) + ": " + tile.binPath);
    }
  }
  context.console.Note(
      Say(str::kCliSheetWritten, {platform::AnsiToUtf8(path), std::to_string(pictures),
                                  std::to_string(missing), std::to_string(broken)}));
  return kExitOk;
}

}  // namespace tovix::cli
