// The embedded browser, made for the kiosk: a window of its own in the hole between the
// panels, with the web engine behind it. The rest of the kiosk knows it only through
// the browser interfaces.
#pragma once

#include <memory>
#include <string>

#include "kiosk/browser/browser_parts.h"

namespace tw {

struct EmbeddedBrowserOptions {
  bool block_right_button = true;
  int scroll_bar_size = 20;  // pixels, already scaled
  std::string offline_page;  // the kiosk's offline page; a built-in one when it is missing
};

// `events` receives the engine's events; it is only called once a page is asked for.
std::unique_ptr<KioskBrowser> MakeEmbeddedBrowser(BrowserEvents& events, const EmbeddedBrowserOptions& options);

}  // namespace tw
