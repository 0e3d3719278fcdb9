// Pushing the strings of the loaded language into both windows.
#include <QGuiApplication>
#include <QPushButton>
#include <QString>

#include "app/mainwindow.h"
#include "app/pages/qtext.h"
#include "app/pages/renamepage.h"
#include "app/qttranslation.h"
#include "app/toolbar.h"
#include "lang/buildstrings.h"
#include "lang/stringmap.h"

namespace tovix {

void MainWindow::ApplyLanguage(std::uint16_t language) {
  const LanguageResult result = tovix::ApplyLanguage(language, languageFile_);
  if (result != LanguageResult::kOk) {
    if (Fatal) Fatal(LanguageFailureMessage(result));
    return;
  }
  // The window system adds the application's name to a title that does not
  // end in it: with the name of the language before, a new caption would
  // show twice over.
  QGuiApplication::setApplicationDisplayName(PlainCaption(LanguageString(53)));
  PushStrings();
}

void MainWindow::PushStrings() {
  for (const StringMapEntry& entry : kStringMap) {
    if (entry.window != StringWindow::kMain) continue;
    const QString name =
        QString::fromLatin1(entry.control.data(), static_cast<qsizetype>(entry.control.size()));
    // A language file older than the build's strings gives their German.
    std::string text = BuildText(entry.number);
    if (text.empty()) text = LanguageString(entry.number);
    QList<QWidget*> targets = findChildren<QWidget*>(name);
    if (name == objectName()) targets.prepend(this);
    for (QWidget* widget : targets) {
      switch (entry.target) {
        case StringTarget::kCaption:
          SetCaption(widget, text);
          break;
        case StringTarget::kHint:
          widget->setToolTip(FromAnsi(text));
          break;
        case StringTarget::kFilter:
          break;  // the preview page holds its own dialog
      }
    }
  }
  // The standard dialogs speak the language too; a language file without
  // a Qt locale leaves them in Qt's English.
  InstallQtTranslation(LanguageGives(str::kQtLocale) ? FromAnsi(LanguageString(str::kQtLocale))
                                                     : QString());
  SetCaption(Sprache, BuildText(str::kLanguageButton));
  SetCaption(renamePage->UndoButton, BuildText(str::kUndoButton));
  // The preview page sets its captions, hints, mode names and filter itself.
  previewPage->ApplyLanguage();
  PushDiscStrings();
  if (toolbar_) CopyHintsTo(*toolbar_);
}

void MainWindow::CopyHintsTo(Toolbar& toolbar) {
  for (const ToolbarHintCopy& copy : kToolbarHintCopies) {
    const QString button = QString::fromLatin1(copy.toolbarButton.data(),
                                               static_cast<qsizetype>(copy.toolbarButton.size()));
    const QString label =
        QString::fromLatin1(copy.mainLabel.data(), static_cast<qsizetype>(copy.mainLabel.size()));
    auto* target = toolbar.findChild<QWidget*>(button);
    auto* source = findChild<QWidget*>(label);
    if (target && source) target->setToolTip(source->toolTip());
  }
  // Before the first load the table is empty: the toolbar keeps its own hint.
  if (LanguageBase() == 9999) return;
  toolbar.SpeedButton7->setToolTip(FromAnsi(LanguageString(str::kEndOfRun)));
  SetCaption(toolbar.SpeedButton7, BuildText(str::kOffButton));
}

void MainWindow::switchLanguage() {
  if (ChooseLanguage) settings_.Language = ChooseLanguage(settings_.Language);
  ApplyLanguage(static_cast<std::uint16_t>(settings_.Language));
  showInfoText();
}

}  // namespace tovix
