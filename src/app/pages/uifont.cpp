#include "app/pages/uifont.h"

#include <QFontDatabase>

namespace tovix {

QFont UiFont(int pixels, bool bold, const QString& family) {
  QFont font(family);
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

}  // namespace tovix
