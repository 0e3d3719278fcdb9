#pragma once
// The page's side of the label fonts: what its font and colour dialogs give
// back. The painter's side is picture/picturefonts.h.
#include <QColor>
#include <QString>
#include <cstdint>
#include <string>

#include "picture/picturefonts.h"

namespace tovix {

// The colour number of an RGB colour (0x00BBGGRR).
std::int32_t NumberFromColor(const QColor& color);

// Characters that Windows-1252 lacks become '_'.
std::string ToAnsi(const QString& text);

}  // namespace tovix
