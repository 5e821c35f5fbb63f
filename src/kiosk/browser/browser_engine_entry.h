// What each browser engine offers the place where browsers are made: whether it can run
// with the operator's settings, and how it is made. Each engine's folder has one function
// that returns its entry; the list of engines is common/config/browser_engines.h.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "common/config/browser_engines.h"
#include "kiosk/browser/browser_parts.h"
#include "kiosk/core/kiosk_paths.h"
#include "kiosk/core/settings/kiosk_config.h"

namespace tw {

// What a browser tells the kiosk about itself beside its events to the loop.
struct BrowserOwner {
  std::function<void(const std::string& line)> log;
  // The browser has gone (ended, stopped answering, or stopped for a new visitor): the
  // kiosk covers its hole until it is ready again.
  std::function<void()> lost;
  // The browser cannot be run, or not with every protection in place: the kiosk carries
  // on with another one. Called from the event loop, never from within one of the
  // browser's own calls.
  std::function<void(const std::string& why)> give_up;
};

struct BrowserEngineContext {
  BrowserEvents& events;  // the loop that drives the browser
  const KioskConfig& config;
  const KioskPaths& paths;
  double screen_scale = 1.0;
  BrowserOwner owner;
};

struct BrowserEngineEntry {
  // False when it cannot run with these settings (its program is not there, say): the
  // kiosk runs the fallback engine instead. The fallback's is never asked.
  bool (*can_run)(const KioskConfig& config) = nullptr;
  std::unique_ptr<KioskBrowser> (*make)(const BrowserEngineContext& context) = nullptr;
};

// Every engine's entry, defined in its folder.
#define TW_DECLARE_BROWSER_ENGINE(number, caption, entry) BrowserEngineEntry entry();
TW_BROWSER_ENGINES(TW_DECLARE_BROWSER_ENGINE)
#undef TW_DECLARE_BROWSER_ENGINE

// The entry of engine `number` (BROWSER/Browser's); none for a number no engine has.
// Defined where the kiosk is put together, which links every engine.
const BrowserEngineEntry* FindBrowserEngine(int number);

}  // namespace tw
