// Tovix: start-up. The windows come first; nothing slow runs before the
// main window shows.
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/form1.h"
#include "app/form2.h"
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

  tovix::TForm1 form1;
  // The language dialog reads the list of languages; without one the
  // program cannot show a single text.
  tovix::TSelSpra selSpra(form1.CurrentSettings().Language);
  if (!selSpra.listFound()) {
    tovix::ShowLanguageFailure(tovix::LanguageResult::kStringlistNotFound);
    return 1;
  }
  form1.SetLanguageDialog(&selSpra);
  tovix::TForm2 form2(&form1);
  form1.SetToolbar(&form2);
  QObject::connect(&form1, &tovix::TForm1::closed, &app, &QApplication::quit);

  form1.show();
  form2.PlaceBesideMain();
  form2.show();
  return app.exec();
}
