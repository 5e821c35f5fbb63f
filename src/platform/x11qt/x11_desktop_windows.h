// Top-level X11 windows: the focused one, titles, and bringing one forward (through
// the window manager when there is one, directly when the kiosk is the whole session).
#pragma once

#include <X11/Xlib.h>

#include <chrono>

#include "platform/desktop_windows.h"

namespace tw {

class X11DesktopWindows : public DesktopWindows {
 public:
  explicit X11DesktopWindows(::Display* display);

  WindowHandle ForegroundWindow() override;
  bool IsWindow(WindowHandle window) override;
  std::string WindowText(WindowHandle window) override;
  bool Activate(WindowHandle window) override;

 private:
  // The child of the root window that contains the window.
  Window TopLevelOf(Window window);
  bool HasWindowManager();

  ::Display* display_;
  // Whether a window manager runs is asked at most once a second (the poll runs
  // a hundred times a second).
  bool window_manager_ = false;
  std::chrono::steady_clock::time_point window_manager_checked_{};
  Atom net_active_window_;
  Atom net_wm_name_;
  Atom utf8_string_;
  Atom net_supporting_wm_check_;
};

}  // namespace tw
