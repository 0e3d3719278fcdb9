#pragma once
// Drawing the pictures. All sizes are those the windows are laid out for.
#include <QImage>

#include "shapes.h"

namespace artwork {

QImage PaintMainSkin(const Outline& outline);
QImage PaintToolbarSkin(const Outline& outline);
QImage PaintPageBackground();

enum class GlyphKind { Load, Play, Pause, Stop, Off, Home };
QImage PaintGlyph(GlyphKind kind);

}  // namespace artwork
