#include "player/qtplayertimer.h"

#include <QTimer>

namespace tovix {

QtPlayerTimer::QtPlayerTimer(std::function<void()> tick) : timer_(std::make_unique<QTimer>()) {
  QObject::connect(timer_.get(), &QTimer::timeout, [tick = std::move(tick)] { tick(); });
}

QtPlayerTimer::~QtPlayerTimer() = default;

void QtPlayerTimer::SetInterval(int ms) {
  timer_->setInterval(ms);
  SetEnabled(enabled_);
}

int QtPlayerTimer::Interval() const {
  return timer_->interval();
}

// A timer with the interval 0 never runs, as the window system's does not.
void QtPlayerTimer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (enabled_ && timer_->interval() > 0)
    timer_->start();
  else
    timer_->stop();
}

bool QtPlayerTimer::Enabled() const {
  return enabled_;
}

PlayerTimerFactory QtPlayerTimers() {
  return
      [](std::function<void()> tick) { return std::make_unique<QtPlayerTimer>(std::move(tick)); };
}

}  // namespace tovix
