#pragma once
// Fonts and colours of the song picture's labels: the platform's colour
// numbers, point sizes at 96 dots per inch, and the Tahoma files of
// fonts-wine. Needs a QGuiApplication.
#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>
#include <cstdint>
#include <string>

#include "settings/settings.h"

namespace tovix {

// Pixel size of a point size at 96 dpi, whatever the screen: 20 pt -> 27 px.
int PixelSizeForPoints(int points);
// Point size back from a pixel size (the nearest whole point).
int PointsForPixelSize(int pixels);

// A colour number: a system colour when the high bit is set (its low byte
// is the system colour index, mapped to the palette), else 0x00BBGGRR.
QColor ColorFromNumber(std::int32_t number, const QPalette& palette);

// The label font of a setting: family, pixel size, bold, italic.
QFont QFontFrom(const FontSetting& font);

// Registers Tahoma from /usr/share/wine/fonts with the font database, once
// per process; later calls do nothing. The bold face (tahomabd.ttf) is
// registered beside the regular one when its strokes really are heavier;
// otherwise bold is drawn from the regular face. True when Tahoma is
// available afterwards (registered here or already installed).
bool RegisterTahomaFonts();

// Windows-1252 text for Qt.
QString FromAnsi(const std::string& text);

}  // namespace tovix
