// The main window's size on the screen it opens on. Small screens (less than 601 pixels
// high) get a window 50 pixels less high than the screen whose pages scroll over the
// screen height plus 200, with the command column moved up.
#pragma once

#include <array>

namespace tw {

struct SetupWindowGeometry {
  int width;
  int height;
  int scroll_height;               // height of the scrolled contents; 0: no scrolling
  std::array<int, 7> button_tops;  // Open, Save As, Manual, Set Dir, Taskbar, Cancel, OK
};

SetupWindowGeometry SetupGeometryForScreen(int screen_width, int screen_height);

}  // namespace tw
