#include "app/pages/previewcontrols.h"

#include <QMouseEvent>
#include <QPainter>
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
  // Where there is no picture the page's black shows through.
  setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PreviewImage::SetPicture(QImage picture) {
  // One format for every picture keeps painting on the fast path.
  picture_ = picture.isNull() ? QImage() : picture.convertToFormat(QImage::Format_RGB32);
  update();
}

void PreviewImage::SetStretch(bool stretch) {
  stretch_ = stretch;
  update();
}

void PreviewImage::paintEvent(QPaintEvent*) {
  if (picture_.isNull() || width() <= 0 || height() <= 0) return;
  QPainter painter(this);
  // Plain pixel stretching, no smoothing: what a stretch blit does.
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  if (stretch_)
    painter.drawImage(rect(), picture_);
  else
    painter.drawImage(QPoint(0, 0), picture_);
}

void PreviewImage::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit DoubleClicked();
}

}  // namespace tovix
