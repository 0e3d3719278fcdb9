#include "chrome/dialogplace.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include "chrome/screenclamp.h"

namespace tovix::chrome {
namespace {

WindowRect ToRect(const QRect& r) {
  return {r.x(), r.y(), r.width(), r.height()};
}

bool IsDialog(const QObject* object) {
  const auto* widget = qobject_cast<const QWidget*>(object);
  return widget && widget->isWindow() &&
         (qobject_cast<const QDialog*>(widget) || widget->windowType() == Qt::Dialog);
}

class DialogPlacer : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && IsDialog(watched)) {
      auto* dialog = static_cast<QWidget*>(watched);
      MoveOntoScreen(*dialog);
      // The window manager adds the frame only after the first showing:
      // look again once it has.
      QTimer::singleShot(0, dialog, [window = QPointer<QWidget>(dialog)] {
        if (window && window->isVisible()) MoveOntoScreen(*window);
      });
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

void MoveOntoScreen(QWidget& window) {
  QScreen* screen = QGuiApplication::screenAt(window.frameGeometry().center());
  if (!screen) screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect frame = window.frameGeometry();
  const WindowRect placed = ClampToScreen(ToRect(frame), ToRect(screen->availableGeometry()));
  if (placed.left != frame.x() || placed.top != frame.y())
    window.move(window.x() + placed.left - frame.x(), window.y() + placed.top - frame.y());
}

void KeepDialogsOnScreen() {
  // One per application object; a later application gets its own.
  static QPointer<DialogPlacer> placer;
  if (placer || !qApp) return;
  placer = new DialogPlacer(qApp);
  qApp->installEventFilter(placer);
}

}  // namespace tovix::chrome
