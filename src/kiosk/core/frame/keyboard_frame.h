// The frame as the on-screen keyboard leaves it: raised or lowered, where the bottom
// panel, the side panels and their controls are, and whether the page should follow the
// caret now that the keyboard covers part of it.
#pragma once

#include <array>

#include "kiosk/core/frame/browser_placement.h"
#include "kiosk/core/frame/frame_layout.h"

namespace tw {

class KeyboardFrame {
 public:
  struct Change {
    bool shown = false;
    FrameLayout layout;        // the frame's new layout, applied after the browser moves
    PanelSizes browser_sizes;  // the panel sizes the browser is placed between first
  };

  KeyboardFrame(double screen_scale, const std::array<bool, kSidePanelCustomCount>& page_buttons_with_url);

  // Raises the keyboard (the frame shrinks, the browser fits the smaller hole; the page
  // then follows the caret) or lowers it (the browser takes the full hole first, the
  // frame grows back around it).
  Change Toggle(int top_width, int top_height);

  bool shown() const { return layout_.keyboard_shown; }
  const FrameLayout& layout() const { return layout_; }
  PanelSizes PanelSizesFor(int top_width, int top_height) const;
  // Where the browser and the e-mail window go between panels of these sizes.
  BrowserPlacement PlaceBrowser(const PanelSizes& panels) const {
    return ComputeBrowserPlacement(panels, shown(), scale_);
  }

  // The automatic scroll that keeps the caret in sight after the keyboard was raised.
  bool caret_scroll_request() const { return caret_scroll_request_; }
  void SetCaretScroll(bool on) { caret_scroll_request_ = on; }

 private:
  double scale_;
  std::array<bool, kSidePanelCustomCount> page_buttons_with_url_;
  FrameLayout layout_;
  bool caret_scroll_request_ = false;
};

}  // namespace tw
