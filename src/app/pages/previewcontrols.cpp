#include "app/pages/previewcontrols.h"

#include <QMouseEvent>
#include <QToolButton>
#include <algorithm>

namespace tovix {

UpDownControl::UpDownControl(QWidget* parent) : QWidget(parent) {
  up_ = new QToolButton(this);
  up_->setObjectName(QStringLiteral("UpDownUp"));
  up_->setArrowType(Qt::UpArrow);
  down_ = new QToolButton(this);
  down_->setObjectName(QStringLiteral("UpDownDown"));
  down_->setArrowType(Qt::DownArrow);
  connect(up_, &QToolButton::clicked, this, &UpDownControl::StepUp);
  connect(down_, &QToolButton::clicked, this, &UpDownControl::StepDown);
}

void UpDownControl::SetPosition(int position) {
  position_ = std::clamp(position, kLowest, kHighest);
}

void UpDownControl::Step(int delta) {
  const int next = std::clamp(position_ + delta, kLowest, kHighest);
  if (next == position_) return;
  position_ = next;
  emit Clicked();
}

void UpDownControl::resizeEvent(QResizeEvent*) {
  const int half = height() / 2;
  up_->setGeometry(0, 0, width(), half);
  down_->setGeometry(0, half, width(), height() - half);
}

PreviewImage::PreviewImage(QWidget* parent) : QWidget(parent) {
  // The page paints the picture; this control only takes the mouse.
  setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PreviewImage::SetPicture(QImage picture) {
  // One format for every picture keeps painting on the fast path.
  picture_ = picture.isNull() ? QImage() : picture.convertToFormat(QImage::Format_RGB32);
  update();
}

void PreviewImage::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit DoubleClicked();
}

}  // namespace tovix
