// The pointer's activity on a real server (run under Xvfb): devices driven through XTest
// from another connection, as a visitor's mouse would be.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

// After gtest: X11 defines None.
#include <X11/extensions/XTest.h>

#include "platform/x11qt/x11_display.h"
#include "platform/x11qt/x11_pointer_activity.h"

namespace tw {
namespace {

// The event travels to the other connection on the server's own time.
bool MovedWithin(X11PointerActivity& activity, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!activity.TakeMoved()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

TEST(X11PointerActivity, EachMotionAndPressIsReportedOnceAndTheNextOneToo) {
  const X11Display mouse;
  ASSERT_TRUE(mouse) << "no X display";
  X11PointerActivity activity;
  ASSERT_TRUE(activity.available());
  EXPECT_FALSE(activity.TakeMoved());

  XTestFakeRelativeMotionEvent(mouse.Get(), 7, 5, CurrentTime);
  XTestFakeRelativeMotionEvent(mouse.Get(), 7, 5, CurrentTime);
  XSync(mouse.Get(), False);
  EXPECT_TRUE(MovedWithin(activity, std::chrono::seconds(2)));
  EXPECT_FALSE(activity.TakeMoved());  // both motions were one report

  // Listening again after each answer: a second visitor's move is not missed.
  XTestFakeRelativeMotionEvent(mouse.Get(), -3, 2, CurrentTime);
  XSync(mouse.Get(), False);
  EXPECT_TRUE(MovedWithin(activity, std::chrono::seconds(2)));

  XTestFakeButtonEvent(mouse.Get(), 1, True, CurrentTime);
  XTestFakeButtonEvent(mouse.Get(), 1, False, CurrentTime);
  XSync(mouse.Get(), False);
  EXPECT_TRUE(MovedWithin(activity, std::chrono::seconds(2)));
  EXPECT_FALSE(activity.TakeMoved());
}

}  // namespace
}  // namespace tw
