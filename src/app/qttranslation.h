#pragma once
// Qt's own texts (the buttons and labels of the standard dialogs) in the
// program's language.
#include <QString>

namespace tovix {

// Replaces the installed Qt translation by the one for locale (for
// instance "de" or "fr") and makes locale QLocale's default; an empty
// locale, or one Qt has no translation for, leaves Qt's own English (an
// empty one also the system's locale). Returns whether a translation is
// installed.
bool InstallQtTranslation(const QString& locale);

}  // namespace tovix
