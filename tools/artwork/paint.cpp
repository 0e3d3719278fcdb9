#include "paint.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRegion>

namespace artwork {
namespace {

const QColor kGraphiteTop(0x4a, 0x50, 0x5a);
const QColor kGraphiteMid(0x2a, 0x2e, 0x35);
const QColor kGraphiteLow(0x16, 0x18, 0x1c);
const QColor kAccent(0xff, 0xb4, 0x2a);  // the amber of the displays

QRegion RegionOf(const Outline& o) {
  QRegion r;
  for (int i = 0; i < static_cast<int>(o.rows.size()); ++i)
    if (o.rows[i].right > o.rows[i].left)
      r += QRect(o.rows[i].left, o.top + i, o.rows[i].right - o.rows[i].left, 1);
  return r;
}

// The outline as a polygon through the row ends, for the bevel lines.
QPainterPath PathOf(const Outline& o, double inset) {
  QPolygonF poly;
  const int n = static_cast<int>(o.rows.size());
  for (int i = 0; i < n; ++i) poly << QPointF(o.rows[i].left + inset, o.top + i + 0.5);
  for (int i = n - 1; i >= 0; --i) poly << QPointF(o.rows[i].right - inset, o.top + i + 0.5);
  QPainterPath path;
  path.addPolygon(poly);
  path.closeSubpath();
  return path;
}

void Bevel(QPainter& p, const Outline& o, const QRect& box) {
  QLinearGradient light(box.topLeft(), box.bottomLeft());
  light.setColorAt(0, QColor(255, 255, 255, 150));
  light.setColorAt(0.5, QColor(255, 255, 255, 30));
  light.setColorAt(1, QColor(0, 0, 0, 160));
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QBrush(light), 1.6));
  p.drawPath(PathOf(o, 1.0));
  p.setPen(QPen(QColor(0, 0, 0, 110), 1.2));
  p.drawPath(PathOf(o, 4.0));
  p.setPen(QPen(QColor(255, 255, 255, 28), 1.0));
  p.drawPath(PathOf(o, 5.2));
}

// A recess cut into the face: dark rim, light lower edge.
void Well(QPainter& p, const QRectF& r, double radius, const QColor& fill) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 120));
  p.drawRoundedRect(r.adjusted(-2, -2, 2, 2), radius + 2, radius + 2);
  p.setBrush(QColor(255, 255, 255, 40));
  p.drawRoundedRect(r.adjusted(-1, 0, 1, 2), radius + 1, radius + 1);
  p.setBrush(fill);
  p.drawRoundedRect(r, radius, radius);
}

