// Where the bottom form, the side panels and their controls are, and how raising and
// lowering the on-screen keyboard reshapes them. The windows apply these rectangles;
// the browser is placed from the panel sizes afterwards.
#pragma once

#include <array>

#include "common/geometry/scaled_geometry.h"
#include "kiosk/core/frame/browser_placement.h"

namespace tw {

inline constexpr int kSidePanelCustomCount = 10;

struct FrameLayout {
  Rect bottom_form;            // FormBottom, screen pixels
  Rect left_panel;             // FormLeft
  Rect right_panel;            // FormRight
  Rect busy_meter;             // the left panel's meter, in the panel
  std::array<Rect, 4> arrows;  // the right panel's Up, Down, Left, Right buttons, in the panel
  std::array<bool, kSidePanelCustomCount> custom_visible{};  // the right panel's page buttons
  bool keyboard_shown = false;

  bool operator==(const FrameLayout&) const = default;
};

// The layout at start-up, scaled: keyboard hidden, the bottom form below the screen
// but for its tool bar; custom buttons shown where they have a URL.
FrameLayout InitialFrameLayout(double screen_scale, const std::array<bool, kSidePanelCustomCount>& custom_has_url);

// How far the bottom form moves: its height less the tool bar's scaled height.
int KeyboardTravel(const FrameLayout& layout, double screen_scale);

// Raise the keyboard: the bottom form moves up, the side panels and the busy meter
// shrink, the arrows move up with the panels' bottom, the custom buttons hide.
void ShowKeyboardLayout(FrameLayout& layout, double screen_scale);
// The exact reverse; custom buttons come back where they have a URL.
void HideKeyboardLayout(FrameLayout& layout, double screen_scale,
                        const std::array<bool, kSidePanelCustomCount>& custom_has_url);

// The sizes the browser is fitted between (the top bar's own size is passed through).
PanelSizes PanelSizesOf(const FrameLayout& layout, int top_width, int top_height);

}  // namespace tw
