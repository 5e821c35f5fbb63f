#include "kiosk/core/frame/page_scroll_driver.h"

namespace tw {

PageScrollDriver::PageScrollDriver(bool hold_mode, double screen_scale, KeyboardFrame& keyboard, PageScrolling& page,
                                   ScrollArrows& arrows, std::function<void()> pass_due)
    : stepper_(hold_mode, screen_scale),
      keyboard_(keyboard),
      page_(page),
      arrows_(arrows),
      pass_due_(std::move(pass_due)) {}

void PageScrollDriver::ArrowPressed(ScrollDirection direction) {
  bool request = keyboard_.caret_scroll_request();
  stepper_.Press(direction, request);
  keyboard_.SetCaretScroll(request);
  if (pass_due_) pass_due_();
}

void PageScrollDriver::ArrowReleased(ScrollDirection direction) { stepper_.Release(direction); }

void PageScrollDriver::RequestLook() {
  look_requested_ = true;
  if (pass_due_) pass_due_();
}

bool PageScrollDriver::WantsPassSoon() const {
  return look_requested_ || keyboard_.caret_scroll_request() || stepper_.active();
}

void PageScrollDriver::Step() {
  if (page_.ScrollPending()) return;
  // The automatic scroll first looks where the caret is: a field already near the top
  // is left alone.
  if (keyboard_.caret_scroll_request() && !caret_measured_) {
    page_.ScrollFocusedPage(std::nullopt, *this);
    return;
  }
  if (const auto direction = stepper_.Step(keyboard_.caret_scroll_request())) {
    passes_since_look_ = 0;
    page_.ScrollFocusedPage(direction, *this);
    return;
  }
  if (look_requested_ || ++passes_since_look_ >= kPassesPerLook) {
    look_requested_ = false;
    passes_since_look_ = 0;
    page_.ScrollFocusedPage(std::nullopt, *this);
  }
}

void PageScrollDriver::PageScrollAnswered(const PageScrollAnswer& answer) {
  const bool request = ContinueCaretScroll(keyboard_.caret_scroll_request(), answer.caret_y,
                                           caret_measured_ ? previous_caret_ : std::nullopt);
  keyboard_.SetCaretScroll(request);
  caret_measured_ = request;
  previous_caret_ = answer.caret_y;
  arrows_.SetArrowsEnabled(answer.vertical, answer.horizontal);
}

}  // namespace tw
