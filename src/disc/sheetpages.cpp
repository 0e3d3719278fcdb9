#include "disc/sheetpages.h"

#include <QBuffer>
#include <algorithm>
#include <cerrno>

#include "platform/errortexts.h"
#include "platform/filesys.h"
#include "platform/ioerror.h"

namespace tovix {
namespace {

// One page's progress as a part of the whole sheet's.
class PageProgress : public PassReport {
 public:
  PageProgress(PassReport* whole, int before, int total)
      : whole_(whole), before_(before), total_(total) {}
  void Line(const std::string& text, int listLine) override {
    if (whole_) whole_->Line(text, listLine);
  }
  void Progress(std::int64_t done, std::int64_t) override {
    if (whole_) whole_->Progress(before_ + done, total_);
  }
  bool KeepGoing() override { return !whole_ || whole_->KeepGoing(); }

 private:
  PassReport* whole_;
  int before_;
  int total_;
};

}  // namespace

int SheetPageCount(std::size_t tiles) {
  return std::max(1, static_cast<int>((tiles + kSheetPageTiles - 1) / kSheetPageTiles));
}

std::vector<SheetTile> SheetPageTiles(const std::vector<SheetTile>& tiles, int page) {
  const std::size_t from = static_cast<std::size_t>(std::max(page, 0)) * kSheetPageTiles;
  if (from >= tiles.size()) return {};
  const std::size_t to = std::min(tiles.size(), from + kSheetPageTiles);
  return {tiles.begin() + static_cast<std::ptrdiff_t>(from),
          tiles.begin() + static_cast<std::ptrdiff_t>(to)};
}

std::string SheetPagePath(const std::string& out, int page) {
  if (page <= 0) return out;
  const std::size_t name = out.find_last_of(platform::kPathSep);
  const std::size_t dot = out.rfind('.');
  const bool hasExtension =
      dot != std::string::npos && (name == std::string::npos || dot > name + 1);
  const std::size_t at = hasExtension ? dot : out.size();
  return out.substr(0, at) + "-" + std::to_string(page + 1) + out.substr(at);
}

SheetFiles WriteSheetPages(const std::vector<SheetTile>& tiles, int overscan,
                           const std::string& out, PassReport* report) {
  SheetFiles files;
  const int pages = SheetPageCount(tiles.size());
  const int total = static_cast<int>(tiles.size());
  for (int page = 0; page < pages; ++page) {
    // Between pages: those written are whole, and the first is always made.
    if (page > 0 && report && !report->KeepGoing()) break;
    PageProgress progress(report, page * kSheetPageTiles, total);
    TvSheet sheet = MakeTvSheet(SheetPageTiles(tiles, page), overscan, &progress);
    QByteArray png;
    {
      QBuffer buffer(&png);
      buffer.open(QIODevice::WriteOnly);
      if (!sheet.image.save(&buffer, "PNG"))
        throw IoError(EIO, "PNG kann nicht erzeugt werden", str::kPngCannotMake, {});
    }
    sheet.image = QImage();  // the picture goes before its file is written
    const std::string path = SheetPagePath(out, page);
    if (const int e = platform::WriteFileWhole(path, {png.constData(), std::size_t(png.size())}))
      throw IoError(e, "nach " + path + " kann nicht geschrieben werden", str::kIniCannotWrite,
                    {path});
    files.paths.push_back(path);
    files.tiles.insert(files.tiles.end(), sheet.tiles.begin(), sheet.tiles.end());
  }
  return files;
}

}  // namespace tovix
