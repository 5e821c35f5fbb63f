#include "kiosk/core/frame/browser_placement.h"

namespace tw {

BrowserPlacement ComputeBrowserPlacement(const PanelSizes& panels, bool keyboard_shown, double screen_scale) {
  // The panels overlap the browser by a pixel or two so that no gap shows between them.
  const int top = panels.top_height - 1;
  const int left = panels.left_width - 1;
  int right = 0;
  int bottom = 0;
  if (keyboard_shown) {
    right = panels.top_width - panels.right_width + 2;
    bottom = panels.top_height + panels.left_height + 2;
  } else {
    right = Scaled(800, screen_scale) - panels.right_width + 2;
    bottom = Scaled(600, screen_scale) - Scaled(57, screen_scale) + 2;
  }
  BrowserPlacement p;
  p.browser = {left, top, right - left, bottom - top};
  p.email = {left + 1, top + 1, right - left - 3, bottom - top - 2};
  return p;
}

PanelSizes DesignPanelSizes(double screen_scale) {
  return {Scaled(800, screen_scale), Scaled(60, screen_scale), Scaled(25, screen_scale), Scaled(483, screen_scale),
          Scaled(75, screen_scale)};
}

Rect SplashFormBounds(double screen_scale, bool keyboard_shown) {
  return Scaled(Rect{25, 60, 700, keyboard_shown ? 242 : 483}, screen_scale);
}

}  // namespace tw
