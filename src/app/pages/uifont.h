#pragma once
// The program's fonts: Tahoma from the Wine fonts when present, sizes given
// in pixels or in points at 96 dots per inch whatever the screen.
#include <QFont>

namespace tovix {

// Registers tahoma.ttf and tahomabd.ttf once; later calls do nothing.
void RegisterProgramFonts();

// round(points * 96 / 72).
int PointsToPixels(int points);

// Tahoma (or the nearest sans font) at a pixel size.
QFont UiFont(int pixels, bool bold = true, const QString& family = QStringLiteral("Tahoma"));

}  // namespace tovix
