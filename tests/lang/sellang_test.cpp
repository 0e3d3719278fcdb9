// The language dialog, off-screen.
#include "lang/sellang.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMessageBox>
#include <QTimer>
#include <QToolButton>

#include "lang/lngfile.h"
#include "support/tempdir.h"

namespace tovix {
namespace {

using test::LngText;

class SelSpraTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& text) {
    const std::string path = dir_.file("tovix.lng");
    test::WriteFile(path, text);
    return path;
  }
  std::string ThreeLanguages() {
    return Write(LngText("3",
                         {{"Deutsch", "0"},
                          {"English", "1"},
                          {"Fran\xE7"
                           "ais",
                           "2"}},
                         {}));
  }
  // Runs the dialog modally and lets act() work on it while it is open.
  template <typename Act>
  int Choose(LanguageDialog& dialog, int current, Act act) {
    QTimer::singleShot(0, &dialog, [&dialog, act] { act(dialog); });
    return dialog.choose(current);
  }

  test::TempDir dir_;
};

TEST_F(SelSpraTest, ListsTheLanguagesWithTheirNumbers) {
  LanguageDialog dialog(1, nullptr, ThreeLanguages());
  ASSERT_TRUE(dialog.listFound());
  QListWidget* list = dialog.listBox();
  ASSERT_EQ(list->count(), 3);
  EXPECT_EQ(list->item(0)->text(), "Deutsch");
  EXPECT_EQ(list->item(2)->text(), QString::fromUtf8("Français"));
  EXPECT_EQ(list->item(2)->data(Qt::UserRole).toInt(), 2);
  EXPECT_EQ(list->currentRow(), 1);
  EXPECT_TRUE(list->item(1)->isSelected());
}

TEST_F(SelSpraTest, ALanguageWithAnEmptyNameIsLeftOut) {
  LanguageDialog dialog(0, nullptr,
                        Write(LngText("3", {{"Eins", "0"}, {"", "1"}, {"Drei", "2"}}, {})));
  QListWidget* list = dialog.listBox();
  ASSERT_EQ(list->count(), 2);
  EXPECT_EQ(list->item(0)->text(), "Eins");
  EXPECT_EQ(list->item(1)->text(), "Drei");
  EXPECT_EQ(list->item(1)->data(Qt::UserRole).toInt(), 2);
}

TEST_F(SelSpraTest, AnUnlistedCurrentLanguageSelectsNoLine) {
  LanguageDialog dialog(7, nullptr, ThreeLanguages());
  EXPECT_EQ(dialog.listBox()->selectedItems().size(), 0);
  // Confirming with nothing selected keeps the current language.
  EXPECT_EQ(Choose(dialog, 7, [](LanguageDialog& d) { d.confirmButton()->click(); }), 7);
}

TEST_F(SelSpraTest, NoLanguageListIsReported) {
  LanguageDialog missing(0, nullptr, dir_.file("none.lng"));
  EXPECT_FALSE(missing.listFound());
  EXPECT_EQ(missing.listBox()->count(), 0);
  LanguageDialog zero(0, nullptr, Write(LngText("0", {{"Deutsch", "0"}}, {})));
  EXPECT_FALSE(zero.listFound());
}

TEST_F(SelSpraTest, ConfirmHandsBackTheSelectedLine) {
  LanguageDialog dialog(0, nullptr, ThreeLanguages());
  const int chosen = Choose(dialog, 0, [](LanguageDialog& d) {
    d.listBox()->setCurrentRow(2);
    d.confirmButton()->click();
  });
  EXPECT_EQ(chosen, 2);
  EXPECT_EQ(dialog.selectedLanguage(), 2);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(dialog.isVisible());
  // The pick stays selected for the next showing.
  EXPECT_EQ(dialog.listBox()->currentRow(), 2);
}

TEST_F(SelSpraTest, DoubleClickConfirms) {
  LanguageDialog dialog(0, nullptr, ThreeLanguages());
  const int chosen = Choose(dialog, 0, [](LanguageDialog& d) {
    d.listBox()->setCurrentRow(1);
    emit d.listBox()->itemDoubleClicked(d.listBox()->item(1));
  });
  EXPECT_EQ(chosen, 1);
}

TEST_F(SelSpraTest, CancelAfterChangingTheSelectionKeepsTheLanguage) {
  LanguageDialog dialog(1, nullptr, ThreeLanguages());
  const int chosen = Choose(dialog, 1, [](LanguageDialog& d) {
    d.listBox()->setCurrentRow(2);
    d.cancelButton()->click();
  });
  EXPECT_EQ(chosen, 1);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(SelSpraTest, EscapeCancelsLikeTheCancelButton) {
  LanguageDialog dialog(0, nullptr, ThreeLanguages());
  const int chosen = Choose(dialog, 0, [](LanguageDialog& d) {
    d.listBox()->setCurrentRow(1);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&d, &escape);
  });
  EXPECT_EQ(chosen, 0);
  EXPECT_FALSE(dialog.isVisible());
}

TEST_F(SelSpraTest, CancelHandsBackTheLanguageCurrentAtThisShowing) {
  LanguageDialog dialog(0, nullptr, ThreeLanguages());
  EXPECT_EQ(Choose(dialog, 0,
                   [](LanguageDialog& d) {
                     d.listBox()->setCurrentRow(1);
                     d.confirmButton()->click();
                   }),
            1);
  EXPECT_EQ(Choose(dialog, 1, [](LanguageDialog& d) { d.cancelButton()->click(); }), 1);
}

TEST_F(SelSpraTest, WindowLooksAsTheDialogShould) {
  LanguageDialog dialog(0, nullptr, ThreeLanguages());
  EXPECT_EQ(dialog.windowTitle(), "          Sprache  -  Language  -  Langue");
  EXPECT_EQ(dialog.size(), QSize(376, 184));
  EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMinMaxButtonsHint);
  EXPECT_EQ(dialog.palette().color(QPalette::Window), QColor(0, 255, 255));
  EXPECT_EQ(dialog.listBox()->geometry(), QRect(8, 32, 249, 145));
  EXPECT_EQ(dialog.confirmButton()->geometry(), QRect(264, 16, 105, 49));
  EXPECT_EQ(dialog.cancelButton()->geometry(), QRect(264, 122, 105, 47));
  EXPECT_TRUE(dialog.confirmButton()->text().isEmpty());
  EXPECT_FALSE(dialog.confirmButton()->icon().isNull());
  EXPECT_FALSE(dialog.cancelButton()->icon().isNull());
}

TEST_F(SelSpraTest, FailureBoxShowsTheMessage) {
  QString shown;
  QTimer::singleShot(0, [&shown] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
        shown = box->text();
        box->accept();
      }
    }
  });
  ShowLanguageFailure(LanguageResult::kLanguageNotFound);
  EXPECT_EQ(shown, " Error in languagefile: ABORTING");
}

}  // namespace
}  // namespace tovix
