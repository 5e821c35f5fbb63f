#include "kiosk/core/frame/keyboard_frame.h"

namespace tw {

KeyboardFrame::KeyboardFrame(double screen_scale, const std::array<bool, kSidePanelCustomCount>& page_buttons_with_url)
    : scale_(screen_scale),
      page_buttons_with_url_(page_buttons_with_url),
      layout_(InitialFrameLayout(screen_scale, page_buttons_with_url)) {}

PanelSizes KeyboardFrame::PanelSizesFor(int top_width, int top_height) const {
  return PanelSizesOf(layout_, top_width, top_height);
}

KeyboardFrame::Change KeyboardFrame::Toggle(int top_width, int top_height) {
  Change change;
  if (!layout_.keyboard_shown) {
    caret_scroll_request_ = true;
    ShowKeyboardLayout(layout_, scale_);
    change.browser_sizes = PanelSizesFor(top_width, top_height);
  } else {
    change.browser_sizes = PanelSizesFor(top_width, top_height);
    HideKeyboardLayout(layout_, scale_, page_buttons_with_url_);
  }
  change.shown = layout_.keyboard_shown;
  change.layout = layout_;
  return change;
}

}  // namespace tw
