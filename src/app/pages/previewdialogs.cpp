#include "app/pages/previewdialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QStyledItemDelegate>
#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <tuple>
#include <utility>

#include "app/pages/previewfonts.h"
#include "chrome/filedialoglocale.h"
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
struct DrawnState {
  DrawnStyles drawn;
  int points = 0;
};

// The dialog's three lists: families, styles, sizes.
std::array<QListView*, 3> DialogLists(QFontDialog& dialog) {
  const auto lists = dialog.findChildren<QListView*>();
  if (lists.size() != 3) return {};
  return {lists[0], lists[1], lists[2]};
}

QString CurrentText(QListView* list) {
  return list ? list->currentIndex().data().toString() : QString();
}

// Bold and italic of a style the dialog lists: a drawn style's own, else
// those of its face.
std::pair<bool, bool> StyleFlags(const QString& family, const QString& style,
                                 const DrawnStyles& drawn, int points) {
  if (const auto entry = drawn.find(style); entry != drawn.end()) return entry->second;
  const QFont face = QFontDatabase::font(family, style, points);
  return {face.bold(), face.style() != QFont::StyleNormal};
}

// The dialog looks the wanted style up by its name in the language of Qt's
// translation ("Gras Italique"), which the faces of a family do not carry,
// and then settles on another face ("Condensed Italic" of DejaVu Serif).
// The style list is set to the face with the wanted bold and italic; of
// several, the one with the shortest name, the plain one, not a condensed
// or light cut.
void SelectStyle(QListView* families, QListView* styles, const DrawnStyles& drawn, bool bold,
                 bool italic, int points) {
  if (!families || !styles || !styles->model()) return;
  const QString family = CurrentText(families);
  const QAbstractItemModel* model = styles->model();
  QModelIndex best;
  for (int row = 0; row < model->rowCount(); ++row) {
    const QModelIndex index = model->index(row, 0);
    const QString name = index.data().toString();
    if (StyleFlags(family, name, drawn, points) != std::pair{bold, italic}) continue;
    if (!best.isValid() || name.size() < best.data().toString().size()) best = index;
  }
  if (best.isValid() && best != styles->currentIndex()) styles->setCurrentIndex(best);
}

std::shared_ptr<DrawnState> OfferDrawnStyles(QFontDialog& dialog, int points) {
  auto state = std::make_shared<DrawnState>(DrawnState{{}, points});
  const auto lists = DialogLists(dialog);
  QListView* families = lists[0];
  QListView* styles = lists[1];
  QListView* sizes = lists[2];
  if (!families) return state;
  auto* styleModel = qobject_cast<QStringListModel*>(styles->model());
  auto* sizeModel = qobject_cast<QStringListModel*>(sizes->model());
  auto* sample = dialog.findChild<QWidget*>(QStringLiteral("qt_fontDialog_sampleEdit"));
  if (!styleModel || !sizeModel || !sample) return state;
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
  return state;
}

// Shows a style name in the words of the installed Qt translation.
class StyleNameDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QString displayText(const QVariant& value, const QLocale&) const override {
    return TranslatedStyleName(value.toString());
  }
};

}  // namespace

QString TranslatedStyleName(const QString& name) {
  // The font files' words for a style, and Qt's own words for it.
  struct Word {
    const char* font;
    const char* qt;
    const char* disambiguation;
  };
  static constexpr Word kWords[] = {
      {"Regular", "Normal", "The Normal or Regular font weight"},
      {"Book", "Normal", "The Normal or Regular font weight"},
      {"Roman", "Normal", "The Normal or Regular font weight"},
      {"Normal", "Normal", "The Normal or Regular font weight"},
      {"Medium", "Medium", "The Medium font weight"},
      {"Thin", "Thin", nullptr},
      {"ExtraLight", "Extra Light", nullptr},
      {"Light", "Light", nullptr},
      {"SemiBold", "Demi Bold", nullptr},
      {"DemiBold", "Demi Bold", nullptr},
      {"Bold", "Bold", nullptr},
      {"ExtraBold", "Extra Bold", nullptr},
      {"Black", "Black", nullptr},
      {"Italic", "Italic", nullptr},
      {"Oblique", "Oblique", nullptr},
  };
  // Without a translation (Qt's English) the font's own words stay.
  if (QCoreApplication::translate("QFontDatabase", "Bold") == QLatin1String("Bold")) return name;
  QStringList words = name.split(u' ', Qt::SkipEmptyParts);
  for (QString& word : words) {
    for (const Word& w : kWords) {
      if (word.compare(QLatin1String(w.font), Qt::CaseInsensitive) != 0) continue;
      word = QCoreApplication::translate("QFontDatabase", w.qt, w.disambiguation);
      break;
    }
  }
  return words.join(u' ');
}

void TranslateStyleNames(QFontDialog& dialog) {
  const auto lists = dialog.findChildren<QListView*>();
  if (lists.size() != 3) return;
  lists[1]->setItemDelegate(new StyleNameDelegate(lists[1]));
  // The read-only line above the list repeats the chosen style.
  QList<QLineEdit*> readOnly;
  for (QLineEdit* edit : dialog.findChildren<QLineEdit*>())
    if (edit->isReadOnly()) readOnly.append(edit);
  if (readOnly.size() < 2) return;
  QLineEdit* styleEdit = readOnly[1];
  QObject::connect(styleEdit, &QLineEdit::textChanged, styleEdit, [styleEdit](const QString& text) {
    const QString shown = TranslatedStyleName(text);
    if (shown != text) styleEdit->setText(shown);
  });
}

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

std::optional<FontSetting> ChooseFont(const FontSetting& preset, QWidget* parent) {
  QFontDialog dialog(parent);
  dialog.setOption(QFontDialog::DontUseNativeDialog);
  const int points = std::max(1, preset.size);
  const auto state = OfferDrawnStyles(dialog, points);
  TranslateStyleNames(dialog);
  QFont font(FromAnsi(preset.name));
  font.setPointSize(points);
  font.setBold(preset.bold);
  font.setItalic(preset.italic);
  dialog.setCurrentFont(font);
  const auto lists = DialogLists(dialog);
  QListView* families = lists[0];
  QListView* styles = lists[1];
  SelectStyle(families, styles, state->drawn, preset.bold, preset.italic, points);
  // What the dialog shows of the preset (a family it lacks shows another).
  // A change is a change of family, style or size the user made there; the
  // dialog's font is no measure of it, as its sample may differ in weight.
  const auto shownNow = [&] {
    return std::tuple{CurrentText(families), CurrentText(styles), dialog.currentFont().pointSize()};
  };
  const auto offered = shownNow();

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

  if (shownNow() == offered) {
    // OK without a change keeps the label's font as it was, styles included.
    FontSetting kept = preset;
    kept.color = color;
    return kept;
  }
  const QFont chosen = dialog.selectedFont();
  FontSetting result;
  result.name = ToAnsi(chosen.family());
  result.size =
      chosen.pointSize() > 0 ? chosen.pointSize() : PointsForPixelSize(chosen.pixelSize());
  result.color = color;
  // The style as listed: a drawn one has no face the dialog could give.
  std::tie(result.bold, result.italic) =
      styles ? StyleFlags(chosen.family(), CurrentText(styles), state->drawn, result.size)
             : std::pair{chosen.bold(), chosen.italic()};
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
      chrome::ChooseOpenFileName(parent, QString(), start, FromAnsi(ToQtFileFilter(filter)));
  if (chosen.isEmpty()) return std::nullopt;
  return ToAnsi(chosen);
}

}  // namespace tovix
