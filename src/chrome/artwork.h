#pragma once
// The artwork compiled into the program: the two skins with their masks,
// the page background and the button glyphs.
#include <QIcon>
#include <QPixmap>
#include <cstdint>
#include <vector>

namespace tovix::chrome {

class TCoolForm;

enum class Skin {
  Main,     // the main window, 779 x 582
  Toolbar,  // the toolbar window, 84 x 304
};

enum class Glyph { Load, Play, Pause, Stop, Off, Home };

// The skin picture.
QPixmap SkinPicture(Skin skin);
// The skin's stored "Mask2" value (4 bytes N, then the region data).
std::vector<std::uint8_t> SkinMask2(Skin skin);
// Puts the skin and its mask on a face; false when the mask could not be read.
bool ApplySkin(TCoolForm& face, Skin skin);

// The 708 x 419 background shared by all pages.
QPixmap PageBackground();

// A button glyph (about 17 x 17, light on transparent).
QPixmap GlyphPicture(Glyph glyph);
QIcon GlyphIcon(Glyph glyph);

}  // namespace tovix::chrome
