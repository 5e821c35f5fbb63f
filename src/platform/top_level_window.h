// What the kiosk can learn about another program's top-level window: enough to tell the
// external browser's page window from its helpers and from the dialogs it may open.
#pragma once

#include <string>

#include "platform/desktop_windows.h"

namespace tw {

struct TopLevelWindow {
  WindowHandle id = kNoWindow;  // the program's own window (inside a window manager's frame)
  std::string title;            // UTF-8, empty when it has none
  std::string instance;         // the first part of the window's class, e.g. "chromium"
  std::string window_class;     // the second part, e.g. "Chromium"
  std::string role;             // e.g. "GtkFileChooserDialog"; empty when not set
  std::string type;             // e.g. "_NET_WM_WINDOW_TYPE_DIALOG"; empty when not set
  WindowHandle transient_for = kNoWindow;
  int x = 0;  // on the screen
  int y = 0;
  int width = 0;
  int height = 0;
  bool viewable = false;           // shown, with everything around it shown
  bool override_redirect = false;  // placed by the program itself (menus, tooltips)
  bool accepts_close = false;      // asks itself whether to close when told to
};

}  // namespace tw
