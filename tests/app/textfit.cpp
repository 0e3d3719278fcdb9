#include "textfit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>

namespace tovix::test {
namespace {

// The text as drawn: "&&" is one ampersand, a single "&" marks a shortcut.
QString Drawn(QString text) {
  text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
  text.remove(QLatin1Char('&'));
  text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
  return text;
}

QString TextOf(const QWidget& w) {
  if (auto* label = qobject_cast<const QLabel*>(&w)) return label->text();
  if (auto* button = qobject_cast<const QAbstractButton*>(&w)) return button->text();
  if (auto* box = qobject_cast<const QGroupBox*>(&w)) return box->title();
  return {};
}

int TextWidth(const QWidget& w, const QString& text) {
  int widest = 0;
  for (const QString& line : Drawn(text).split(QLatin1Char('\n')))
    widest = std::max(widest, w.fontMetrics().horizontalAdvance(line));
  return widest;
}

int IconRoom(const QAbstractButton& b) {
  return b.icon().isNull() ? 0 : b.iconSize().width() + 4;
}

struct Measure {
  QString problem;  // empty when the text fits
  QRect drawn;      // where the text (and its frame or box) is, in the parent
};

Measure MeasureLabel(const QLabel& l) {
  const QRect room = l.contentsRect();
  QSize need;
  if (l.wordWrap()) {
    need = QSize(std::min(l.sizeHint().width(), room.width()), l.heightForWidth(l.width()));
  } else {
    need = l.sizeHint();
  }
  Measure m;
  if (need.width() > l.width() || need.height() > l.height())
    m.problem = QStringLiteral("needs %1 x %2, has %3 x %4")
                    .arg(need.width())
                    .arg(need.height())
                    .arg(l.width())
                    .arg(l.height());
  const QSize shown = need.boundedTo(l.size());
  m.drawn =
      QStyle::alignedRect(l.layoutDirection(), l.alignment(), shown, l.rect()).translated(l.pos());
  return m;
}

Measure MeasureButton(const QAbstractButton& b) {
  const int need = TextWidth(b, b.text()) + IconRoom(b);
  QStyleOptionButton opt;
  opt.initFrom(&b);
  opt.text = b.text();
  opt.icon = b.icon();
  opt.iconSize = b.iconSize();
  QRect room;
  Measure m;
  m.drawn = b.geometry();
  if (qobject_cast<const QCheckBox*>(&b)) {
    room = b.style()->subElementRect(QStyle::SE_CheckBoxContents, &opt, &b);
    m.drawn = QRect(b.x(), b.y(), std::min(room.left() + need, b.width()), b.height());
  } else if (qobject_cast<const QRadioButton*>(&b)) {
    room = b.style()->subElementRect(QStyle::SE_RadioButtonContents, &opt, &b);
    m.drawn = QRect(b.x(), b.y(), std::min(room.left() + need, b.width()), b.height());
  } else if (auto* push = qobject_cast<const QPushButton*>(&b)) {
    room = b.style()->subElementRect(QStyle::SE_PushButtonContents, &opt, &b);
    // A flat button draws no frame: only its text is seen.
    if (push->isFlat())
      m.drawn =
          QStyle::alignedRect(b.layoutDirection(), Qt::AlignCenter,
                              QSize(need, b.fontMetrics().height()).boundedTo(b.size()), b.rect())
              .translated(b.pos());
  } else {
    room = b.rect().adjusted(2, 2, -2, -2);
  }
  const int height = b.fontMetrics().height();
  if (need > room.width() || height > room.height())
    m.problem = QStringLiteral("text needs %1 x %2, has %3 x %4")
                    .arg(need)
                    .arg(height)
                    .arg(room.width())
                    .arg(room.height());
  return m;
}

Measure MeasureGroupBox(const QGroupBox& g) {
  QStyleOptionGroupBox opt;
  opt.initFrom(&g);
  opt.text = g.title();
  opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
  const QRect label =
      g.style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, &g);
  Measure m;
  m.drawn = g.geometry();
  const int need = TextWidth(g, g.title());
  if (label.left() + need > g.width())
    m.problem = QStringLiteral("title needs %1, group is %2 wide").arg(need).arg(g.width());
  return m;
}

// Text in the colour of the control's own filled background is not seen.
bool Invisible(const QWidget& w) {
  return w.autoFillBackground() &&
         w.palette().color(w.foregroundRole()) == w.palette().color(w.backgroundRole());
}

bool IsTextControl(const QWidget& w) {
  return qobject_cast<const QLabel*>(&w) || qobject_cast<const QAbstractButton*>(&w) ||
         qobject_cast<const QGroupBox*>(&w);
}

std::string Name(const QWidget& w) {
  const QString name =
      w.objectName().isEmpty() ? QString::fromLatin1(w.metaObject()->className()) : w.objectName();
  return name.toStdString() + " \"" + Drawn(TextOf(w)).toStdString() + "\"";
}

// Where a widget is: its name, or its class and place among its siblings,
// from the window down.
std::string Path(const QWidget& w, const QWidget& window) {
  std::string path;
  for (const QWidget* at = &w; at && at != &window; at = at->parentWidget()) {
    std::string step = at->objectName().toStdString();
    if (step.empty()) {
      const QObject* parent = at->parent();
      step = at->metaObject()->className() + std::string("#") +
             std::to_string(parent ? parent->children().indexOf(const_cast<QWidget*>(at)) : 0);
    }
    path = path.empty() ? step : step + "/" + path;
  }
  return path;
}

}  // namespace

