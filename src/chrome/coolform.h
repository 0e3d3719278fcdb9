#pragma once
// TCoolForm: the skin of a frameless window. It covers its window's client
// area, paints the skin picture as the window's whole face, cuts the window
// to the stored region ("Mask2") and lets the user drag the window by it.
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QRegion>
#include <QWidget>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "chrome/regiondata.h"
#include "chrome/screenclamp.h"

class QTimer;

namespace tovix::chrome {

// The region as a Qt region (the union of its rectangles).
QRegion ToQRegion(const RegionMask& region);

class TCoolForm : public QWidget {
  Q_OBJECT

 public:
  // Fills its parent; a top-level parent loses its frame. Draggable.
  explicit TCoolForm(QWidget* parent = nullptr);
  ~TCoolForm() override;

  // The skin. Replacing it drops the stored region; the window keeps the
  // shape it already has.
  const QPixmap& picture() const { return picture_; }
  void setPicture(const QPixmap& picture);

  // Reads a "Mask2" value (4 bytes N, then N bytes of region data) and, when
  // the data holds a valid region, sets it on the top-level window as its
  // shape. False when the bytes end early or N is negative (nothing changes
  // then). A region that cannot be built leaves the window rectangular.
  bool readMask2(std::span<const std::uint8_t> bytes);
  // The stored form of the current region: the bytes as read while the
  // region is the one read, else the region encoded; 4 zero bytes for none.
  std::vector<std::uint8_t> writeMask2() const;

  // The region property. Setting a non-empty region replaces the current one
  // and shapes the window; an empty one is ignored.
  const std::optional<RegionMask>& regionMask() const { return region_; }
  void setRegionMask(const RegionMask& region);

  bool draggable() const { return draggable_; }
  void setDraggable(bool draggable) { draggable_ = draggable; }

  // The control always sits at the top-left corner of its window.
  int top() const { return y(); }
  int left() const { return x(); }
  void setTop(int value);
  void setLeft(int value);
  void setWidth(int value);
  void setHeight(int value);

  // The screen rectangle the window is kept on (its screen's geometry).
  WindowRect screenRect() const;

 signals:
  // A double click on the face (the main window toggles its info text).
  void doubleClicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void adoptParent();
  void applyShape();
  void keepWindowOnScreen();
  void beginMove();
  void endMove();

  QPixmap picture_;
  std::optional<RegionMask> region_;
  // The region data as read, written back unchanged while region_ came from it.
  std::vector<std::uint8_t> readData_;
  bool draggable_ = true;

  // Press state: a drag starts only once the mouse has moved, so clicks and
  // double clicks reach the face as usual.
  bool pressed_ = false;
  bool moving_ = false;
  bool systemMove_ = false;
  QPoint pressGlobal_;
  QPoint windowStart_;
  QPointer<QWidget> parent_;
  QTimer* moveEnd_ = nullptr;
};

}  // namespace tovix::chrome
