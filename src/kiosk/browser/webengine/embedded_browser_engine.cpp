// The embedded browser as an engine the kiosk can choose: it runs on every kiosk.
#include "kiosk/browser/browser_engine_entry.h"
#include "kiosk/browser/webengine/embedded_browser.h"

namespace tw {

BrowserEngineEntry EmbeddedBrowserEngine() {
  return {.can_run = [](const KioskConfig&) { return true; },
          .make =
              [](const BrowserEngineContext& context) {
                EmbeddedBrowserOptions options;
                options.block_right_button = context.config.block_right_button;
                options.scroll_bar_size = Scaled(20, context.screen_scale);
                options.offline_page = context.paths.ProgramFile("pages/offline.htm");
                return MakeEmbeddedBrowser(context.events, options);
              }};
}

}  // namespace tw
