// The side panel's arrows and the automatic scroll after the keyboard was raised, one
// main-loop pass at a time: what to ask of the page, and what its answers mean for the
// arrows and for the caret.
#pragma once

#include <functional>
#include <optional>

#include "kiosk/browser/browser_parts.h"
#include "kiosk/core/frame/keyboard_frame.h"
#include "kiosk/core/frame/scroll_stepper.h"

namespace tw {

// Where the answers show: the arrows are enabled by what the page can scroll.
class ScrollArrows {
 public:
  virtual ~ScrollArrows() = default;
  virtual void SetArrowsEnabled(bool vertical, bool horizontal) = 0;
};

class PageScrollDriver : public PageScrollAnswers {
 public:
  // Passes in a row between two looks at what the focused page can scroll (enabling the
  // arrows) while passes run; a page loaded or the frame changed asks for a look at once.
  static constexpr int kPassesPerLook = 25;

  // pass_due: called when a press or a look request needs a pass the loop would not
  // otherwise run.
  PageScrollDriver(bool hold_mode, double screen_scale, KeyboardFrame& keyboard, PageScrolling& page,
                   ScrollArrows& arrows, std::function<void()> pass_due);

  void ArrowPressed(ScrollDirection direction);
  void ArrowReleased(ScrollDirection direction);
  // The next pass looks at what the page can scroll.
  void RequestLook();
  // One pass.
  void Step();
  // More passes are wanted: an arrow scrolls, the automatic scroll goes on, a look waits.
  bool WantsPassSoon() const;

  // PageScrollAnswers
  void PageScrollAnswered(const PageScrollAnswer& answer) override;

 private:
  ScrollStepper stepper_;
  KeyboardFrame& keyboard_;
  PageScrolling& page_;
  ScrollArrows& arrows_;
  std::optional<int> previous_caret_;
  bool caret_measured_ = false;
  int passes_since_look_ = 0;
  bool look_requested_ = false;
  std::function<void()> pass_due_;
};

}  // namespace tw
