#include "platform/x11qt/x11_global_key.h"

// Qt first: Xlib's macros (Bool, Status) would break its headers.
#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include <X11/Xlib.h>
#include <xcb/xcb.h>

namespace tw {
namespace {

QNativeInterface::QX11Application* QtX11() {
  return qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
}

// Caps Lock and Num Lock (Mod2 on every usual keyboard map) do not change the key.
constexpr std::uint16_t kLockModifiers[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

xcb_window_t RootOf(xcb_connection_t* c, ::Display* d) {
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
  for (int n = DefaultScreen(d); n > 0 && screens.rem > 0; --n) xcb_screen_next(&screens);
  return screens.rem > 0 ? screens.data->root : static_cast<xcb_window_t>(XCB_WINDOW_NONE);
}

}  // namespace

X11GlobalKey::X11GlobalKey(const std::string& key, std::function<void()> pressed) : pressed_(std::move(pressed)) {
  keysym_ = key.empty() ? NoSymbol : XStringToKeysym(key.c_str());
  QNativeInterface::QX11Application* x11 = QtX11();
  if (x11 == nullptr || x11->display() == nullptr || keysym_ == NoSymbol) return;
  keycode_ = XKeysymToKeycode(x11->display(), keysym_);
  if (keycode_ == 0) return;
  Grab(true);
  if (keycode_ != 0) qApp->installNativeEventFilter(this);
}

X11GlobalKey::~X11GlobalKey() {
  if (keycode_ == 0) return;
  if (qApp) qApp->removeNativeEventFilter(this);
  Grab(false);
}

void X11GlobalKey::Grab(bool grab) {
  QNativeInterface::QX11Application* x11 = QtX11();
  if (x11 == nullptr) return;
  xcb_connection_t* c = x11->connection();
  const xcb_window_t root = RootOf(c, x11->display());
  const auto code = static_cast<xcb_keycode_t>(keycode_);
  bool refused = false;
  for (std::uint16_t modifiers : kLockModifiers) {
    // Checked requests: a refusal comes back here, not to the program's error handler.
    const xcb_void_cookie_t cookie =
        grab ? xcb_grab_key_checked(c, 0, root, modifiers, code, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC)
             : xcb_ungrab_key_checked(c, code, root, modifiers);
    if (xcb_generic_error_t* error = xcb_request_check(c, cookie)) {
      refused = true;
      std::free(error);
    }
  }
  if (grab && refused) {
    // Another program holds it: nothing of it is kept.
    for (std::uint16_t modifiers : kLockModifiers) xcb_ungrab_key(c, code, root, modifiers);
    xcb_flush(c);
    keycode_ = 0;
  }
}

bool X11GlobalKey::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
  if (type != "xcb_generic_event_t") return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  const unsigned int kind = event->response_type & 0x7f;
  if (kind != XCB_KEY_PRESS && kind != XCB_KEY_RELEASE) return false;
  const auto* key = static_cast<const xcb_key_press_event_t*>(message);
  if (key->detail != keycode_ || key->event != key->root) return false;
  if ((key->state & ~(XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2)) != 0) return false;
  if (kind == XCB_KEY_PRESS && pressed_) pressed_();
  return true;
}

}  // namespace tw
