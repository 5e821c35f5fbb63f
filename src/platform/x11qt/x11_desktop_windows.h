// Top-level X11 windows: the focused one, titles, and bringing one forward (through
// the window manager when there is one, directly when the kiosk is the whole session).
//
// The controller asks about the same window every 10 ms, so the answers for the
// window asked about last, and the root window's properties, are kept from X events
// (property changes, destruction, reparenting); the server is asked again only when
// an event says something changed.
#pragma once

#include <X11/Xlib.h>

#include <string>

#include "platform/desktop_windows.h"
#include "platform/x11qt/x11_display.h"

namespace tw {

class X11DesktopWindows : public DesktopWindows, private X11EventListener {
 public:
  // The display must outlive this object.
  explicit X11DesktopWindows(X11Display& display);
  ~X11DesktopWindows() override;
  X11DesktopWindows(const X11DesktopWindows&) = delete;
  X11DesktopWindows& operator=(const X11DesktopWindows&) = delete;

  WindowHandle ForegroundWindow() override;
  bool IsWindow(WindowHandle window) override;
  std::string WindowText(WindowHandle window) override;
  bool Activate(WindowHandle window) override;

 private:
  void OnXEvent(const XEvent& event) override;
  void Watch(Window window);
  void RefreshRootProperties();
  bool HasWindowManager();
  // The child of the root window that contains the window.
  Window TopLevelOf(Window window);
  std::string FetchTitle(Window window);

  X11Display& x_;
  ::Display* display_;
  Window root_ = 0;
  Atom net_active_window_ = 0;
  Atom net_wm_name_ = 0;
  Atom net_supporting_wm_check_ = 0;

  // Root window properties, valid until a property change.
  bool root_valid_ = false;
  bool window_manager_ = false;
  Window active_ = 0;

  // The window asked about last.
  Window watched_ = 0;
  bool watched_exists_ = false;
  bool watched_top_level_ = false;  // a child of the root window
  bool title_valid_ = false;
  std::string title_;
};

}  // namespace tw
