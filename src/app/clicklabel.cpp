#include "app/clicklabel.h"

#include <QAbstractButton>
#include <QMouseEvent>

namespace tovix {

ClickLabel::ClickLabel(const QString& name, QWidget* parent) : QLabel(parent) {
  setObjectName(name);
}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit clicked();
  QLabel::mousePressEvent(event);
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit doubleClicked();
  QLabel::mouseDoubleClickEvent(event);
}

void SetTextColor(QWidget* widget, const QColor& color) {
  QPalette p = widget->palette();
  const QPalette::ColorRole role =
      qobject_cast<QAbstractButton*>(widget) ? QPalette::ButtonText : QPalette::WindowText;
  p.setColor(role, color);
  widget->setPalette(p);
}

QColor TextColor(const QWidget* widget) {
  const QPalette::ColorRole role =
      qobject_cast<const QAbstractButton*>(widget) ? QPalette::ButtonText : QPalette::WindowText;
  return widget->palette().color(role);
}

}  // namespace tovix
