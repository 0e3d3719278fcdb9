#include "picture/picturefonts.h"

#include <QFontDatabase>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <cmath>
#include <mutex>

#include "platform/codepage.h"
#include "settings/settings.h"

namespace tovix {

int PixelSizeForPoints(int points) {
  return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

int PointsForPixelSize(int pixels) {
  return static_cast<int>(std::lround(pixels * 72.0 / 96.0));
}

QColor ColorFromNumber(std::int32_t number, const QPalette& palette) {
  const auto bits = static_cast<std::uint32_t>(number);
  if (bits & 0x80000000u) {
    // The Windows system colour indices that have a palette role.
    switch (bits & 0xFFu) {
      case 5:
        return palette.color(QPalette::Window);
      case 13:
        return palette.color(QPalette::Highlight);
      case 14:
        return palette.color(QPalette::HighlightedText);
      case 15:
        return palette.color(QPalette::Button);
      case 18:
        return palette.color(QPalette::ButtonText);
      default:
        return palette.color(QPalette::WindowText);
    }
  }
  return QColor(static_cast<int>(bits & 0xFFu), static_cast<int>((bits >> 8) & 0xFFu),
                static_cast<int>((bits >> 16) & 0xFFu));
}

QFont QFontFrom(const FontSetting& font) {
  QFont result(FromAnsi(font.name));
  result.setPixelSize(std::max(1, PixelSizeForPoints(font.size)));
  result.setBold(font.bold);
  result.setItalic(font.italic);
  // Same glyphs on every machine: no hinting differences between screens.
  result.setHintingPreference(QFont::PreferNoHinting);
  return result;
}

namespace {

constexpr const char* kTahoma = "/usr/share/wine/fonts/tahoma.ttf";
constexpr const char* kTahomaBold = "/usr/share/wine/fonts/tahomabd.ttf";

// Glyph pixels of a sample text drawn from one font file.
long InkOf(const char* file) {
  const QRawFont raw(QString::fromLatin1(file), 40.0, QFont::PreferNoHinting);
  if (!raw.isValid()) return 0;
  const QList<quint32> glyphs = raw.glyphIndexesForString(QStringLiteral("The Artist 0123"));
  const QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs);
  QList<QPointF> positions;
  qreal x = 4;
  for (const QPointF& advance : advances) {
    positions.append(QPointF(x, 44));
    x += advance.x();
  }
  QGlyphRun run;
  run.setRawFont(raw);
  run.setGlyphIndexes(glyphs);
  run.setPositions(positions);
  QImage image(static_cast<int>(x) + 8, 60, QImage::Format_Grayscale8);
  image.fill(0);
  {
    QPainter painter(&image);
    painter.setPen(Qt::white);
    painter.drawGlyphRun(QPointF(0, 0), run);
  }
  long ink = 0;
  for (int y = 0; y < image.height(); ++y) {
    const uchar* line = image.constScanLine(y);
    for (int i = 0; i < image.width(); ++i) ink += line[i];
  }
  return ink;
}

}  // namespace

bool RegisterTahomaFonts() {
  static std::once_flag once;
  static bool available = false;
  std::call_once(once, [] {
    QFontDatabase::addApplicationFont(QString::fromLatin1(kTahoma));
    // Some builds of fonts-wine ship a "Tahoma Bold" whose strokes are no
    // heavier than the regular face, so bold labels would look regular.
    // Such a face stays unregistered and bold is drawn by emboldening the
    // regular one instead.
    const long regular = InkOf(kTahoma);
    if (InkOf(kTahomaBold) > regular + regular / 8)
      QFontDatabase::addApplicationFont(QString::fromLatin1(kTahomaBold));
    available = QFontDatabase::families().contains(QStringLiteral("Tahoma"), Qt::CaseInsensitive);
  });
  return available;
}

QString FromAnsi(const std::string& text) {
  return QString::fromStdString(platform::AnsiToUtf8(text));
}

}  // namespace tovix
