#pragma once
// The TV sheet in pages: one picture of all songs of a large folder is more
// than image viewers open and more memory than the job needs, so the sheet
// is made, written and let go one page at a time.
#include <string>
#include <vector>

#include "disc/tvsheet.h"

namespace tovix {

// Pictures on one page: 16 rows of 3.
inline constexpr int kSheetPageTiles = 48;

// The pages tiles fill; 1 for none.
int SheetPageCount(std::size_t tiles);

// The tiles of page (0-based); none beyond the last page.
std::vector<SheetTile> SheetPageTiles(const std::vector<SheetTile>& tiles, int page);

// The file of page (0-based) for out: out itself, then "-2", "-3", ...
// before its extension (sheet.png, sheet-2.png).
std::string SheetPagePath(const std::string& out, int page);

struct SheetFiles {
  std::vector<std::string> paths;  // the pages written, in order
  std::vector<SheetTile> tiles;    // every tile with the state it was shown in
};

// Makes each page, writes it as PNG to its SheetPagePath (an existing file
// of that name is replaced only by a whole new one) and lets it go before
// the next. Progress over all tiles; the report may stop the pass between
// pages (the first is always written), leaving fewer paths than pages.
// Throws IoError naming the file that could not be written; the pages
// before it stay.
SheetFiles WriteSheetPages(const std::vector<SheetTile>& tiles, int overscan,
                           const std::string& out, PassReport* report = nullptr);

}  // namespace tovix
