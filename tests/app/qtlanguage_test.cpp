// Qt's own words follow the program's language: the standard buttons, the
// file dialog's sizes, dates and headings, the font dialog's style names.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QHeaderView>
#include <QListView>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeView>

#include "app/pages/previewdialogs.h"
#include "app/qttranslation.h"
#include "chrome/filedialoglocale.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

struct Language {
  const char* locale;
  const char* cancel;  // the standard Cancel button
  const char* bold;    // a font's "Bold" face
  const char* book;    // a font's "Book" (regular) face
};

class QtLanguage : public ::testing::TestWithParam<Language> {
 protected:
  void TearDown() override { InstallQtTranslation(QString()); }
};

TEST_P(QtLanguage, StandardDialogsSpeakTheProgramsLanguage) {
  const Language& l = GetParam();
  InstallQtTranslation(QString::fromLatin1(l.locale));
  const QLocale locale(QString::fromLatin1(l.locale));

  QDialogButtonBox buttons(QDialogButtonBox::Cancel);
  EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text().remove(u'&'),
            QString::fromUtf8(l.cancel));

  // The font dialog lists the file's names, "Book" and "Bold" for DejaVu.
  EXPECT_EQ(TranslatedStyleName(QStringLiteral("Bold")), QString::fromUtf8(l.bold));
  EXPECT_EQ(TranslatedStyleName(QStringLiteral("Book")), QString::fromUtf8(l.book));
  QFontDialog fonts;
  fonts.setOption(QFontDialog::DontUseNativeDialog);
  TranslateStyleNames(fonts);
  fonts.setCurrentFont(QFont(QStringLiteral("DejaVu Sans")));
  const auto lists = fonts.findChildren<QListView*>();
  ASSERT_EQ(lists.size(), 3);
  QStringList shown;
  auto* delegate = qobject_cast<QStyledItemDelegate*>(lists[1]->itemDelegate());
  ASSERT_NE(delegate, nullptr);
  for (int row = 0; row < lists[1]->model()->rowCount(); ++row)
    shown << delegate->displayText(lists[1]->model()->index(row, 0).data(), locale);
  EXPECT_TRUE(shown.contains(QString::fromUtf8(l.bold))) << shown.join(u',').toStdString();

  // A file of 1536 bytes from the 9th of December: size and date as the
  // language writes them, every column as wide as its heading.
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
  auto* tree = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
  ASSERT_NE(tree, nullptr);
  QModelIndex song;
  for (int wait = 0; wait < 200 && !song.isValid(); ++wait) {
    QApplication::processEvents(QEventLoop::AllEvents, 10);
    const QModelIndex root = tree->rootIndex();
    for (int row = 0; row < tree->model()->rowCount(root); ++row)
      if (tree->model()->index(row, 0, root).data().toString() == QStringLiteral("song.mp3"))
        song = tree->model()->index(row, 0, root);
  }
  ASSERT_TRUE(song.isValid());
  EXPECT_EQ(song.siblingAtColumn(1).data().toString(), locale.formattedDataSize(1536));
  EXPECT_EQ(song.siblingAtColumn(3).data().toString(),
            locale.toString(stamp, QLocale::ShortFormat));
  QHeaderView* header = tree->header();
  for (int i = 0; i < header->count(); ++i)
    EXPECT_GE(header->sectionSize(i), header->sectionSizeHint(i))
        << header->model()->headerData(i, Qt::Horizontal).toString().toStdString();
}

INSTANTIATE_TEST_SUITE_P(ThreeLanguages, QtLanguage,
                         ::testing::Values(Language{"de", "Abbrechen", "Fett", "Normal"},
                                           Language{"fr", "Annuler", "Gras", "Normal"},
                                           Language{"en", "Cancel", "Bold", "Book"}));

}  // namespace
}  // namespace tovix
