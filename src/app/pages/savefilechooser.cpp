#include "app/pages/savefilechooser.h"

#include <QMessageBox>

#include "app/pages/qtext.h"
#include "chrome/filedialoglocale.h"
#include "lang/buildstrings.h"
#include "platform/codepage.h"

namespace tovix {

std::string ChooseSaveFile(QWidget* parent, const std::string& title, const std::string& filter) {
  const QString path =
      chrome::ChooseSaveFileName(parent, FromAnsi(title), QString(), FilterToQt(filter));
  if (path.isEmpty()) return std::string();
  const auto ansi = platform::Utf8ToAnsi(path.toStdString());
  if (!ansi)
    QMessageBox::warning(parent, QStringLiteral("Tovix"),
                         FromAnsi(BuildText(str::kNameNotWritable, {"%1"})).arg(path));
  return ansi.value_or(std::string());
}

}  // namespace tovix
