// What the kiosk does with a window of the external browser when it is shown. The page's
// own window stays, and so do the browser's hidden and tiny helpers and its pop-ups that
// belong to the page (menus, drop-down lists, tooltips: what they lead to is a window of
// its own, judged in turn). Any other window (a file chooser, a settings or about window,
// a print preview) would let a visitor out of the kiosk: it is closed after a short grace,
// which leaves the kiosk's own printing the time it needs.
#pragma once

#include <chrono>
#include <string>

#include "platform/top_level_window.h"

namespace tw {

inline constexpr std::chrono::milliseconds kBrowserWindowGrace{2000};

struct BrowserWindowDecision {
  bool close = false;
  std::chrono::milliseconds grace{0};  // how long the window may stay before it is closed
  std::string log_line;                // written when the window is closed
};

// `main_window`: the page's window; while it is not known yet, every window is left (the
// caller judges the browser's windows again once it knows it).
BrowserWindowDecision DecideBrowserWindow(WindowHandle main_window, const TopLevelWindow& window,
                                          std::chrono::milliseconds grace = kBrowserWindowGrace);

}  // namespace tw
