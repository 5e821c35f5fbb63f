#include "kiosk/browser/external/browser_restarts.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

using namespace std::chrono_literals;
using Clock = BrowserRestarts::Clock;

// Failures in a row get growing delays and the third gives the browser up; a browser that
// ran long enough before it was lost is started again at once, its count forgotten.
TEST(BrowserRestarts, GrowingDelaysThenGivingUpUnlessTheBrowserSettled) {
  const Clock::time_point t0{};
  BrowserRestarts r;
  EXPECT_EQ(r.StartFailed(), 2s);
  r.Ready(t0);
  EXPECT_EQ(r.Lost(t0 + 10s), 4s);  // lost soon after its start: one more failure
  EXPECT_EQ(r.StartFailed(), std::nullopt);

  BrowserRestarts settled;
  EXPECT_EQ(settled.StartFailed(), 2s);
  EXPECT_EQ(settled.StartFailed(), 4s);
  settled.Ready(t0);
  EXPECT_EQ(settled.Lost(t0 + BrowserRestarts::kSettledAfter), 0s);
  EXPECT_EQ(settled.failures(), 0);
  EXPECT_EQ(settled.StartFailed(), 2s);
  // Lost without having been ready since: a failure, not a settled browser.
  EXPECT_EQ(settled.Lost(t0 + 1h), 4s);
}

}  // namespace
}  // namespace tw
