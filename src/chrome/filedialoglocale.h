#pragma once
// Qt's own file dialog in the program's language. Qt lists sizes and dates
// in the system's locale whatever the windows speak, and sizes its columns
// for English headings; these make it follow QLocale's default (set with
// the language) and give every heading room.
#include <QString>

class QFileDialog;
class QWidget;

namespace tovix::chrome {

// Qt's dialog rather than the platform's (which speaks the system's
// language), with sizes and dates in the default locale and every column
// at least as wide as its heading.
void SpeakProgramLanguage(QFileDialog& dialog);

// Widens the list's columns that are narrower than their headings.
void FitColumnsToHeadings(QFileDialog& dialog);

// The open and save dialogs of the windows; empty when cancelled.
QString ChooseOpenFileName(QWidget* parent, const QString& title, const QString& folder,
                           const QString& filter);
QString ChooseSaveFileName(QWidget* parent, const QString& title, const QString& folder,
                           const QString& filter);

}  // namespace tovix::chrome
