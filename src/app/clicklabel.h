#pragma once
// A label that reports clicks and double clicks, as the window's page
// number labels and its info text do.
#include <QLabel>

namespace tovix {

class ClickLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ClickLabel(const QString& name, QWidget* parent);

 signals:
  void clicked();
  void doubleClicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// The text colour of a label or a button.
void SetTextColor(QWidget* widget, const QColor& color);
QColor TextColor(const QWidget* widget);

}  // namespace tovix
