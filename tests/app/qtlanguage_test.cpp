// Qt's own words follow the program's language: the file dialog's sizes
// and dates, the font dialog's style names.
#include <gtest/gtest.h>

#include <QAbstractProxyModel>
#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>

#include "app/pages/previewdialogs.h"
#include "app/qttranslation.h"
#include "chrome/filedialoglocale.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

struct Language {
  const char* locale;
  const char* bold;  // a font's "Bold" face
  const char* book;  // a font's "Book" (regular) face
};

class QtLanguage : public ::testing::TestWithParam<Language> {
 protected:
  void TearDown() override { InstallQtTranslation(QString()); }
};

TEST_P(QtLanguage, StandardDialogsSpeakTheProgramsLanguage) {
  const Language& l = GetParam();
  InstallQtTranslation(QString::fromLatin1(l.locale));
  const QLocale locale(QString::fromLatin1(l.locale));

  // The font dialog lists the file's names, "Book" and "Bold" for DejaVu.
  EXPECT_EQ(TranslatedStyleName(QStringLiteral("Bold")), QString::fromUtf8(l.bold));
  EXPECT_EQ(TranslatedStyleName(QStringLiteral("Book")), QString::fromUtf8(l.book));

  // A file of 1536 bytes from the 9th of December: size and date as the
  // language writes them.
  test::TempDir dir;
  test::WriteFile(dir.file("song.mp3"), std::string(1536, 'x'));
  const QDateTime stamp(QDate(2026, 12, 9), QTime(20, 30));
  QFile file(QString::fromStdString(dir.file("song.mp3")));
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  ASSERT_TRUE(file.setFileTime(stamp, QFileDevice::FileModificationTime));
  file.close();
  QFileDialog dialog(nullptr, QString(), QString::fromStdString(dir.path()));
  dialog.setViewMode(QFileDialog::Detail);
  chrome::SpeakProgramLanguage(dialog);
  dialog.show();
  auto* files = qobject_cast<QFileSystemModel*>(dialog.proxyModel()->sourceModel());
  ASSERT_NE(files, nullptr);
  QModelIndex song;
  for (int wait = 0; wait < 100 && !song.siblingAtColumn(3).data().isValid(); ++wait) {
    QApplication::processEvents(QEventLoop::AllEvents, 10);
    song = dialog.proxyModel()->mapFromSource(
        files->index(QString::fromStdString(dir.file("song.mp3"))));
  }
  ASSERT_TRUE(song.isValid());
  EXPECT_EQ(song.siblingAtColumn(1).data().toString(), locale.formattedDataSize(1536));
  EXPECT_EQ(song.siblingAtColumn(3).data().toString(),
            locale.toString(stamp, QLocale::ShortFormat));
}

INSTANTIATE_TEST_SUITE_P(ThreeLanguages, QtLanguage,
                         ::testing::Values(Language{"de", "Fett", "Normal"},
                                           Language{"fr", "Gras", "Normal"},
                                           Language{"en", "Bold", "Book"}));

}  // namespace
}  // namespace tovix
