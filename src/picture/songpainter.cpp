#include "picture/songpainter.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QRegion>
#include <algorithm>

#include "lang/buildstrings.h"
#include "lang/sprachen.h"
#include "picture/picturefonts.h"

namespace tovix {

using picture::kPictureHeight;
using picture::kPictureWidth;

namespace {

const QRect kPicture(0, 0, kPictureWidth, kPictureHeight);

// Labels keep the plain-text label's alignment: left, centred vertically.
constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignAbsolute | Qt::TextExpandTabs;

std::string OrSample(const std::string& text, const char* sample) {
  return text.empty() ? sample : text;
}

QRect Placement(std::uint8_t mode, const QImage& picture, int overscan) {
  // A stored mode that is none of the five shows the picture at natural size.
  const picture::Rect place =
      picture::PlaceBackground(mode, picture.width(), picture.height(), overscan)
          .value_or(picture::PlaceFullSize(picture.width(), picture.height()));
  return QRect(place.left, place.top, place.width, place.height);
}

QRegion BarsRegion(int overscan) {
  QRegion bars;
  const auto placed = picture::PlaceOverscanBars(overscan);
  for (const picture::Rect& bar : {placed.top, placed.bottom, placed.left, placed.right})
    bars += QRect(bar.left, bar.top, bar.width, bar.height);
  return bars;
}

void DrawBackground(QPainter& painter, std::uint8_t mode, const QImage& background, int overscan) {
  if (background.isNull()) return;
  const QImage picture = background.convertToFormat(QImage::Format_RGB32);
  if (mode == picture::kModeTile) {
    painter.save();
    painter.setClipRect(kPicture);
    for (const auto& origin : picture::TileOrigins(picture.width(), picture.height()))
      painter.drawImage(QPoint(origin.x, origin.y), picture);
    painter.restore();
    return;
  }
  const QRect place = Placement(mode, picture, overscan);
  if (place.width() <= 0 || place.height() <= 0) return;
  painter.save();
  // Only what the bars leave open: a stretch clipped this way samples the
  // source pixels as the layout editor's stacked controls always did.
  painter.setClipRegion(QRegion(place & kPicture) - BarsRegion(overscan));
  painter.translate(place.topLeft());
  // Plain pixel stretching, no smoothing: what a stretch blit does.
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  if (picture::Stretched(mode))
    painter.drawImage(QRect(QPoint(0, 0), place.size()), picture);
  else
    painter.drawImage(QPoint(0, 0), picture);
  painter.restore();
}

void DrawLabel(QPainter& painter, const QFont& font, const QColor& color, int room,
               const QString& text, QPoint at) {
  const QRect text_box = QFontMetrics(font).boundingRect(0, 0, 2000, 2000, kTextFlags, text);
  const QRect label(at, QSize(text_box.width(), text_box.height() + room));
  painter.save();
  painter.setClipRect(label & kPicture);
  painter.translate(at);
  painter.setFont(font);
  painter.setPen(color);
  painter.drawText(QRect(0, room, label.width(), label.height() - room),
                   kTextFlags | Qt::AlignVCenter | Qt::TextForceLeftToRight, text);
  painter.restore();
}

}  // namespace

PictureLabels LabelTexts(const SongTexts& texts) {
  const std::string prefix = LanguageString(str::kRunningTimePrefix);
  return {
      // Song texts are Windows-1252 already: a second conversion would damage them.
      OrSample(texts.artist, "The Artist"),
      OrSample(texts.title, "The Title"),
      texts.runningTime.empty() ? prefix + " 00:00:00" : prefix + " " + texts.runningTime,
      OrSample(texts.tech, "123 kBit | 45678 Hz"),
      OrSample(texts.encoder, "The Encoder Engine"),
  };
}

FontSetting WithLabelStyle(const FontSetting& stored, const FontSetting& own) {
  FontSetting font = stored;
  font.bold = own.bold || stored.bold;
  font.italic = own.italic || stored.italic;
  return font;
}

PictureLayout LayoutFromSettings(const Settings& settings) {
  PictureLayout layout;
  layout.font1 = WithLabelStyle(settings.Font1, layout.font1);
  layout.font2 = WithLabelStyle(settings.Font2, layout.font2);
  for (int i = 0; i < 5; ++i)
    layout.positions[i] = {settings.Positions[i].left, settings.Positions[i].top};
  layout.scaleMode = settings.Scale;
  layout.overscan = settings.Overscan;
  return layout;
}

int AccentRoom(const QFont& font) {
  const QFontMetrics metrics(font);
  const QRect tallest =
      metrics.tightBoundingRect(QStringLiteral(u"\u00C2\u00C4\u00C5\u00C9\u00D6\u00DC"));
  return std::max(0, -tallest.top() - metrics.ascent());
}

QImage PaintSongPicture(const PictureLayout& layout, const QImage& background,
                        const PictureLabels& labels) {
  RegisterTahomaFonts();
  QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
  image.fill(Qt::black);
  QPainter painter(&image);
  DrawBackground(painter, layout.scaleMode, background, layout.overscan);

  const QFont fonts[2] = {QFontFrom(layout.font1), QFontFrom(layout.font2)};
  const int rooms[2] = {AccentRoom(fonts[0]), AccentRoom(fonts[1])};
  const QPalette system = QGuiApplication::palette();
  const QColor colors[2] = {ColorFromNumber(layout.font1.color, system),
                            ColorFromNumber(layout.font2.color, system)};
  auto draw = [&](int i, bool shadow) {
    const int f = i < 2 ? 0 : 1;
    const QPoint at(layout.positions[i].x + (shadow ? 1 : 0),
                    layout.positions[i].y + (shadow ? 1 : 0));
    DrawLabel(painter, fonts[f], shadow ? QColor(Qt::black) : colors[f], rooms[f],
              FromAnsi(labels[i]), at);
  };
  // Bottom up: the shadows under the labels, Title above all.
  for (int i : {4, 3, 2, 0}) draw(i, true);
  for (int i : {2, 3, 4, 0}) draw(i, false);
  draw(1, true);
  draw(1, false);

  // The overscan bars cover everything the television cuts off.
  for (const QRect& bar : BarsRegion(layout.overscan)) painter.fillRect(bar, Qt::black);
  return image;
}

}  // namespace tovix
