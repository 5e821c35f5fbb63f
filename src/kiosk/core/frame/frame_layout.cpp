#include "kiosk/core/frame/frame_layout.h"

#include "kiosk/core/frame/toolbar_layout.h"

namespace tw {
namespace {

// Design geometry of the side panels and their controls.
constexpr Rect kLeftPanel{0, 60, 25, 483};
constexpr Rect kRightPanel{725, 60, 75, 483};
constexpr Rect kBusyMeter{7, 6, 25 - 14, 483 - 14};
constexpr std::array<Rect, 4> kArrows{{{8, 296, 57, 41}, {8, 344, 57, 41}, {8, 392, 57, 41}, {8, 440, 57, 41}}};

}  // namespace

FrameLayout InitialFrameLayout(double scale, const std::array<bool, kSidePanelCustomCount>& custom_has_url) {
  FrameLayout l;
  l.bottom_form = Scaled(Rect{0, kBottomFormTop, 800, kBottomFormHeight}, scale);
  l.left_panel = Scaled(kLeftPanel, scale);
  l.right_panel = Scaled(kRightPanel, scale);
  l.busy_meter = Scaled(kBusyMeter, scale);
  for (std::size_t i = 0; i < kArrows.size(); ++i) l.arrows[i] = Scaled(kArrows[i], scale);
  l.custom_visible = custom_has_url;
  return l;
}

int KeyboardTravel(const FrameLayout& layout, double scale) {
  return layout.bottom_form.height - Scaled(kToolbarHeight, scale);
}

void ShowKeyboardLayout(FrameLayout& l, double scale) {
  if (l.keyboard_shown) return;
  const int b = KeyboardTravel(l, scale);
  l.keyboard_shown = true;
  l.bottom_form.top -= b;
  l.busy_meter.height -= b;
  l.custom_visible.fill(false);
  for (Rect& arrow : l.arrows) arrow.top -= b;
  l.left_panel.height -= b;
  l.right_panel.height -= b;
}

void HideKeyboardLayout(FrameLayout& l, double scale, const std::array<bool, kSidePanelCustomCount>& custom_has_url) {
  if (!l.keyboard_shown) return;
  const int b = KeyboardTravel(l, scale);
  l.keyboard_shown = false;
  l.left_panel.height += b;
  l.right_panel.height += b;
  l.custom_visible = custom_has_url;
  for (Rect& arrow : l.arrows) arrow.top += b;
  l.busy_meter.height += b;
  l.bottom_form.top += b;
}

PanelSizes PanelSizesOf(const FrameLayout& l, int top_width, int top_height) {
  return {top_width, top_height, l.left_panel.width, l.left_panel.height, l.right_panel.width};
}

}  // namespace tw
