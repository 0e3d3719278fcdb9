#include "app/pages/uifont.h"

#include <QFontDatabase>
#include <cmath>

namespace tovix {

void RegisterProgramFonts() {
  static const bool registered = [] {
    for (const char* file :
         {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"})
      QFontDatabase::addApplicationFont(QString::fromLatin1(file));
    return true;
  }();
  (void)registered;
}

int PointsToPixels(int points) {
  return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

QFont UiFont(int pixels, bool bold, const QString& family) {
  QFont font(family);
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

}  // namespace tovix
