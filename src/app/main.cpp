// Tovix: start-up. The windows come first; nothing slow runs before the
// main window shows.
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/mainwindow.h"
#include "app/toolbar.h"
#include "lang/sellang.h"
#include "platform/signals.h"

namespace {

bool HasDisplay() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform && *platform) return true;  // the user chose one, e.g. offscreen
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 && *x11) || (wayland && *wayland);
}

}  // namespace

int main(int argc, char** argv) {
  tovix::platform::IgnoreFileSizeSignal();
  if (!HasDisplay()) {
    std::fprintf(stderr,
                 "Tovix ist ein Programm mit Fenstern und braucht eine grafische Sitzung "
                 "(DISPLAY ist nicht gesetzt).\n"
                 "Tovix is a desktop program and needs a graphical session (no DISPLAY is set).\n");
    return 1;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tovix"));
  QApplication::setApplicationDisplayName(QStringLiteral("Tovix (Rovez/Kiss/Tokai ) DVD 71x"));

  tovix::MainWindow mainWindow;
  // The language dialog reads the list of languages; without one the
  // program cannot show a single text.
  tovix::LanguageDialog languageDialog(mainWindow.CurrentSettings().Language);
  if (!languageDialog.listFound()) {
    tovix::ShowLanguageFailure(tovix::LanguageResult::kStringlistNotFound);
    return 1;
  }
  mainWindow.SetLanguageDialog(&languageDialog);
  tovix::Toolbar toolbar(&mainWindow);
  mainWindow.SetToolbar(&toolbar);
  QObject::connect(&mainWindow, &tovix::MainWindow::closed, &app, &QApplication::quit);

  mainWindow.show();
  toolbar.PlaceBesideMain();
  toolbar.show();
  return app.exec();
}
