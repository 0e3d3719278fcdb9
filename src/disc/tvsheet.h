#pragma once
// The TV sheet: every song's .BIN decoded and laid out, as the television
// shows it (704 x 480 at 4:3, so 640 x 480 square pixels), the overscan
// margin shaded and each picture named by its song; in pages (sheetpages.h).
#include <QImage>
#include <QRect>
#include <string>
#include <vector>

#include "platform/passreport.h"

namespace tovix {

enum class TileState { kPicture, kNoPicture, kBroken };

struct SheetTile {
  std::string caption;  // the song's name (Windows-1252)
  std::string binPath;  // its .BIN, empty when there is none
  TileState state = TileState::kNoPicture;
  QRect picture;  // where the picture stands in the sheet
};

struct TvSheet {
  QImage image;
  std::vector<SheetTile> tiles;
};

inline constexpr int kTvWidth = 640;
inline constexpr int kTvHeight = 480;

// The songs of sourceDir in the order the BIN run takes them, each with the
// .BIN it makes in binDir, then any other .BIN of binDir under its own name.
std::vector<SheetTile> SheetSongs(const std::string& sourceDir, const std::string& binDir);

// Decodes and lays out the tiles in one picture (a page's: its memory
// grows with their number); overscan is the margin of the settings in
// picture pixels (704 x 480). Progress after each tile. Needs a
// QGuiApplication for the captions' font.
TvSheet MakeTvSheet(std::vector<SheetTile> tiles, int overscan, PassReport* report = nullptr);

}  // namespace tovix
