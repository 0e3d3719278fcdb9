#include "app/pages/pagepanel.h"

#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/pages/qtext.h"

namespace tovix {

const char* const kButtonStyle =
    "QPushButton { color: #1d2230; border: 1px solid #8a93a6; border-radius: 4px;"
    " padding: 2px 8px; background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
    " stop:0 #fdfdfd, stop:1 #d3d9e3); }"
    "QPushButton:hover { border-color: #3d6fb6; }"
    "QPushButton:pressed { background: #c2cad8; }"
    "QPushButton:disabled { color: #8a93a6; }";

PagePanel::PagePanel(const QString& name, QWidget* parent) : QWidget(parent) {
  setObjectName(name);
  setAttribute(Qt::WA_StyledBackground, false);
  hide();
}

void PagePanel::SetBackground(const QPixmap& picture) {
  background_ = picture;
  update();
}

void PagePanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (background_.isNull())
    painter.fillRect(rect(), palette().window());
  else
    painter.drawPixmap(0, 0, background_);
}

QLabel* PagePanel::AddLabel(const QString& name, const std::string& text, const QRect& place,
                            QWidget* parent) {
  auto* label = new QLabel(parent ? parent : this);
  label->setObjectName(name);
  SetCaption(label, text);
  label->setGeometry(place);
  return label;
}

QPushButton* PagePanel::AddButton(const QString& name, const std::string& text, const QRect& place,
                                  QWidget* parent) {
  auto* button = new QPushButton(parent ? parent : this);
  button->setObjectName(name);
  // On the button alone: a style sheet on the page would also take over its
  // labels and drop the line spacing their rich text asks for.
  button->setStyleSheet(QString::fromLatin1(kButtonStyle));
  SetCaption(button, text);
  button->setGeometry(place);
  button->setCursor(Qt::PointingHandCursor);
  return button;
}

QCheckBox* PagePanel::AddCheckBox(const QString& name, const std::string& text, const QRect& place,
                                  bool checked, QWidget* parent) {
  auto* box = new QCheckBox(parent ? parent : this);
  box->setObjectName(name);
  SetCaption(box, text);
  box->setGeometry(place);
  box->setChecked(checked);
  return box;
}

QPlainTextEdit* PagePanel::AddMemo(const QString& name, const QRect& place, bool readOnly) {
  auto* memo = new QPlainTextEdit(this);
  memo->setObjectName(name);
  memo->setGeometry(place);
  memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo->setReadOnly(readOnly);
  return memo;
}

void MemoAdd(QPlainTextEdit* memo, const std::string& line) {
  memo->appendPlainText(FromAnsi(line));
}

}  // namespace tovix
