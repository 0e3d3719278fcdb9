#pragma once
// The song picture, 704 x 480: the background placed by the scale mode, the
// five labels over their shadows and the black overscan bars. The preview
// page shows it and every picture file is made from it. Needs a
// QGuiApplication.
#include <QFont>
#include <QImage>
#include <array>
#include <cstdint>
#include <string>

#include "picture/layout.h"
#include "picture/songtexts.h"
#include "settings/settings.h"

namespace tovix {

// Everything of a song picture but the song and the background.
struct PictureLayout {
  FontSetting font1;  // Artist, Title
  FontSetting font2{"Tahoma", static_cast<std::int32_t>(0x80000008u), 14, true, true};
  // Top-left corners of Artist, Title, Laufzeit, Tech, Encoder; each
  // shadow lies one pixel right of and below its label.
  std::array<picture::Point, 5> positions{{{94, 84}, {94, 133}, {95, 272}, {95, 320}, {95, 368}}};
  std::uint8_t scaleMode = picture::kModeFullSize;
  int overscan = 30;
};

// The label texts, Windows-1252: Artist, Title, Laufzeit, Tech, Encoder.
using PictureLabels = std::array<std::string, 5>;

// What the labels of a song show: a sample text for each empty one, the
// running time after the language's prefix.
PictureLabels LabelTexts(const SongTexts& texts);

// A stored font over the label's own style: a stored bold or italic flag
// that is false removes nothing.
FontSetting WithLabelStyle(const FontSetting& stored, const FontSetting& own);
// The layout stored in the settings, over the default label styles.
PictureLayout LayoutFromSettings(const Settings& settings);

// Some faces (fonts-wine's Tahoma) draw accents on capitals above the ascent
// they give, where a label sized to the font would cut them off: the room
// they need above the text, the same for every text of the font.
int AccentRoom(const QFont& font);

// The picture in QImage::Format_RGB32. A null background leaves the area
// black.
QImage PaintSongPicture(const PictureLayout& layout, const QImage& background,
                        const PictureLabels& labels);

}  // namespace tovix
