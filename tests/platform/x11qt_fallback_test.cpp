// The real platform where it has nothing to work with: no X display, no sound
// device, a missing wave file. The kiosk must carry on quietly in each case.
#include <gtest/gtest.h>

#include <chrono>

#include "platform/x11qt/canberra_button_sound.h"
#include "platform/x11qt/x11_desktop_windows.h"
#include "platform/x11qt/x11_display.h"
#include "platform/x11qt/x11_keyboard_platform.h"
#include "platform/x11qt/xkb_lock_states.h"
#include "platform/x11qt/xtest_key_injector.h"

namespace tw {
namespace {

TEST(X11Platform, WithoutADisplayNothingHappens) {
  X11Display display(":no-such-display");
  ASSERT_FALSE(display);
  XTestKeyInjector keys(display.Get());
  EXPECT_FALSE(keys.Available());
  EXPECT_EQ(keys.MapCharacter(U'a'), std::nullopt);
  keys.SendKey({{vk::kReturn, false}, true, false});
  keys.ToggleNumLock();
  keys.Flush();
  X11DesktopWindows windows(display);
  EXPECT_EQ(windows.ForegroundWindow(), kNoWindow);
  EXPECT_FALSE(windows.IsWindow(42));
  EXPECT_EQ(windows.WindowText(42), "");
  EXPECT_FALSE(windows.Activate(42));
  XkbLockStates locks(display);
  EXPECT_EQ(locks.ReadLockStates(), LockStates{});

  X11KeyboardPlatform platform(":no-such-display");
  EXPECT_FALSE(platform.Available());
  EXPECT_EQ(platform.Get().windows->ForegroundWindow(), kNoWindow);
}

TEST(ButtonSound, MissingWaveFileReturnsAtOnce) {
  CanberraButtonSound sound;
  sound.SetMaximumWait(std::chrono::milliseconds(2000));
  auto start = std::chrono::steady_clock::now();
  sound.PlayButtonSound(ButtonSound::kCustom, "/nonexistent/click.wav");
  EXPECT_FALSE(sound.LastPlayed());
  sound.PlayButtonSound(ButtonSound::kCustom, "");
  EXPECT_FALSE(sound.LastPlayed());
  sound.PlayButtonSound(ButtonSound::kNone, "");
  EXPECT_FALSE(sound.LastPlayed());
  sound.PlayButtonSound(ButtonSound::kAsterisk, "");  // played or not: no failure
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500));
}

}  // namespace
}  // namespace tw
