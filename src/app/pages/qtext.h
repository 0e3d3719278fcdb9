#pragma once
// The caption conventions the language file is written in.
#include <QString>
#include <string>

#include "app/pages/previewfonts.h"  // FromAnsi, ToAnsi

class QWidget;

namespace tovix {

// A caption as the language file writes it: "&&" is one ampersand, a single
// "&" marks an accelerator (dropped here), CR or CR LF is a line break.
QString PlainCaption(const std::string& ansi);

// "Name|*.a;*.b|Other|*.c" to Qt's "Name (*.a *.b);;Other (*.c)". A pattern
// list already given in brackets at the end of a name is not repeated.
QString FilterToQt(const std::string& filter);

// Sets the visible text of a label, button, check box, group box or
// window, whichever the widget is. Returns false for other widgets.
bool SetCaption(QWidget* widget, const std::string& ansi);

}  // namespace tovix
