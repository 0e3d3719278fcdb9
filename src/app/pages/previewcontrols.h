#pragma once
// The two small controls of the preview page: the margin's up-down arrows
// and the background picture.
#include <QImage>
#include <QWidget>

class QToolButton;

namespace tovix {

// Up and down arrows over a position from 25 to 90 in steps of 5, without
// wrapping. The range runs from 90 down to 25, so the up arrow makes the
// margin smaller and the down arrow makes it larger.
class UpDownControl : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kLowest = 25;
  static constexpr int kHighest = 90;
  static constexpr int kStep = 5;

  explicit UpDownControl(QWidget* parent = nullptr);

  int Position() const { return position_; }
  // Held within 25..90, as the control does with any value set.
  void SetPosition(int position);
  // The arrows as the user clicks them.
  void StepUp() { Step(-kStep); }
  void StepDown() { Step(kStep); }
  QToolButton* UpButton() const { return up_; }
  QToolButton* DownButton() const { return down_; }

 signals:
  // After an arrow changed the position.
  void Clicked();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Step(int delta);

  int position_ = 30;
  QToolButton* up_ = nullptr;
  QToolButton* down_ = nullptr;
};

// The background picture where the scale mode places it. The page paints
// it; the control takes the mouse.
class PreviewImage : public QWidget {
  Q_OBJECT

 public:
  explicit PreviewImage(QWidget* parent = nullptr);

  const QImage& Picture() const { return picture_; }
  // Null clears the picture.
  void SetPicture(QImage picture);

 signals:
  void DoubleClicked();

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  QImage picture_;
};

}  // namespace tovix
