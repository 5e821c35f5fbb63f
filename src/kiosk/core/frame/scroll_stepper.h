// What the side panel's arrows ask of the page, one pass of the main loop at a time.
// Hold mode: a direction scrolls one line per pass while its arrow is held down. Step
// mode: a press scrolls a fixed number of lines, one per pass; presses add up.
#pragma once

#include <array>
#include <optional>

namespace tw {

enum class ScrollDirection { kUp, kDown, kLeft, kRight };

class ScrollStepper {
 public:
  // `hold_mode` is PREFERENCES/ScrollOn.
  ScrollStepper(bool hold_mode, double screen_scale);

  // An arrow pressed. Up also ends the automatic scroll after the keyboard was raised.
  void Press(ScrollDirection direction, bool& caret_scroll_request);
  // An arrow released: ends the direction in hold mode, nothing in step mode.
  void Release(ScrollDirection direction);

  // One pass: the direction to scroll one line in (up, then down or the automatic
  // scroll, then left, then right; one at most), and in step mode the counts run down.
  std::optional<ScrollDirection> Step(bool caret_scroll_request);

  bool held(ScrollDirection d) const { return held_[Index(d)]; }
  // Some direction still scrolls on the next pass.
  bool active() const;
  int pending(ScrollDirection d) const { return pending_[Index(d)]; }
  bool hold_mode() const { return hold_mode_; }
  // Lines added per press in step mode: 6 x scale, rounded (the pass that ends the
  // direction scrolls once more).
  int steps_per_press() const { return steps_per_press_; }

 private:
  static std::size_t Index(ScrollDirection d) { return static_cast<std::size_t>(d); }

  bool hold_mode_;
  int steps_per_press_;
  std::array<bool, 4> held_{};
  std::array<int, 4> pending_{};
};

// The automatic scroll after the keyboard was raised goes on while the caret lies more
// than 100 pixels below the top of the scrolled view and still moves between passes.
// `caret_y` and `previous_caret_y` are the caret's heights in the view (none: no caret).
bool ContinueCaretScroll(bool request, std::optional<int> caret_y, std::optional<int> previous_caret_y);

}  // namespace tw
