#pragma once
// Keeping a window on the screen after it was pressed or dragged. No Qt here.

namespace tovix::chrome {

struct WindowRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

// The window moved back onto the screen (origin screenLeft/screenTop, size
// screenWidth x screenHeight): a left or top edge before the screen's goes
// to it; a window sticking out on the right or bottom goes to screen size -
// window size - 1. A window larger than the screen keeps its left or top
// edge on the screen rather than being pushed past it.
WindowRect ClampToScreen(WindowRect window, WindowRect screen);

// Where a dialog of size dialog goes over the window in front: centred
// horizontally, a quarter of that window's height below its top. Size
// unchanged; divisions truncate toward zero.
WindowRect PlaceOverWindow(WindowRect front, WindowRect dialog);

}  // namespace tovix::chrome
