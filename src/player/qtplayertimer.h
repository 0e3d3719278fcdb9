#pragma once
// The player's timer in the windows: a Qt timer in the component's thread.
#include <QObject>
#include <functional>
#include <memory>

#include "player/mpegplay.h"

class QTimer;

namespace tovix {

class QtPlayerTimer : public PlayerTimer {
 public:
  explicit QtPlayerTimer(std::function<void()> tick);
  ~QtPlayerTimer() override;
  void SetInterval(int ms) override;
  int Interval() const override;
  void SetEnabled(bool enabled) override;
  bool Enabled() const override;

 private:
  std::unique_ptr<QTimer> timer_;
  bool enabled_ = false;
};

// A factory for TMPEGPlayer; tick runs the player's timer handler.
PlayerTimerFactory QtPlayerTimers();

}  // namespace tovix
