#include "app/pages/previewdialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontDialog>
#include <QInputDialog>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <algorithm>
#include <map>
#include <memory>
#include <utility>

#include "app/pages/previewfonts.h"
#include "lang/buildstrings.h"
#include "lang/sprachen.h"

namespace tovix {

namespace {

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Bold and italic drawn from a lighter face, keyed by the style name the
// dialog lists for them.
using DrawnStyles = std::map<QString, std::pair<bool, bool>>;

// The bold and italic styles family lacks among its faces; drawn from its
// regular face as the labels draw them. Only for a family with a regular face.
DrawnStyles MissingStyles(const QString& family) {
  bool has[2][2] = {};
  for (const QString& style : QFontDatabase::styles(family)) {
    const QFont face = QFontDatabase::font(family, style, 12);
    has[face.bold()][face.style() != QFont::StyleNormal] = true;
  }
  DrawnStyles missing;
  if (!has[0][0]) return missing;
  constexpr std::pair<bool, bool> kStyled[] = {{true, false}, {false, true}, {true, true}};
  for (const auto& [bold, italic] : kStyled) {
    if (has[bold][italic]) continue;
    QFont font(family);
    font.setBold(bold);
    font.setItalic(italic);
    missing[QFontDatabase::styleString(font)] = {bold, italic};
  }
  return missing;
}

// Qt's dialog lists only the faces a family has, so Tahoma (whose bold is
// drawn, not a face of its own) would open as "Regular" and OK would make a
// bold label regular. The missing styles are listed after the real ones,
// and the sample, and with it the chosen font, takes their bold and italic.
// The dialog finds no sizes for a style without a face, so the size list
// then offers the usual sizes and keeps the last size shown.
void OfferDrawnStyles(QFontDialog& dialog, int points) {
  const auto lists = dialog.findChildren<QListView*>();
  if (lists.size() != 3) return;
  QListView* families = lists[0];
  QListView* styles = lists[1];
  QListView* sizes = lists[2];
  auto* styleModel = qobject_cast<QStringListModel*>(styles->model());
  auto* sizeModel = qobject_cast<QStringListModel*>(sizes->model());
  auto* sample = dialog.findChild<QWidget*>(QStringLiteral("qt_fontDialog_sampleEdit"));
  if (!styleModel || !sizeModel || !sample) return;
  struct State {
    DrawnStyles drawn;
    int points = 0;
  };
  auto state = std::make_shared<State>(State{{}, points});
  const auto drawnStyle = [styles, state] {
    return state->drawn.find(styles->currentIndex().data().toString());
  };
  // The dialog refills the style list on each family and then looks for the
  // wanted style in it, so the added names are found like the real ones.
  QObject::connect(styleModel, &QAbstractItemModel::modelReset, &dialog,
                   [families, styleModel, state] {
                     state->drawn = MissingStyles(families->currentIndex().data().toString());
                     for (const auto& entry : state->drawn) {
                       const int row = styleModel->rowCount();
                       styleModel->insertRows(row, 1);
                       styleModel->setData(styleModel->index(row), entry.first);
                     }
                   });
  QObject::connect(sizeModel, &QAbstractItemModel::modelReset, &dialog,
                   [sizes, sizeModel, state, drawnStyle] {
                     if (sizeModel->rowCount() > 0 || drawnStyle() == state->drawn.end()) return;
                     QList<int> offered = QFontDatabase::standardSizes();
                     if (!offered.contains(state->points)) {
                       offered.append(state->points);
                       std::sort(offered.begin(), offered.end());
                     }
                     QStringList texts;
                     for (const int size : offered) texts.append(QString::number(size));
                     sizeModel->setStringList(texts);
                     sizes->setCurrentIndex(sizeModel->index(offered.indexOf(state->points)));
                   });
  QObject::connect(&dialog, &QFontDialog::currentFontChanged, sample,
                   [sample, state, drawnStyle](const QFont& font) {
                     if (font.pointSize() > 0) state->points = font.pointSize();
                     const auto entry = drawnStyle();
                     if (entry == state->drawn.end()) return;
                     QFont shown = font;
                     shown.setStyleName(QString());
                     shown.setBold(entry->second.first);
                     shown.setItalic(entry->second.second);
                     sample->setFont(shown);
                   });
}

}  // namespace

QString ColorButtonCaption() {
  // The word the BIN page's settings use for a font's colour.
  QString word = LanguageGives(str::kColourWord)
                     ? FromAnsi(LanguageString(str::kColourWord)).trimmed()
                     : QString();
  if (word.isEmpty()) word = QStringLiteral("Farbe");
  return word.left(1).toUpper() + word.mid(1) + QStringLiteral("...");
}

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
  OfferDrawnStyles(dialog, std::max(1, preset.points));
  QFont font(FromAnsi(preset.name));
  font.setPointSize(std::max(1, preset.points));
  font.setBold(preset.bold);
  font.setItalic(preset.italic);
  dialog.setCurrentFont(font);
  // What the dialog makes of the preset (a family it lacks shows another),
  // so the dialog's font is no measure of change.
  const QFont offered = dialog.currentFont();

  // The platform's font chooser also picks the colour; Qt's needs a button.
  std::int32_t color = preset.color;
  if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
    auto* colorButton = buttons->addButton(ColorButtonCaption(), QDialogButtonBox::ActionRole);
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
