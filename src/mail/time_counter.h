// Bounds every wait of the socket layer. Start arms it for a number of seconds; once the
// time has run out the timed-out flag stays set (Start does not clear it, Reset does),
// so an operation that checks it late still sees it.
#pragma once

#include <chrono>

namespace tw {

class TimeCounter {
 public:
  using Clock = std::chrono::steady_clock;

  void Start(int seconds) {
    deadline_ = Clock::now() + std::chrono::seconds(seconds);
    running_ = true;
  }
  void Stop() { running_ = false; }
  void Reset() {
    running_ = false;
    timed_out_ = false;
  }

  bool TimedOut() {
    if (running_ && Clock::now() >= deadline_) timed_out_ = true;
    return timed_out_;
  }

  // Milliseconds until the deadline (0 when passed or not running), for poll() slices.
  int RemainingMs() const {
    if (!running_) return 0;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
  }

 private:
  bool running_ = false;
  bool timed_out_ = false;
  Clock::time_point deadline_{};
};

}  // namespace tw
