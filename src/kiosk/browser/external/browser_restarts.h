// When the external browser is started again: after a failed start, or after it ended or
// stopped answering. A browser that keeps failing is tried again later each time, and
// after three failures in a row the kiosk gives it up (and shows its pages with the
// embedded browser). A browser that ran for a while before it was lost starts again at
// once: that was one crash, not a browser that cannot run.
#pragma once

#include <chrono>
#include <optional>

namespace tw {

class BrowserRestarts {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr int kFailuresBeforeGivingUp = 3;
  // A browser lost sooner than this after it was ready counts as a failed start.
  static constexpr std::chrono::seconds kSettledAfter{60};

  // A start failed (not started, no page, no answer in time). The delay before the next
  // try, or none: give up.
  std::optional<std::chrono::seconds> StartFailed();
  // The browser is up and under control.
  void Ready(Clock::time_point now) { ready_since_ = now; }
  // The browser was lost at `now`: the delay before it is started again, or none: give up.
  std::optional<std::chrono::seconds> Lost(Clock::time_point now);

  int failures() const { return failures_; }

 private:
  int failures_ = 0;
  std::optional<Clock::time_point> ready_since_;
};

}  // namespace tw
