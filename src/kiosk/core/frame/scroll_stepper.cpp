#include "kiosk/core/frame/scroll_stepper.h"

#include "common/geometry/scaled_geometry.h"

namespace tw {

ScrollStepper::ScrollStepper(bool hold_mode, double screen_scale)
    : hold_mode_(hold_mode), steps_per_press_(Scaled(6, screen_scale)) {}

void ScrollStepper::Press(ScrollDirection direction, bool& caret_scroll_request) {
  if (direction == ScrollDirection::kUp) caret_scroll_request = false;
  held_[Index(direction)] = true;
  if (!hold_mode_) pending_[Index(direction)] += steps_per_press_;
}

void ScrollStepper::Release(ScrollDirection direction) {
  if (hold_mode_) held_[Index(direction)] = false;
}

bool ScrollStepper::active() const {
  for (const bool h : held_) {
    if (h) return true;
  }
  return false;
}

std::optional<ScrollDirection> ScrollStepper::Step(bool caret_scroll_request) {
  std::optional<ScrollDirection> result;
  if (held(ScrollDirection::kUp)) {
    result = ScrollDirection::kUp;
  } else if (held(ScrollDirection::kDown) || caret_scroll_request) {
    result = ScrollDirection::kDown;
  } else if (held(ScrollDirection::kLeft)) {
    result = ScrollDirection::kLeft;
  } else if (held(ScrollDirection::kRight)) {
    result = ScrollDirection::kRight;
  }
  if (!hold_mode_) {
    for (std::size_t i = 0; i < held_.size(); ++i) {
      if (pending_[i] > 0) {
        --pending_[i];
      } else {
        held_[i] = false;
      }
    }
  }
  return result;
}

bool ContinueCaretScroll(bool request, std::optional<int> caret_y, std::optional<int> previous_caret_y) {
  constexpr int kCaretMargin = 100;
  if (!request || !caret_y) return false;
  if (*caret_y <= kCaretMargin) return false;
  return !previous_caret_y || *previous_caret_y != *caret_y;
}

}  // namespace tw
