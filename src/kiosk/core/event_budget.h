// At most so many events of one kind within a time window: what a page can make the
// kiosk do over and over (dialog boxes, prints) is bounded, and what was refused is
// summed up once instead of line by line.
#pragma once

#include <cstdint>
#include <optional>

namespace tw {

class EventBudget {
 public:
  // `allowed` events within `window_seconds` seconds of the first one of a window.
  EventBudget(int allowed, std::int64_t window_seconds) : allowed_(allowed), window_(window_seconds) {}

  // An event at `now` (seconds): true when it is within the budget.
  bool Admit(std::int64_t now);
  // Once the window in which events were refused has passed: how many were refused
  // (and the count starts again). Nothing before then, nor when none was refused.
  std::optional<int> TakeRefused(std::int64_t now);
  // When TakeRefused will have something to say, if ever.
  std::optional<std::int64_t> RefusedDue() const;
  // Whether TakeRefused has something to say at `now`.
  bool RefusedReportDue(std::int64_t now) const;
  // Refused since the last TakeRefused.
  int refused() const { return refused_; }

 private:
  int allowed_;
  std::int64_t window_;
  std::optional<std::int64_t> window_start_;
  int admitted_ = 0;
  int refused_ = 0;
};

}  // namespace tw
