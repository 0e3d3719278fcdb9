#pragma once
// The fonts of the windows' own controls (Tahoma where present, see
// RegisterTahomaFonts), at a pixel size.
#include <QFont>

namespace tovix {

// Tahoma (or the nearest sans font) at a pixel size.
QFont UiFont(int pixels, bool bold = true, const QString& family = QStringLiteral("Tahoma"));

}  // namespace tovix
