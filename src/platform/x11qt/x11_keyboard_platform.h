// The real keyboard platform on X11 in one object: its own display connection,
// XTest typing, window tracking, lock states and the sound theme.
#pragma once

#include <string>

#include "platform/keyboard_platform.h"
#include "platform/x11qt/canberra_button_sound.h"
#include "platform/x11qt/x11_desktop_windows.h"
#include "platform/x11qt/x11_display.h"
#include "platform/x11qt/xkb_lock_states.h"
#include "platform/x11qt/xtest_key_injector.h"

namespace tw {

class X11KeyboardPlatform {
 public:
  // Connects to the named display (DISPLAY when empty).
  explicit X11KeyboardPlatform(const std::string& display_name = "")
      : display_(display_name), keys_(display_.Get()), windows_(display_), locks_(display_) {}

  // False without a display or without the XTest and XKB extensions: then
  // nothing is typed and no window is ever in front.
  bool Available() const { return display_ && keys_.Available(); }
  KeyboardPlatform Get() { return {&keys_, &windows_, &locks_, &sounds_}; }
  X11Display& display() { return display_; }

 private:
  X11Display display_;
  XTestKeyInjector keys_;
  X11DesktopWindows windows_;
  XkbLockStates locks_;
  CanberraButtonSound sounds_;
};

}  // namespace tw
