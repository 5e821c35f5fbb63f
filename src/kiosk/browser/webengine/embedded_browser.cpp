#include "kiosk/browser/webengine/embedded_browser.h"

#include "kiosk/browser/webengine/browser_window.h"

namespace tw {

std::unique_ptr<KioskBrowser> MakeEmbeddedBrowser(BrowserEvents& events, const EmbeddedBrowserOptions& options) {
  BrowserWindow::Options o;
  o.block_right_button = options.block_right_button;
  o.scroll_bar_size = options.scroll_bar_size;
  o.offline_page = QString::fromStdString(options.offline_page);
  return std::make_unique<BrowserWindow>(events, o);
}

}  // namespace tw
