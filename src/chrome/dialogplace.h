#pragma once
// Dialogs open wholly on the screen: a dialog placed over a window near an
// edge (the toolbar, a main window moved aside) is moved back onto it.
class QWidget;

namespace tovix::chrome {

// Moves a top-level window so its frame lies on the available area of the
// screen it is on (the primary screen when it is on none).
void MoveOntoScreen(QWidget& window);

// From now on every dialog of the application is moved onto its screen when
// it shows. Needs the application object; installs once.
void KeepDialogsOnScreen();

}  // namespace tovix::chrome
