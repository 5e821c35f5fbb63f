// The desktop lock on a real X server (run under Xvfb): the system combinations are
// grabbed and released again, the server's VT-switch and terminate actions leave the
// keyboard map and come back, dock windows are unmapped and mapped again; what cannot be
// locked is reported.
#include <gtest/gtest.h>
// After the test framework: Xlib's macros (None, ...) would break its headers.
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/keysym.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/x11qt/x11_desktop_lock.h"

namespace tw {
namespace {

int CountServerActions(::Display* d) {
  XkbDescPtr xkb = XkbGetMap(d, XkbKeyActionsMask | XkbKeySymsMask, XkbUseCoreKbd);
  if (xkb == nullptr) return -1;
  int count = 0;
  for (int key = xkb->min_key_code; key <= xkb->max_key_code; ++key) {
    if (!XkbKeyHasActions(xkb, key)) continue;
    for (int i = 0; i < XkbKeyNumActions(xkb, key); ++i) {
      const unsigned char type = XkbKeyActionsPtr(xkb, key)[i].type;
      if (type == XkbSA_SwitchScreen || type == XkbSA_Terminate) ++count;
    }
  }
  XkbFreeKeyboard(xkb, 0, True);
  return count;
}

// Whether another client can grab the combination (it cannot while the lock holds it).
bool Grabbable(::Display* d, KeySym sym, unsigned int modifiers) {
  static bool failed;
  failed = false;
  auto* previous = XSetErrorHandler([](::Display*, XErrorEvent*) {
    failed = true;
    return 0;
  });
  const KeyCode code = XKeysymToKeycode(d, sym);
  XGrabKey(d, code, modifiers, DefaultRootWindow(d), True, GrabModeAsync, GrabModeAsync);
  XSync(d, False);
  if (!failed) XUngrabKey(d, code, modifiers, DefaultRootWindow(d));
  XSync(d, False);
  XSetErrorHandler(previous);
  return !failed;
}

class DesktopLockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    other_ = XOpenDisplay(nullptr);
    ASSERT_NE(other_, nullptr) << "needs an X server (DISPLAY)";
  }
  void TearDown() override {
    if (other_) XCloseDisplay(other_);
  }
  ::Display* other_ = nullptr;
};

TEST_F(DesktopLockTest, SystemKeysGrabbedAndServerActionsRemovedUntilUnlocked) {
  const int actions_before = CountServerActions(other_);
  ASSERT_GT(actions_before, 0) << "the keyboard map has no VT-switch actions to take off";
  std::vector<std::string> reports;
  {
    X11DesktopLock lock;
    lock.SetReport([&](const std::string& text) { reports.push_back(text); });
    ASSERT_TRUE(lock.Available());
    ASSERT_TRUE(Grabbable(other_, XK_Delete, ControlMask | Mod1Mask));
    lock.SetSystemKeyLock(true);
    for (const auto& c : X11DesktopLock::SystemCombinations()) {
      if (XKeysymToKeycode(other_, c.keysym) == 0) continue;
      EXPECT_FALSE(Grabbable(other_, c.keysym, c.modifiers)) << XKeysymToString(c.keysym) << " " << c.modifiers;
      EXPECT_FALSE(Grabbable(other_, c.keysym, c.modifiers | Mod2Mask)) << "with Num Lock";
    }
    EXPECT_EQ(CountServerActions(other_), 0);
    EXPECT_EQ(lock.disabled_actions(), static_cast<std::size_t>(actions_before));
    // Ordinary keys stay free.
    EXPECT_TRUE(Grabbable(other_, XK_a, 0));
    lock.SetSystemKeyLock(false);
    EXPECT_TRUE(Grabbable(other_, XK_Delete, ControlMask | Mod1Mask));
    EXPECT_EQ(CountServerActions(other_), actions_before);
    lock.SetSystemKeyLock(true);
  }
  // Going away gives everything back as well.
  EXPECT_TRUE(Grabbable(other_, XK_F1, ControlMask | Mod1Mask));
  EXPECT_EQ(CountServerActions(other_), actions_before);
  EXPECT_TRUE(reports.empty());
}

TEST_F(DesktopLockTest, AKioskKilledWhileLockedHasTheMapGivenBackByTheNextStart) {
  const int actions_before = CountServerActions(other_);
  ASSERT_GT(actions_before, 0);
  const std::string state =
      std::filesystem::temp_directory_path() / ("tarnwick-keymap-test-" + std::to_string(::getpid()));
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    X11DesktopLock lock("", state);
    lock.SetSystemKeyLock(true);
    ::kill(::getpid(), SIGKILL);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(CountServerActions(other_), 0) << "the killed kiosk left the map stripped";
  ASSERT_TRUE(std::filesystem::exists(state));
  {
    X11DesktopLock lock("", state);
    lock.SetSystemKeyLock(true);
    EXPECT_EQ(lock.disabled_actions(), static_cast<std::size_t>(actions_before));
    lock.SetSystemKeyLock(false);
    EXPECT_EQ(CountServerActions(other_), actions_before);
    EXPECT_FALSE(std::filesystem::exists(state));
    lock.SetSystemKeyLock(true);
  }
  EXPECT_EQ(CountServerActions(other_), actions_before);
  EXPECT_FALSE(std::filesystem::exists(state));
}

