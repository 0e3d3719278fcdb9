#include "chrome/screenclamp.h"

namespace tovix::chrome {

WindowRect ClampToScreen(WindowRect window, WindowRect screen) {
  const int right = screen.left + screen.width;
  const int bottom = screen.top + screen.height;
  if (window.left < screen.left) window.left = screen.left;
  if (window.left + window.width > right) window.left = right - window.width - 1;
  if (window.top < screen.top) window.top = screen.top;
  if (window.top + window.height > bottom) window.top = bottom - window.height - 1;
  // A window larger than the screen would be pushed past its left or top
  // edge by the rule above; keep the edge that holds the grip on the screen.
  if (window.left < screen.left) window.left = screen.left;
  if (window.top < screen.top) window.top = screen.top;
  return window;
}

WindowRect PlaceOverWindow(WindowRect front, WindowRect dialog) {
  dialog.left = front.left + front.width / 2 - dialog.width / 2;
  dialog.top = front.top + front.height / 4;
  return dialog;
}

}  // namespace tovix::chrome
