#pragma once
// The save file chooser of the pages that write a file the user names.
#include <string>

class QWidget;

namespace tovix {

// The chosen path (Windows-1252), "" when cancelled or when the name has a
// character the program cannot write (said in a message over parent).
// filter in "Name|*.ext" form.
std::string ChooseSaveFile(QWidget* parent, const std::string& title, const std::string& filter);

}  // namespace tovix
