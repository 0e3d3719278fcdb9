#include "chrome/coolform.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace tovix::chrome {
namespace {

// After the window manager has taken over a move we get no button release;
// the move counts as ended once the window has stood still this long.
constexpr int kMoveSettleMs = 300;

}  // namespace

QRegion ToQRegion(const RegionMask& region) {
  QRegion result;
  for (const MaskRect& r : region.rects)
    result += QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
  return result;
}

TCoolForm::TCoolForm(QWidget* parent) : QWidget(parent) {
  // The skin covers every pixel it is given, so nothing needs erasing first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setAutoFillBackground(false);
  moveEnd_ = new QTimer(this);
  moveEnd_->setSingleShot(true);
  moveEnd_->setInterval(kMoveSettleMs);
  connect(moveEnd_, &QTimer::timeout, this, [this] { endMove(); });
  adoptParent();
}

TCoolForm::~TCoolForm() = default;

void TCoolForm::setPicture(const QPixmap& picture) {
  picture_ = picture;
  region_.reset();
  readData_.clear();
  update();
}

bool TCoolForm::readMask2(std::span<const std::uint8_t> bytes) {
  std::optional<Mask2> mask = ReadMask2(bytes);
  if (!mask) return false;
  region_ = std::move(mask->region);
  if (region_) {
    readData_ = std::move(mask->data);
    applyShape();
  } else {
    readData_.clear();
  }
  return true;
}

std::vector<std::uint8_t> TCoolForm::writeMask2() const {
  if (region_ && !readData_.empty()) return WriteMask2(std::span<const std::uint8_t>(readData_));
  return WriteMask2(region_);
}

void TCoolForm::setRegionMask(const RegionMask& region) {
  if (region.rects.empty()) return;
  region_ = region;
  readData_.clear();
  applyShape();
}

void TCoolForm::setTop(int) {
  move(0, 0);
}
void TCoolForm::setLeft(int) {
  move(0, 0);
}
void TCoolForm::setWidth(int value) {
  resize(value, height());
}
void TCoolForm::setHeight(int value) {
  resize(width(), value);
}

WindowRect TCoolForm::screenRect() const {
  const QScreen* screen = window()->screen();
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return {};
  const QRect g = screen->geometry();
  return {g.x(), g.y(), g.width(), g.height()};
}

void TCoolForm::adoptParent() {
  QWidget* parent = parentWidget();
  if (parent_ == parent) return;
  if (parent_) parent_->removeEventFilter(this);
  parent_ = parent;
  if (parent) {
    if (parent->isWindow() && !(parent->windowFlags() & Qt::FramelessWindowHint)) {
      const bool wasVisible = parent->isVisible();
      parent->setWindowFlags(parent->windowFlags() | Qt::FramelessWindowHint);
      if (wasVisible) parent->show();
    }
    parent->installEventFilter(this);
    resize(parent->size());
  }
  move(0, 0);
  applyShape();
}

void TCoolForm::applyShape() {
  if (!region_) return;
  window()->setMask(ToQRegion(*region_));
}

void TCoolForm::keepWindowOnScreen() {
  QWidget* win = window();
  const WindowRect screen = screenRect();
  if (screen.width <= 0 || screen.height <= 0) return;
  const WindowRect now{win->x(), win->y(), win->frameGeometry().width(),
                       win->frameGeometry().height()};
  const WindowRect kept = ClampToScreen(now, screen);
  if (kept.left != now.left || kept.top != now.top) win->move(kept.left, kept.top);
}

void TCoolForm::beginMove() {
  moving_ = true;
  QWindow* handle = window()->windowHandle();
  if (handle && handle->startSystemMove()) {
    // The window manager moves the window now and keeps the button release.
    systemMove_ = true;
    pressed_ = false;
    if (window() != parent_) window()->installEventFilter(this);
    moveEnd_->start();
  }
}

void TCoolForm::endMove() {
  if (systemMove_ && window() != parent_) window()->removeEventFilter(this);
  systemMove_ = false;
  moving_ = false;
  pressed_ = false;
  moveEnd_->stop();
  keepWindowOnScreen();
}

void TCoolForm::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect pictureRect(QPoint(0, 0), picture_.size());
  if (!picture_.isNull()) painter.drawPixmap(0, 0, picture_);
  // Beyond the picture nothing else paints (opaque face), so fill it.
  const QRegion rest = event->region() - QRegion(pictureRect);
  for (const QRect& r : rest) painter.fillRect(r, Qt::black);
}

void TCoolForm::mousePressEvent(QMouseEvent* event) {
  event->accept();
  if (draggable_ && event->button() == Qt::LeftButton) {
    pressed_ = true;
    moving_ = false;
    pressGlobal_ = event->globalPosition().toPoint();
    windowStart_ = window()->pos();
    return;  // kept on screen when the button comes up
  }
  keepWindowOnScreen();
}

void TCoolForm::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  if (!pressed_ || !(event->buttons() & Qt::LeftButton)) return;
  const QPoint delta = event->globalPosition().toPoint() - pressGlobal_;
  if (!moving_) {
    if (delta.manhattanLength() < QApplication::startDragDistance()) return;
    beginMove();
    if (systemMove_) return;
  }
  window()->move(windowStart_ + delta);
}

void TCoolForm::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() != Qt::LeftButton) return;
  endMove();
}

void TCoolForm::mouseDoubleClickEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() == Qt::LeftButton) {
    pressed_ = false;
    emit doubleClicked();
  }
}

bool TCoolForm::event(QEvent* event) {
  if (event->type() == QEvent::ParentChange) adoptParent();
  return QWidget::event(event);
}

bool TCoolForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parent_ && event->type() == QEvent::Resize) resize(parent_->size());
  if (systemMove_ && watched == window()) {
    if (event->type() == QEvent::Move) moveEnd_->start();
    if (event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::Enter) endMove();
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace tovix::chrome