std::map<std::string, QString> VisibleTexts(const QWidget& window) {
  std::map<std::string, QString> texts;
  texts["window title"] = window.windowTitle();
  for (const QWidget* w : window.findChildren<QWidget*>()) {
    if (!w->isVisible()) continue;
    if (IsTextControl(*w) && !Invisible(*w)) texts[Path(*w, window) + " caption"] = TextOf(*w);
    if (!w->toolTip().isEmpty()) texts[Path(*w, window) + " hint"] = w->toolTip();
  }
  return texts;
}

std::vector<std::string> TextsThatDoNotFit(const QWidget& window) {
  std::vector<std::string> problems;
  struct Shown {
    const QWidget* widget;
    QRect drawn;
  };
  std::vector<Shown> shown;
  for (const QWidget* w : window.findChildren<QWidget*>()) {
    if (!w->isVisible() || !IsTextControl(*w) || TextOf(*w).trimmed().isEmpty() || Invisible(*w))
      continue;
    Measure m;
    if (auto* label = qobject_cast<const QLabel*>(w))
      m = MeasureLabel(*label);
    else if (auto* button = qobject_cast<const QAbstractButton*>(w))
      m = MeasureButton(*button);
    else
      m = MeasureGroupBox(*qobject_cast<const QGroupBox*>(w));
    if (!m.problem.isEmpty()) problems.push_back(Name(*w) + ": " + m.problem.toStdString());
    if (const QWidget* parent = w->parentWidget(); parent && !parent->rect().contains(m.drawn))
      problems.push_back(Name(*w) + ": runs out of " + parent->objectName().toStdString());
    shown.push_back({w, m.drawn});
  }
  for (std::size_t i = 0; i < shown.size(); ++i) {
    for (std::size_t j = i + 1; j < shown.size(); ++j) {
      const QWidget& a = *shown[i].widget;
      const QWidget& b = *shown[j].widget;
      // A shadow lies under its label by design: same text, one pixel off.
      if (a.parentWidget() != b.parentWidget() || TextOf(a) == TextOf(b)) continue;
      if (shown[i].drawn.intersects(shown[j].drawn))
        problems.push_back(Name(a) + ": overlaps " + Name(b));
    }
  }
  return problems;
}

}  // namespace tovix::test
