// Which browser runs and whether it is there to take pages.
#pragma once

#include "common/config/browser_engines.h"

namespace tw {

struct BrowserStatus {
  // The browser's window exists and is under control; URLs may be sent to it.
  void SetReady() { ready = attached = true; }
  // It has gone: URLs wait in the queue until a browser is ready again.
  void SetLost() { ready = attached = false; }

  bool ready = false;
  // A browser that is a program of its own can be lost (and found again).
  bool attached = false;
  // The engine chosen (BROWSER/Browser's number when that one can run); only the place
  // where browsers are made asks.
  int engine = kFallbackBrowserEngine;
};

}  // namespace tw
