// Screenshots for the documentation: the main window on the preview page
// with a background picture and a song, grabbed from the X screen, and the
// song picture the page makes. Run under Xvfb from a folder holding
// tovix.lng:
//   preview_screenshot PROGRAM_DIR OUT_DIR
// PROGRAM_DIR must hold tovix.ini (lastfile, bitmap, Scale, ...).
#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <cstdio>

#include "app/form1.h"
#include "app/form2.h"
#include "app/pages/previewpage.h"
#include "lang/sellang.h"
#include "picture/songtexts.h"
#include "platform/filesys.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: preview_screenshot PROGRAM_DIR OUT_DIR\n");
    return 2;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName(QStringLiteral("Tovix (Rovez/Kiss/Tokai ) DVD 71x"));
  tovix::platform::SetProgramDir(argv[1]);
  const QString out = QString::fromLocal8Bit(argv[2]);

  tovix::TForm1 form1;
  // Until the player wires it, the song is composed here.
  tovix::Mp3Info info;
  tovix::SongTexts texts;
  if (!form1.ComposeSongTexts)
    form1.ComposeSongTexts = [&](const std::string& mp3) {
      tovix::ComposeSongTexts(mp3, info, texts);
      form1.Seite5->SetSongTexts(texts);
    };
  tovix::TSelSpra selSpra(form1.CurrentSettings().Language);
  form1.SetLanguageDialog(&selSpra);
  tovix::TForm2 form2(&form1);
  form1.SetToolbar(&form2);
  form1.move(20, 20);
  form1.show();
  form2.PlaceBesideMain();
  form2.show();

  int status = 1;
  QTimer::singleShot(1500, [&] {
    form1.Label8Click();
    QTimer::singleShot(1500, [&] {
      const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
      const QRect both =
          form1.frameGeometry().united(form2.frameGeometry()).adjusted(-10, -10, 10, 10);
      const bool shotSaved = screen.copy(both).save(out + QStringLiteral("/preview.png"));
      // The song picture, as the BIN run makes it: layout controls hidden.
      form1.Seite5->SetLayoutControlsVisible(false);
      const std::string bmp = (out + QStringLiteral("/BM1.BMP")).toStdString();
      form1.Seite5->SaveSongPicture(bmp, "", false, false);
      const bool songSaved =
          QImage(QString::fromStdString(bmp)).save(out + QStringLiteral("/song.png"));
      form1.Seite5->SetLayoutControlsVisible(true);
      status = shotSaved && songSaved ? 0 : 1;
      QApplication::quit();
    });
  });
  app.exec();
  return status;
}