TEST_F(DesktopLockTest, CombinationHeldByAnotherProgramIsReportedAndTheRestLocked) {
  const Window root = DefaultRootWindow(other_);
  const KeyCode tab = XKeysymToKeycode(other_, XK_Tab);
  XGrabKey(other_, tab, Mod1Mask, root, True, GrabModeAsync, GrabModeAsync);
  XSync(other_, False);
  std::vector<std::string> reports;
  X11DesktopLock lock;
  lock.SetReport([&](const std::string& text) { reports.push_back(text); });
  lock.SetSystemKeyLock(true);
  EXPECT_EQ(reports, std::vector<std::string>{"Key Lock Failed - Alt+Tab is held by another program"});
  EXPECT_FALSE(Grabbable(other_, XK_Delete, ControlMask | Mod1Mask));
  EXPECT_GT(lock.disabled_actions(), 0u);
  XUngrabKey(other_, tab, Mod1Mask, root);
  XSync(other_, False);
}

TEST_F(DesktopLockTest, BrowserKeysHeldWithEveryOtherModifierAndAKeyHeldElsewhereFailsTheLock) {
  const unsigned int others[] = {0,
                                 LockMask,
                                 Mod2Mask,
                                 Mod3Mask,
                                 Mod4Mask,
                                 Mod5Mask,
                                 Mod4Mask | Mod5Mask,
                                 LockMask | Mod2Mask | Mod3Mask | Mod4Mask | Mod5Mask};
  {
    X11DesktopLock lock;
    ASSERT_TRUE(lock.SetBrowserKeyLock(true));
    int checked = 0;
    for (const auto& c : X11DesktopLock::BrowserCombinations()) {
      if (XKeysymToKeycode(other_, c.keysym) == 0) continue;
      ++checked;
      for (unsigned int other : others) {
        EXPECT_FALSE(Grabbable(other_, c.keysym, c.modifiers | other))
            << XKeysymToString(c.keysym) << " " << c.modifiers << " with " << other;
      }
    }
    EXPECT_GT(checked, 80);
    EXPECT_TRUE(Grabbable(other_, XK_a, ShiftMask)) << "typing stays free";
    EXPECT_TRUE(lock.SetBrowserKeyLock(false));
    EXPECT_TRUE(Grabbable(other_, XK_F4, ControlMask | Mod4Mask));
  }
  // Another program holding Ctrl+F4 (here only with Super) leaves the browser's window
  // closable by a key: the lock says so.
  const KeyCode f4 = XKeysymToKeycode(other_, XK_F4);
  XGrabKey(other_, f4, ControlMask | Mod4Mask, DefaultRootWindow(other_), True, GrabModeAsync, GrabModeAsync);
  XSync(other_, False);
  std::vector<std::string> reports;
  X11DesktopLock lock;
  lock.SetReport([&](const std::string& text) { reports.push_back(text); });
  EXPECT_FALSE(lock.SetBrowserKeyLock(true));
  EXPECT_EQ(reports, std::vector<std::string>{"Key Lock Failed - Ctrl+F4 is held by another program"});
  EXPECT_FALSE(Grabbable(other_, XK_Escape, ShiftMask)) << "the rest are held all the same";
  XUngrabKey(other_, f4, ControlMask | Mod4Mask, DefaultRootWindow(other_));
  XSync(other_, False);
}

TEST_F(DesktopLockTest, DockWindowsHiddenAndShownAgain) {
  const Window root = DefaultRootWindow(other_);
  const Window dock = XCreateSimpleWindow(other_, root, 0, 0, 800, 30, 0, 0, 0);
  const Window normal = XCreateSimpleWindow(other_, root, 0, 40, 100, 100, 0, 0, 0);
  const Atom type = XInternAtom(other_, "_NET_WM_WINDOW_TYPE", False);
  const Atom dock_type = XInternAtom(other_, "_NET_WM_WINDOW_TYPE_DOCK", False);
  XChangeProperty(other_, dock, type, XA_ATOM, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(&dock_type),
                  1);
  XMapWindow(other_, dock);
  XMapWindow(other_, normal);
  XSync(other_, False);
  auto mapped = [&](Window w) {
    XWindowAttributes a;
    XGetWindowAttributes(other_, w, &a);
    return a.map_state != IsUnmapped;
  };
  X11DesktopLock lock;
  lock.SetTaskBarHidden(true);
  EXPECT_FALSE(mapped(dock));
  EXPECT_TRUE(mapped(normal));
  EXPECT_EQ(lock.hidden_docks().size(), 1u);
  lock.SetTaskBarHidden(false);
  EXPECT_TRUE(mapped(dock));
  EXPECT_TRUE(lock.hidden_docks().empty());
  // A dock left hidden by someone else (a kiosk that died) is shown by the Taskbar command.
  XUnmapWindow(other_, dock);
  XUnmapWindow(other_, normal);
  XSync(other_, False);
  EXPECT_EQ(X11DesktopLock().ShowAllDockWindows(), 1u);
  EXPECT_TRUE(mapped(dock));
  EXPECT_FALSE(mapped(normal));
  XDestroyWindow(other_, dock);
  XDestroyWindow(other_, normal);
  XSync(other_, False);
}

TEST(DesktopLockWithoutDisplay, DoesNothingButReportIt) {
  X11DesktopLock lock(":no-such-display");
  EXPECT_FALSE(lock.Available());
  lock.SetSystemKeyLock(true);
  lock.SetTaskBarHidden(true);
  EXPECT_EQ(lock.disabled_actions(), 0u);
  // Found before anyone listened: handed over when the report is set.
  std::vector<std::string> reports;
  lock.SetReport([&](const std::string& text) { reports.push_back(text); });
  EXPECT_EQ(reports, std::vector<std::string>{"Key Lock Failed - no X display"});
}

}  // namespace
}  // namespace tw