void GlassShine(QPainter& p, const QRectF& r, double radius) {
  QLinearGradient shine(r.topLeft(), QPointF(r.left(), r.top() + r.height() * 0.55));
  shine.setColorAt(0, QColor(255, 255, 255, 46));
  shine.setColorAt(1, QColor(255, 255, 255, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(shine);
  p.drawRoundedRect(r.adjusted(1, 1, -1, -r.height() * 0.45), radius, radius);
}

void Screw(QPainter& p, QPointF c) {
  QRadialGradient g(c - QPointF(1, 1), 4.5);
  g.setColorAt(0, QColor(0xc8, 0xcc, 0xd2));
  g.setColorAt(1, QColor(0x4a, 0x4e, 0x55));
  p.setPen(QPen(QColor(0, 0, 0, 150), 0.8));
  p.setBrush(g);
  p.drawEllipse(c, 3.6, 3.6);
  p.setPen(QPen(QColor(0x30, 0x33, 0x38), 1.0));
  p.drawLine(c + QPointF(-2.2, 1.2), c + QPointF(2.2, -1.2));
}

void Led(QPainter& p, QPointF c, const QColor& colour) {
  QRadialGradient g(c, 4);
  g.setColorAt(0, colour.lighter(160));
  g.setColorAt(0.5, colour);
  g.setColorAt(1, QColor(colour.red(), colour.green(), colour.blue(), 0));
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawEllipse(c, 4, 4);
}

void FaceGradient(QPainter& p, const QRect& box, Qt::Orientation along) {
  QLinearGradient g(box.topLeft(), along == Qt::Vertical ? box.bottomLeft() : box.topRight());
  g.setColorAt(0, kGraphiteTop);
  g.setColorAt(0.45, kGraphiteMid);
  g.setColorAt(1, kGraphiteLow);
  p.fillRect(box, g);
  // A soft sheen across the upper face.
  QRadialGradient sheen(box.left() + box.width() * 0.3, box.top(), box.width() * 0.7);
  sheen.setColorAt(0, QColor(255, 255, 255, 26));
  sheen.setColorAt(1, QColor(255, 255, 255, 0));
  p.fillRect(box, sheen);
}

}  // namespace

QImage PaintMainSkin(const Outline& o) {
  QImage img(o.width, o.height, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const QRegion face = RegionOf(o);
  p.setClipRegion(face);
  const QRect box = face.boundingRect();
  FaceGradient(p, box, Qt::Vertical);
  Bevel(p, o, box);

  // Logo strip above the screen.
  QFont logo("DejaVu Sans", 17, QFont::Black);
  logo.setLetterSpacing(QFont::AbsoluteSpacing, 5);
  p.setFont(logo);
  p.setPen(QColor(0, 0, 0, 140));
  p.drawText(QRect(41, 7, 200, 28), Qt::AlignLeft | Qt::AlignVCenter, "TOVIX");
  p.setPen(QColor(0xe6, 0xe9, 0xee));
  p.drawText(QRect(40, 6, 200, 28), Qt::AlignLeft | Qt::AlignVCenter, "TOVIX");
  QFont small("DejaVu Sans", 7, QFont::Bold);
  small.setLetterSpacing(QFont::AbsoluteSpacing, 2);
  p.setFont(small);
  p.setPen(QColor(0x9a, 0xa2, 0xad));
  p.drawText(QRect(160, 6, 300, 28), Qt::AlignLeft | Qt::AlignVCenter,
             "MP3  \xc2\xb7  BIN  \xc2\xb7  DVD-71x");
  Led(p, QPointF(712, 20), kAccent);
  Led(p, QPointF(726, 20), QColor(0x50, 0xd0, 0x60));
  Screw(p, QPointF(20, 22));
  Screw(p, QPointF(758, 22));

  // The screen: pages and the info text lie on it, so it is light.
  const QRectF screen(29, 36, 714, 486);
  Well(p, screen, 6, QColor(0x10, 0x12, 0x15));
  QLinearGradient glass(screen.topLeft(), screen.bottomLeft());
  glass.setColorAt(0, QColor(0xe4, 0xe9, 0xef));
  glass.setColorAt(1, QColor(0xbf, 0xc8, 0xd2));
  p.setBrush(glass);
  p.drawRoundedRect(screen.adjusted(2, 2, -2, -2), 4, 4);

  // Bottom control strip: page numbers, status display, clock.
  Well(p, QRectF(28, 530, 176, 24), 5, QColor(0x12, 0x14, 0x17));
  const QRectF display(212, 532, 353, 30);
  Well(p, display, 5, QColor(0x0a, 0x0c, 0x0a));
  QRadialGradient glow(display.center(), display.width() / 2);
  glow.setColorAt(0, QColor(0x3a, 0x30, 0x10, 110));
  glow.setColorAt(1, QColor(0x3a, 0x30, 0x10, 0));
  p.setBrush(glow);
  p.drawRoundedRect(display, 5, 5);
  GlassShine(p, display, 5);
  const QRectF clock(588, 531, 133, 26);
  Well(p, clock, 5, QColor(0x0c, 0x0a, 0x0a));
  GlassShine(p, clock, 5);

  // Grille lines between the screen and the strip, right of the display.
  p.setPen(QPen(QColor(0, 0, 0, 90), 1));
  for (int x = 590; x < 720; x += 4) p.drawLine(QPointF(x + 0.5, 562), QPointF(x + 0.5, 568));
  p.setPen(QPen(QColor(255, 255, 255, 22), 1));
  for (int x = 591; x < 720; x += 4) p.drawLine(QPointF(x + 0.5, 562), QPointF(x + 0.5, 568));
  p.end();
  return img;
}

QImage PaintToolbarSkin(const Outline& o) {
  QImage img(o.width, o.height, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const QRegion face = RegionOf(o);
  p.setClipRegion(face);
  const QRect box = face.boundingRect();
  FaceGradient(p, box, Qt::Vertical);
  QLinearGradient side(box.topLeft(), box.topRight());
  side.setColorAt(0, QColor(255, 255, 255, 20));
  side.setColorAt(0.5, QColor(0, 0, 0, 0));
  side.setColorAt(1, QColor(0, 0, 0, 60));
  p.fillRect(box, side);
  Bevel(p, o, box);

  QFont title("DejaVu Sans", 7, QFont::Black);
  title.setLetterSpacing(QFont::AbsoluteSpacing, 2);
  p.setFont(title);
  p.setPen(QColor(0xd8, 0xdc, 0xe2));
  p.drawText(QRect(5, 13, 76, 16), Qt::AlignCenter, "TOVIX");
  Led(p, QPointF(70, 21), kAccent);

  // Wells behind the page buttons, the player buttons and the off button.
  Well(p, QRectF(15, 31, 59, 148), 5, QColor(0x14, 0x16, 0x1a));
  Well(p, QRectF(15, 185, 59, 57), 5, QColor(0x14, 0x16, 0x1a));
  Well(p, QRectF(15, 250, 58, 32), 5, QColor(0x1c, 0x10, 0x10));
  Screw(p, QPointF(43, 290));
  p.end();
  return img;
}

QImage PaintPageBackground() {
  QImage img(708, 419, QImage::Format_RGB32);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 0, 0, 419);
  g.setColorAt(0, QColor(0xec, 0xf0, 0xf4));
  g.setColorAt(1, QColor(0xc6, 0xcf, 0xd9));
  p.fillRect(img.rect(), g);
  QRadialGradient light(530, 40, 420);
  light.setColorAt(0, QColor(255, 255, 255, 90));
  light.setColorAt(1, QColor(255, 255, 255, 0));
  p.fillRect(img.rect(), light);
  // Wide, faint arcs as on a record's grooves, low in the right corner.
  p.setPen(QPen(QColor(0x5a, 0x6a, 0x80, 18), 1.2));
  for (int r = 120; r < 520; r += 14) p.drawEllipse(QPointF(760, 470), r, r);
  p.setPen(QPen(QColor(255, 255, 255, 160), 1));
  p.drawLine(QPointF(0.5, 0.5), QPointF(707.5, 0.5));
  p.setPen(QPen(QColor(0x80, 0x8c, 0x9a), 1));
  p.drawLine(QPointF(0.5, 418.5), QPointF(707.5, 418.5));
  p.end();
  return img;
}

QImage PaintGlyph(GlyphKind kind) {
  QImage img(17, 17, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor ink = kind == GlyphKind::Off ? QColor(0xff, 0x4a, 0x3a) : QColor(0xf2, 0xf4, 0xf7);
  p.setPen(Qt::NoPen);
  p.setBrush(ink);
  switch (kind) {
    case GlyphKind::Load: {
      QPolygonF up;
      up << QPointF(8.5, 2.5) << QPointF(15, 10) << QPointF(2, 10);
      p.drawPolygon(up);
      p.drawRect(QRectF(2, 12, 13, 2.5));
      break;
    }
    case GlyphKind::Play: {
      QPolygonF tri;
      tri << QPointF(4, 2) << QPointF(15, 8.5) << QPointF(4, 15);
      p.drawPolygon(tri);
      break;
    }
    case GlyphKind::Pause:
      p.drawRect(QRectF(3.5, 2.5, 3.5, 12));
      p.drawRect(QRectF(10, 2.5, 3.5, 12));
      break;
    case GlyphKind::Stop:
      p.drawRoundedRect(QRectF(3, 3, 11, 11), 1.5, 1.5);
      break;
    case GlyphKind::Off: {
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(ink, 2.2, Qt::SolidLine, Qt::RoundCap));
      p.drawArc(QRectF(2.5, 3, 12, 12), 120 * 16, 300 * 16);
      p.drawLine(QPointF(8.5, 1.8), QPointF(8.5, 8.5));
      break;
    }
    case GlyphKind::Home: {
      QPolygonF roof;
      roof << QPointF(8.5, 1.5) << QPointF(16, 8.5) << QPointF(1, 8.5);
      p.drawPolygon(roof);
      p.drawRect(QRectF(3.5, 8, 10, 7));
      p.setBrush(QColor(0x2a, 0x2e, 0x35));
      p.drawRect(QRectF(7, 10.5, 3, 4.5));
      break;
    }
  }
  p.end();
  return img;
}

QImage PaintIcon(const QImage& mainSkin) {
  constexpr int kSide = 256;
  QImage icon(kSide, kSide, QImage::Format_ARGB32);
  icon.fill(Qt::transparent);
  const QImage scaled =
      mainSkin.scaled(kSide, kSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  QPainter painter(&icon);
  painter.drawImage((kSide - scaled.width()) / 2, (kSide - scaled.height()) / 2, scaled);
  return icon;
}

}  // namespace artwork
