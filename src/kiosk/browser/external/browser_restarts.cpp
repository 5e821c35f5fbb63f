#include "kiosk/browser/external/browser_restarts.h"

namespace tw {

std::optional<std::chrono::seconds> BrowserRestarts::StartFailed() {
  ready_since_.reset();
  if (++failures_ >= kFailuresBeforeGivingUp) return std::nullopt;
  // 2 s, then 4 s: long enough for a busy machine to settle, short enough for a visitor.
  return std::chrono::seconds(1 << failures_);
}

std::optional<std::chrono::seconds> BrowserRestarts::Lost(Clock::time_point now) {
  const bool settled = ready_since_ && now - *ready_since_ >= kSettledAfter;
  ready_since_.reset();
  if (!settled) return StartFailed();
  failures_ = 0;
  return std::chrono::seconds(0);
}

}  // namespace tw
