// The documentation's screenshots, rendered off-screen from the program's
// own windows: every page in German, one page in English and in French, and
// the song picture the preview page makes. docs/screenshots/make.sh runs it:
//   tovix_screenshots PROGRAM_DIR DEMO_DIR OUT_DIR [all]
// PROGRAM_DIR holds tovix.lng; DEMO_DIR is a folder made by tovix-cli demo.
// With "all", every page in every language is grabbed from the screen
// (run it under Xvfb to see what a user sees).
#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QScreen>
#include <cstdio>
#include <functional>

#include "app/mainwindow.h"
#include "app/pages/previewpage.h"
#include "app/toolbar.h"
#include "lang/sellang.h"
#include "picture/songtexts.h"
#include "platform/filesys.h"

namespace {

using tovix::MainWindow;

// Both windows as they stand on the screen, the toolbar at its place
// beside the main window, each cut to its skin's shape.
QImage Render(MainWindow& main, QWidget& toolbar) {
  const QRect both = main.geometry().united(toolbar.geometry());
  QImage image(both.size(), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  for (QWidget* window : {static_cast<QWidget*>(&main), &toolbar}) {
    const QPoint at = window->pos() - both.topLeft();
    painter.save();
    if (!window->mask().isEmpty()) painter.setClipRegion(window->mask().translated(at));
    painter.drawPixmap(at, window->grab());
    painter.restore();
  }
  return image;
}

struct Shot {
  const char* file;
  int language;
  std::function<void(MainWindow&)> open;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: tovix_screenshots PROGRAM_DIR DEMO_DIR OUT_DIR\n");
    return 2;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName(QStringLiteral("Tovix (Rovez/Kiss/Tokai ) DVD 71x"));
  const QString programDir = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
  const QString demo = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
  const QString out = QDir(QString::fromLocal8Bit(argv[3])).absolutePath();

  // A settings file of its own, so the user's stays untouched: the demo's
  // songs, pictures and background.
  QDir().mkpath(out);
  const QString settingsDir = QDir::temp().filePath(QStringLiteral("tovix-screenshots"));
  QDir(settingsDir).removeRecursively();
  QDir().mkpath(settingsDir);
  const QStringList songs = QDir(demo).entryList({QStringLiteral("*.mp3")}, QDir::Files);
  const QStringList pictures =
      QDir(demo).entryList({QStringLiteral("*.jpg"), QStringLiteral("*.bmp")}, QDir::Files);
  QFile ini(settingsDir + QStringLiteral("/tovix.ini"));
  if (!ini.open(QIODevice::WriteOnly)) return 1;
  QString settings = QStringLiteral("[Tovix]\r\nmp3dir=%1\r\nbindir=%1\r\n").arg(demo);
  // A song named "artist - title" shows a whole picture.
  const QStringList named = songs.filter(QStringLiteral(" - "));
  const QStringList& pick = named.isEmpty() ? songs : named;
  if (!pick.isEmpty()) settings += QStringLiteral("lastfile=%1/%2\r\n").arg(demo, pick.first());
  if (!pictures.isEmpty())
    settings += QStringLiteral("bitmap=%1/%2\r\nScale=2\r\n").arg(demo, pictures.first());
  ini.write(settings.toUtf8());
  ini.close();
  tovix::platform::SetProgramDir(QDir::toNativeSeparators(settingsDir).toStdString() + "/");

  MainWindow mainWindow;
  mainWindow.ShowError = [](const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
  };
  mainWindow.SetLanguageFile((programDir + QStringLiteral("/tovix.lng")).toStdString());
  mainWindow.ChooseLanguage = [](int current) { return current; };
  tovix::Toolbar toolbar(&mainWindow);
  mainWindow.SetToolbar(&toolbar);
  mainWindow.move(0, 0);
  mainWindow.show();
  toolbar.PlaceBesideMain();
  toolbar.show();
  QApplication::processEvents();

  auto page = [](void (MainWindow::*click)()) { return [click](MainWindow& f) { (f.*click)(); }; };
  const Shot shots[] = {
      {"start.png", 0, [](MainWindow& f) { f.showInfoText(); }},
      {"page1.png", 0, page(&MainWindow::showDirectoriesPage)},
      {"page2.png", 0, page(&MainWindow::showRecodePage)},
      {"page21.png", 0, page(&MainWindow::showRecodeOptions)},
      {"page3.png", 0, page(&MainWindow::showRenamePage)},
      {"page31.png", 0, page(&MainWindow::showRenameOptions)},
      {"page4.png", 0, page(&MainWindow::showBinPage)},
      {"preview.png", 0, [](MainWindow& f) { f.showPreviewPage(); }},
      {"page6.png", 0, page(&MainWindow::showCdBatchPage)},
      {"preview-en.png", 1, [](MainWindow& f) { f.showPreviewPage(); }},
      {"page4-fr.png", 2, page(&MainWindow::showBinPage)},
  };
  int failures = 0;
  int language = -1;
  if (argc > 4 && QLatin1String(argv[4]) == QLatin1String("all")) {
    const char* names[] = {"start",  "page1", "page2",   "page21", "page3",
                           "page31", "page4", "preview", "page6"};
    for (int l = 0; l < 3; ++l) {
      mainWindow.MutableSettings().Language = l;
      mainWindow.ApplyLanguage(static_cast<std::uint16_t>(l));
      for (int i = 0; i < 9; ++i) {
        mainWindow.ResetPageView();
        shots[i].open(mainWindow);
        for (int wait = 0; wait < 20; ++wait) QApplication::processEvents();
        const QRect both = mainWindow.frameGeometry().united(toolbar.frameGeometry());
        const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage().copy(both);
        if (!screen.save(out + QStringLiteral("/%1-%2.png").arg(QLatin1String(names[i])).arg(l)))
          ++failures;
      }
    }
    mainWindow.FormDestroy();
    QDir(settingsDir).removeRecursively();
    return failures == 0 ? 0 : 1;
  }
  for (const Shot& shot : shots) {
    if (shot.language != language) {
      language = shot.language;
      mainWindow.MutableSettings().Language = language;
      mainWindow.ApplyLanguage(static_cast<std::uint16_t>(language));
    }
    mainWindow.ResetPageView();
    shot.open(mainWindow);
    QApplication::processEvents();
    if (!Render(mainWindow, toolbar).save(out + QLatin1Char('/') + QLatin1String(shot.file))) {
      std::fprintf(stderr, "cannot write %s\n", shot.file);
      ++failures;
    }
  }

  // The song picture as the BIN run takes it: layout controls hidden.
  mainWindow.MutableSettings().Language = 0;
  mainWindow.ApplyLanguage(0);
  mainWindow.showPreviewPage();
  mainWindow.previewPage->SetLayoutControlsVisible(false);
  const QString bmp = settingsDir + QStringLiteral("/BM1.BMP");
  mainWindow.previewPage->SaveSongPicture(bmp.toStdString(), "", false, true);
  if (!QImage(bmp).save(out + QStringLiteral("/song.png"))) ++failures;
  mainWindow.previewPage->SetLayoutControlsVisible(true);

  // The settings file written at close goes with its folder.
  mainWindow.FormDestroy();
  QDir(settingsDir).removeRecursively();
  return failures == 0 ? 0 : 1;
}
