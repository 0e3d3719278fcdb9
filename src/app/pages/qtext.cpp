#include "app/pages/qtext.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QStringList>
#include <QWidget>

#include "platform/codepage.h"

namespace tovix {

QString ToQ(const std::string& ansi) {
  return QString::fromStdString(platform::AnsiToUtf8(ansi));
}

std::string FromQ(const QString& text) {
  std::string out;
  const std::string utf8 = text.toStdString();
  if (auto ansi = platform::Utf8ToAnsi(utf8)) return *ansi;
  // Character by character, so one foreign letter costs only itself.
  for (const QChar c : text) {
    auto one = platform::Utf8ToAnsi(QString(c).toStdString());
    out += one ? *one : std::string(1, platform::kReplacementChar);
  }
  return out;
}

QString PlainCaption(const std::string& ansi) {
  const QString text = ToQ(ansi);
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
  const QStringList parts = ToQ(filter).split(u'|');
  QStringList out;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString name = parts[i].trimmed();
    const QString patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts).join(u' ');
    // Qt reads the patterns from the last bracket of the entry; a name that
    // already lists them would show them twice.
    if (name.endsWith(u')')) {
      const qsizetype open = name.lastIndexOf(u'(');
      if (open >= 0) name = name.left(open).trimmed();
    }
    out << QStringLiteral("%1 (%2)").arg(name, patterns);
  }
  return out.join(QStringLiteral(";;"));
}

bool SetCaption(QWidget* widget, const std::string& ansi) {
  if (!widget) return false;
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(PlainCaption(ansi));
    return true;
  }
  // Buttons and group boxes read '&' as Qt does, the same way.
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setText(ToQ(ansi));
    return true;
  }
  if (auto* box = qobject_cast<QGroupBox*>(widget)) {
    box->setTitle(ToQ(ansi));
    return true;
  }
  if (widget->isWindow()) {
    widget->setWindowTitle(PlainCaption(ansi));
    return true;
  }
  return false;
}

}  // namespace tovix
