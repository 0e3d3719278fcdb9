#include "app/qttranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace tovix {

bool InstallQtTranslation(const QString& locale) {
  static std::unique_ptr<QTranslator> installed;
  if (installed) {
    QCoreApplication::removeTranslator(installed.get());
    installed.reset();
  }
  // Dates, sizes and numbers in Qt's dialogs follow the language too.
  QLocale::setDefault(locale.isEmpty() ? QLocale::system() : QLocale(locale));
  if (locale.isEmpty()) return false;
  auto translator = std::make_unique<QTranslator>();
  // qtbase holds the texts of the widgets' standard dialogs and buttons.
  if (!translator->load(QLocale(locale), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    return false;
  QCoreApplication::installTranslator(translator.get());
  installed = std::move(translator);
  return true;
}

}  // namespace tovix
