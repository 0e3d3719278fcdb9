#pragma once
// The language selection dialog: lists the languages of the language file
// and hands back the chosen language number.
#include <QDialog>
#include <string>
#include <vector>

#include "lang/languagelist.h"
#include "lang/sprachen.h"

class QListWidget;
class QToolButton;

namespace tovix {

class LanguageDialog : public QDialog {
  Q_OBJECT

 public:
  // Reads the language list once and selects the line of currentLanguage
  // (none when no line carries it).
  explicit LanguageDialog(int currentLanguage, QWidget* parent = nullptr,
                          const std::string& languageFile = DefaultLanguageFile());

  // False when the file offers no language list: the program must show
  // LanguageFailureMessage(LanguageResult::kStringlistNotFound) and end
  // with exit code 1.
  bool listFound() const { return listFound_; }
  const std::vector<LanguageEntry>& languages() const { return languages_; }

  // Shows the dialog modally and returns the selected language number;
  // currentLanguage is what a cancel hands back.
  int choose(int currentLanguage);
  // The number chosen by the last confirm or cancel.
  int selectedLanguage() const { return selectedLanguage_; }

  QListWidget* listBox() const { return ListBox1; }
  QToolButton* confirmButton() const { return SpeedButton1; }
  QToolButton* cancelButton() const { return SpeedButton2; }

 public slots:
  void acceptLanguage();  // confirm
  void cancelLanguage();  // cancel

 protected:
  // Escape cancels as the cancel button does.
  void reject() override;
  void showEvent(QShowEvent* event) override;

 private:
  void FillList(int currentLanguage);

  QListWidget* ListBox1;
  QToolButton* SpeedButton1;
  QToolButton* SpeedButton2;
  std::vector<LanguageEntry> languages_;
  bool listFound_ = false;
  int currentLanguage_ = 0;
  int selectedLanguage_ = 0;
};

// The plain message box of a fatal language failure (OK button only).
void ShowLanguageFailure(LanguageResult result, QWidget* parent = nullptr);

}  // namespace tovix
