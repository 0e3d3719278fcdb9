#include "disc/tvsheet.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <set>

#include "disc/mpeg2decode.h"
#include "lang/buildstrings.h"
#include "lang/sprachen.h"
#include "picture/layout.h"
#include "picture/picturename.h"
#include "platform/codepage.h"
#include "platform/filesys.h"

namespace tovix {
namespace {

constexpr int kColumns = 3;
constexpr int kGap = 16;
constexpr int kCaption = 34;
constexpr int kPictureWidth = 704;
// A .BIN the player takes is at most 160 KB; anything far larger is no picture.
constexpr std::int64_t kMaxBinBytes = 4 * 1024 * 1024;

const QColor kSheetColour(32, 32, 32);
const QColor kEmptyColour(72, 72, 72);

QString Qt8(const std::string& ansi) {
  return QString::fromStdString(platform::AnsiToUtf8(ansi));
}

// The picture of a .BIN at TV size, or an empty one when it does not decode.
Bitmap TvPicture(const std::string& binPath) {
  const std::int64_t size = platform::FileSize(binPath);
  if (size <= 0 || size > kMaxBinBytes) return {};
  std::FILE* f = platform::OpenFile(binPath, "rb");
  if (!f) return {};
  std::string bytes(static_cast<std::size_t>(size), '\0');
  const bool read = std::fread(bytes.data(), 1, bytes.size(), f) == bytes.size();
  std::fclose(f);
  if (!read) return {};
  try {
    const DecodedStream stream = DecodeMpeg2(bytes);
    if (stream.pictures.empty()) return {};
    return ScaleBitmap(stream.pictures.front(), kTvWidth, kTvHeight);
  } catch (const std::exception&) {
    return {};
  }
}

QImage ToImage(const Bitmap& b) {
  QImage image(b.width, b.height, QImage::Format_RGB888);
  for (int y = 0; y < b.height; ++y)
    std::copy_n(b.pixels.data() + static_cast<std::size_t>(y) * b.width * 3, b.width * 3,
                image.scanLine(y));
  return image;
}

// The bars the television cuts off, darkened, in tile coordinates.
void ShadeOverscan(QPainter& p, const QRect& tile, int overscan) {
  if (overscan <= 0) return;
  const picture::OverscanBars bars = picture::PlaceOverscanBars(overscan);
  for (const picture::Rect& r : {bars.top, bars.bottom, bars.left, bars.right}) {
    const int x0 = r.left * kTvWidth / kPictureWidth;
    const int x1 = (r.left + r.width) * kTvWidth / kPictureWidth;
    p.fillRect(QRect(tile.x() + x0, tile.y() + r.top, x1 - x0, r.height), QColor(0, 0, 0, 128));
  }
}

}  // namespace

std::vector<SheetTile> SheetSongs(const std::string& sourceDir, const std::string& binDir) {
  std::vector<SheetTile> tiles;
  std::set<std::string> shown;
  const std::string binFolder = platform::WithSep(binDir);
  for (const std::string& mp3 : platform::ListFiles(platform::WithSep(sourceDir), "*.mp3").names) {
    SheetTile tile;
    tile.caption = mp3.size() > 4 ? mp3.substr(0, mp3.size() - 4) : mp3;
    const std::string bin = binFolder + platform::OemToAnsi(PictureBaseName(mp3)) + ".BIN";
    if (const auto found = platform::FindNoCase(bin); found && !platform::IsDirectory(*found)) {
      tile.binPath = *found;
      shown.insert(platform::LowerAscii(*found));
    }
    tiles.push_back(tile);
  }
  for (const std::string& name : platform::ListFiles(binFolder, "*.bin").names) {
    if (shown.count(platform::LowerAscii(binFolder + name))) continue;
    tiles.push_back({name, binFolder + name, TileState::kNoPicture, {}});
  }
  return tiles;
}

TvSheet MakeTvSheet(std::vector<SheetTile> tiles, int overscan, PassReport* report) {
  const int count = static_cast<int>(tiles.size());
  const int columns = std::clamp(count, 1, kColumns);
  const int rows = std::max(1, (count + kColumns - 1) / kColumns);
  const int cellHeight = kTvHeight + kCaption + kGap;
  TvSheet sheet;
  sheet.image =
      QImage(kGap + columns * (kTvWidth + kGap), kGap + rows * cellHeight, QImage::Format_RGB888);
  sheet.image.fill(kSheetColour);
  QPainter p(&sheet.image);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(18);
  p.setFont(font);
  const QFontMetrics metrics(font);

  for (int i = 0; i < count; ++i) {
    SheetTile& tile = tiles[static_cast<std::size_t>(i)];
    tile.picture = QRect(kGap + (i % kColumns) * (kTvWidth + kGap),
                         kGap + (i / kColumns) * cellHeight, kTvWidth, kTvHeight);
    const Bitmap picture = tile.binPath.empty() ? Bitmap{} : TvPicture(tile.binPath);
    tile.state = !picture.empty()       ? TileState::kPicture
                 : tile.binPath.empty() ? TileState::kNoPicture
                                        : TileState::kBroken;
    if (tile.state == TileState::kPicture) {
      p.drawImage(tile.picture.topLeft(), ToImage(picture));
      ShadeOverscan(p, tile.picture, overscan);
    } else {
      p.fillRect(tile.picture, kEmptyColour);
      p.setPen(
          QPen(tile.state == TileState::kBroken ? QColor(220, 60, 60) : QColor(200, 200, 200), 3));
      p.drawRect(tile.picture.adjusted(1, 1, -2, -2));
      p.drawText(tile.picture, Qt::AlignCenter,
                 Qt8(LanguageString(tile.state == TileState::kBroken ? str::kSheetBrokenPicture
                                                                     : str::kSheetNoPicture)));
    }
    p.setPen(Qt::white);
    const QRect caption(tile.picture.x(), tile.picture.bottom() + 1, kTvWidth, kCaption);
    p.drawText(caption, Qt::AlignLeft | Qt::AlignVCenter,
               metrics.elidedText(Qt8(tile.caption), Qt::ElideRight, kTvWidth));
    if (report) report->Progress(i + 1, count);
  }
  p.end();
  sheet.tiles = std::move(tiles);
  return sheet;
}

}  // namespace tovix
