// Where the browser goes: the hole between the four frame panels.
#pragma once

#include "common/geometry/scaled_geometry.h"

namespace tw {

// Current outer sizes of the frame windows.
struct PanelSizes {
  int top_width = 0;
  int top_height = 0;
  int left_width = 0;
  int left_height = 0;
  int right_width = 0;

  bool operator==(const PanelSizes&) const = default;
};

struct BrowserPlacement {
  Rect browser;  // the embedded browser window
  Rect email;    // the e-mail window, one pixel inside the browser's hole
};

// The panels' sizes at design size (top bar 800 x 60, side panels 25 and 75 wide and 483
// high), scaled: the frame the browser fits into before the panels report their own.
PanelSizes DesignPanelSizes(double screen_scale);

BrowserPlacement ComputeBrowserPlacement(const PanelSizes& panels, bool keyboard_shown, double screen_scale);

// The controller form (splash and idle cover) when it is not covering the screen.
Rect SplashFormBounds(double screen_scale, bool keyboard_shown);

}  // namespace tw
