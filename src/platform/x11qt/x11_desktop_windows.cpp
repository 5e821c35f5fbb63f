#include "platform/x11qt/x11_desktop_windows.h"

#include <X11/Xatom.h>

#include <chrono>
#include <thread>

#include "platform/x11qt/x11_window_properties.h"

namespace tw {

X11DesktopWindows::X11DesktopWindows(X11Display& display) : x_(display), display_(display.Get()) {
  if (!display_) return;
  root_ = DefaultRootWindow(display_);
  net_active_window_ = XInternAtom(display_, "_NET_ACTIVE_WINDOW", False);
  net_wm_name_ = XInternAtom(display_, "_NET_WM_NAME", False);
  net_supporting_wm_check_ = XInternAtom(display_, "_NET_SUPPORTING_WM_CHECK", False);
  XSelectInput(display_, root_, PropertyChangeMask);
  x_.AddListener(this);
}

X11DesktopWindows::~X11DesktopWindows() {
  if (!display_) return;
  x_.RemoveListener(this);
  X11ErrorTrap trap(display_);
  XSelectInput(display_, root_, NoEventMask);
  if (watched_ != 0 && watched_exists_) XSelectInput(display_, watched_, NoEventMask);
}

void X11DesktopWindows::OnXEvent(const XEvent& event) {
  switch (event.type) {
    case PropertyNotify:
      if (event.xproperty.window == root_ &&
          (event.xproperty.atom == net_active_window_ || event.xproperty.atom == net_supporting_wm_check_)) {
        root_valid_ = false;
      } else if (event.xproperty.window == watched_ &&
                 (event.xproperty.atom == XA_WM_NAME || event.xproperty.atom == net_wm_name_)) {
        title_valid_ = false;
      }
      break;
    case DestroyNotify:
      if (event.xdestroywindow.window == watched_) watched_exists_ = false;
      break;
    case ReparentNotify:
      if (event.xreparent.window == watched_) watched_top_level_ = event.xreparent.parent == root_;
      break;
    default: break;
  }
}

void X11DesktopWindows::Watch(Window window) {
  if (window == watched_) return;
  X11ErrorTrap trap(display_);
  if (watched_ != 0 && watched_exists_) XSelectInput(display_, watched_, NoEventMask);
  watched_ = window;
  title_valid_ = false;
  // Events first, then the state: no change between the two goes unseen.
  XSelectInput(display_, window, PropertyChangeMask | StructureNotifyMask);
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  Status status = XQueryTree(display_, window, &root, &parent, &children, &count);
  if (children) XFree(children);
  watched_exists_ = trap.Ok() && status != 0;
  watched_top_level_ = watched_exists_ && parent == root_;
}

void X11DesktopWindows::RefreshRootProperties() {
  window_manager_ = WindowProperty(display_, root_, net_supporting_wm_check_) != 0;
  active_ = WindowProperty(display_, root_, net_active_window_);
  root_valid_ = true;
}

bool X11DesktopWindows::HasWindowManager() {
  x_.Pump();
  if (!root_valid_) RefreshRootProperties();
  return window_manager_;
}

Window X11DesktopWindows::TopLevelOf(Window window) {
  X11ErrorTrap trap(display_);
  while (window != 0 && window != root_) {
    Window root, parent;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display_, window, &root, &parent, &children, &count)) break;
    if (children) XFree(children);
    if (parent == root_) return trap.Ok() ? window : 0;
    window = parent;
  }
  trap.Ok();
  return 0;
}

WindowHandle X11DesktopWindows::ForegroundWindow() {
  if (!display_) return kNoWindow;
  if (HasWindowManager() && active_ != 0) return active_;
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(display_, &focus, &revert);
  if (focus == None || focus == PointerRoot) return kNoWindow;
  x_.Pump();
  if (focus == watched_ && watched_exists_ && watched_top_level_) return focus;
  return TopLevelOf(focus);
}

bool X11DesktopWindows::IsWindow(WindowHandle window) {
  if (!display_ || window == kNoWindow) return false;
  x_.Pump();
  Watch(static_cast<Window>(window));
  return watched_exists_;
}

std::string X11DesktopWindows::WindowText(WindowHandle window) {
  if (!IsWindow(window)) return {};
  if (!title_valid_) {
    title_ = FetchTitle(static_cast<Window>(window));
    title_valid_ = true;
  }
  return title_;
}

std::string X11DesktopWindows::FetchTitle(Window window) {
  X11ErrorTrap trap(display_);
  std::string title = WindowTitle(display_, window);
  return trap.Ok() ? title : std::string();
}

bool X11DesktopWindows::Activate(WindowHandle handle) {
  if (!display_ || handle == kNoWindow) return false;
  Window window = static_cast<Window>(handle);
  bool managed = HasWindowManager();
  {
    X11ErrorTrap trap(display_);
    if (managed) {
      XEvent event{};
      event.xclient.type = ClientMessage;
      event.xclient.window = window;
      event.xclient.message_type = net_active_window_;
      event.xclient.format = 32;
      event.xclient.data.l[0] = 2;  // from a pager: the window manager should obey
      event.xclient.data.l[1] = CurrentTime;
      XSendEvent(display_, DefaultRootWindow(display_), False, SubstructureRedirectMask | SubstructureNotifyMask,
                 &event);
    }
    XRaiseWindow(display_, window);
    XSetInputFocus(display_, window, RevertToParent, CurrentTime);
    if (!trap.Ok() && !managed) return false;  // not viewable: the server refused
  }
  // A window manager answers in its own time; give it a moment.
  for (int i = 0; i < 40; ++i) {
    if (ForegroundWindow() == handle) return true;
    if (!managed) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return ForegroundWindow() == handle;
}

}  // namespace tw
