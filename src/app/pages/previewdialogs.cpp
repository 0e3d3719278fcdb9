#include "app/pages/previewdialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QPushButton>

#include "app/pages/previewfonts.h"

namespace tovix {

namespace {

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string ToQtFileFilter(const std::string& filter) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (true) {
    const auto bar = filter.find('|', start);
    parts.push_back(
        filter.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  std::string result;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    std::string patterns = Trimmed(parts[i + 1]);
    if (patterns.empty()) continue;
    for (char& c : patterns)
      if (c == ';') c = ' ';
    std::string name = Trimmed(parts[i]);
    // Qt reads the patterns from the last parentheses of the name.
    if (!name.empty() && name.back() == ')') {
      if (const auto open = name.rfind('('); open != std::string::npos)
        name = Trimmed(name.substr(0, open));
    }
    if (!result.empty()) result += ";;";
    result += (name.empty() ? std::string() : name + " ") + "(" + patterns + ")";
  }
  return result;
}

std::optional<PreviewFont> ChooseFont(const PreviewFont& preset, QWidget* parent) {
  QFontDialog dialog(parent);
  dialog.setOption(QFontDialog::DontUseNativeDialog);
  QFont font(FromAnsi(preset.name));
  font.setPointSize(std::max(1, preset.points));
  font.setBold(preset.bold);
  font.setItalic(preset.italic);
  dialog.setCurrentFont(font);
  // What the dialog makes of the preset: a family without a bold or italic
  // face shows its regular one, so the dialog's font is no measure of change.
  const QFont offered = dialog.currentFont();

  // The platform's font chooser also picks the colour; Qt's needs a button.
  std::int32_t color = preset.color;
  if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
    auto* colorButton =
        buttons->addButton(QStringLiteral("Farbe..."), QDialogButtonBox::ActionRole);
    QObject::connect(colorButton, &QPushButton::clicked, &dialog, [&] {
      const QColor chosen =
          QColorDialog::getColor(ColorFromNumber(color, QApplication::palette()), &dialog);
      if (chosen.isValid()) color = NumberFromColor(chosen);
    });
  }
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;

  const QFont chosen = dialog.selectedFont();
  if (chosen == offered) {
    // OK without a change keeps the label's font as it was, styles included.
    PreviewFont kept = preset;
    kept.color = color;
    return kept;
  }
  PreviewFont result;
  result.name = ToAnsi(chosen.family());
  result.points =
      chosen.pointSize() > 0 ? chosen.pointSize() : PointsForPixelSize(chosen.pixelSize());
  result.color = color;
  result.bold = chosen.bold();
  result.italic = chosen.italic();
  return result;
}

std::string AskPosition(const std::string& caption, const std::string& preset, QWidget* parent) {
  bool ok = false;
  const QString answer =
      QInputDialog::getText(parent, FromAnsi(caption), QStringLiteral("Format X:Y"),
                            QLineEdit::Normal, FromAnsi(preset), &ok);
  return ok ? ToAnsi(answer) : preset;
}

std::optional<std::string> ChoosePictureFile(const std::string& startFile,
                                             const std::string& filter, QWidget* parent) {
  const QString start =
      startFile.empty() ? QString() : QFileInfo(FromAnsi(startFile)).absolutePath();
  const QString chosen =
      QFileDialog::getOpenFileName(parent, QString(), start, FromAnsi(ToQtFileFilter(filter)));
  if (chosen.isEmpty()) return std::nullopt;
  return ToAnsi(chosen);
}

}  // namespace tovix
