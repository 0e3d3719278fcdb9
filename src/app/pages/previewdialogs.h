#pragma once
// The standard dialogs of the preview page: font chooser, position prompt,
// picture file chooser.
#include <optional>
#include <string>

#include "app/pages/previewpage.h"

class QFontDialog;
class QString;
class QWidget;

namespace tovix {

// A filter in the form "Name|*.a;*.b|Name|*.c" turned into Qt's
// "Name (*.a *.b);;Name (*.c)". A name that already ends in the patterns in
// parentheses gets them replaced rather than repeated. Empty when the text
// holds no pattern.
std::string ToQtFileFilter(const std::string& filter);

// A font style name ("Bold Italic", "Book") in the words of the installed
// Qt translation; unchanged without one.
QString TranslatedStyleName(const QString& name);
// Qt's font dialog lists the font files' English style names: it shows
// them translated (the names it looks the faces up by stay).
void TranslateStyleNames(QFontDialog& dialog);
// The font chooser's colour button: "Farbe..." in the loaded language.
QString ColorButtonCaption();
// FontDialog1: Qt's font dialog with a colour button, preset with preset.
std::optional<FontSetting> ChooseFont(const FontSetting& preset, QWidget* parent);
// The one-line prompt "Format X:Y"; the preset when cancelled.
std::string AskPosition(const std::string& caption, const std::string& preset, QWidget* parent);
// GetBitmapname: an open dialog starting in the folder of startFile.
std::optional<std::string> ChoosePictureFile(const std::string& startFile,
                                             const std::string& filter, QWidget* parent);

}  // namespace tovix
