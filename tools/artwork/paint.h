#pragma once
// Drawing the pictures. All sizes are those the windows are laid out for.
#include <QImage>

#include "shapes.h"

namespace artwork {

QImage PaintMainSkin(const Outline& outline);
QImage PaintToolbarSkin(const Outline& outline);
QImage PaintPageBackground();
// The desktop icon: the main skin, scaled into a transparent 256 x 256 square.
QImage PaintIcon(const QImage& mainSkin);

enum class GlyphKind { Load, Play, Pause, Stop, Off, Home };
QImage PaintGlyph(GlyphKind kind);

}  // namespace artwork
