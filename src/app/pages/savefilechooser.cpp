#include "app/pages/savefilechooser.h"

#include <QFileDialog>
#include <QMessageBox>

#include "app/pages/qtext.h"
#include "platform/codepage.h"

namespace tovix {

std::string ChooseSaveFile(QWidget* parent, const std::string& title, const std::string& filter) {
  const QString path =
      QFileDialog::getSaveFileName(parent, FromAnsi(title), QString(), FilterToQt(filter));
  if (path.isEmpty()) return std::string();
  const auto ansi = platform::Utf8ToAnsi(path.toStdString());
  if (!ansi)
    QMessageBox::warning(parent, QStringLiteral("Tovix"),
                         path + QStringLiteral(": Tovix kann diesen Namen nicht schreiben."));
  return ansi.value_or(std::string());
}

}  // namespace tovix
