#include "app/pages/qtext.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QStringList>
#include <QWidget>

#include "app/pages/previewdialogs.h"
#include "app/pages/previewfonts.h"
#include "platform/codepage.h"

namespace tovix {

QString PlainCaption(const std::string& ansi) {
  const QString text = FromAnsi(ansi);
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c == u'&') {
      if (i + 1 < text.size() && text[i + 1] == u'&') {
        out += u'&';
        ++i;
      }
      continue;
    }
    if (c == u'\r') {
      out += u'\n';
      if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      continue;
    }
    out += c;
  }
  return out;
}

QString FilterToQt(const std::string& filter) {
  return FromAnsi(ToQtFileFilter(filter));
}

bool SetCaption(QWidget* widget, const std::string& ansi) {
  if (!widget) return false;
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(PlainCaption(ansi));
    return true;
  }
  // Buttons and group boxes read '&' as Qt does, the same way.
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setText(FromAnsi(ansi));
    return true;
  }
  if (auto* box = qobject_cast<QGroupBox*>(widget)) {
    box->setTitle(FromAnsi(ansi));
    return true;
  }
  if (widget->isWindow()) {
    widget->setWindowTitle(PlainCaption(ansi));
    return true;
  }
  return false;
}

}  // namespace tovix
