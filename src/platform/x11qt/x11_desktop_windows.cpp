#include "platform/x11qt/x11_desktop_windows.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <chrono>
#include <thread>

#include "platform/x11qt/x11_display.h"

namespace tw {
namespace {

// A window-valued property of a window (0 when absent).
Window WindowProperty(::Display* display, Window window, Atom property) {
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  Window value = 0;
  if (XGetWindowProperty(display, window, property, 0, 1, False, XA_WINDOW, &type, &format, &count,
                         &after, &data) == Success &&
      data && count == 1 && format == 32) {
    value = *reinterpret_cast<Window*>(data);
  }
  if (data) XFree(data);
  return value;
}

std::string Latin1ToUtf8(const char* text) {
  std::string out;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
    if (*p < 0x80) {
      out += static_cast<char>(*p);
    } else {
      out += static_cast<char>(0xC0 | (*p >> 6));
      out += static_cast<char>(0x80 | (*p & 0x3F));
    }
  }
  return out;
}

}  // namespace

X11DesktopWindows::X11DesktopWindows(::Display* display) : display_(display) {
  if (!display_) return;
  net_active_window_ = XInternAtom(display_, "_NET_ACTIVE_WINDOW", False);
  net_wm_name_ = XInternAtom(display_, "_NET_WM_NAME", False);
  utf8_string_ = XInternAtom(display_, "UTF8_STRING", False);
  net_supporting_wm_check_ = XInternAtom(display_, "_NET_SUPPORTING_WM_CHECK", False);
}

bool X11DesktopWindows::HasWindowManager() {
  auto now = std::chrono::steady_clock::now();
  if (now - window_manager_checked_ >= std::chrono::seconds(1)) {
    window_manager_ =
        WindowProperty(display_, DefaultRootWindow(display_), net_supporting_wm_check_) != 0;
    window_manager_checked_ = now;
  }
  return window_manager_;
}

Window X11DesktopWindows::TopLevelOf(Window window) {
  Window root_window = DefaultRootWindow(display_);
  X11ErrorTrap trap(display_);
  while (window != 0 && window != root_window) {
    Window root, parent;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display_, window, &root, &parent, &children, &count)) break;
    if (children) XFree(children);
    if (parent == root_window) return trap.Ok() ? window : 0;
    window = parent;
  }
  trap.Ok();
  return 0;
}

WindowHandle X11DesktopWindows::ForegroundWindow() {
  if (!display_) return kNoWindow;
  if (HasWindowManager()) {
    Window active = WindowProperty(display_, DefaultRootWindow(display_), net_active_window_);
    if (active != 0) return active;
  }
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(display_, &focus, &revert);
  if (focus == None || focus == PointerRoot) return kNoWindow;
  return TopLevelOf(focus);
}

bool X11DesktopWindows::IsWindow(WindowHandle window) {
  if (!display_ || window == kNoWindow) return false;
  X11ErrorTrap trap(display_);
  XWindowAttributes attributes;
  Status status = XGetWindowAttributes(display_, static_cast<Window>(window), &attributes);
  return trap.Ok() && status != 0;
}

std::string X11DesktopWindows::WindowText(WindowHandle window) {
  if (!display_ || window == kNoWindow) return {};
  X11ErrorTrap trap(display_);
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  std::string title;
  if (XGetWindowProperty(display_, static_cast<Window>(window), net_wm_name_, 0, 1024, False,
                         utf8_string_, &type, &format, &count, &after, &data) == Success &&
      data && type == utf8_string_ && format == 8) {
    title.assign(reinterpret_cast<char*>(data), count);
  }
  if (data) XFree(data);
  if (title.empty()) {
    char* name = nullptr;
    if (XFetchName(display_, static_cast<Window>(window), &name) && name) {
      title = Latin1ToUtf8(name);
      XFree(name);
    }
  }
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
      XSendEvent(display_, DefaultRootWindow(display_), False,
                 SubstructureRedirectMask | SubstructureNotifyMask, &event);
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
