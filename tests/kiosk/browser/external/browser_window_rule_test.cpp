// Which of the external browser's windows the kiosk closes, and what it writes.
#include <gtest/gtest.h>

#include "kiosk/browser/external/browser_window_rule.h"

namespace tw {
namespace {

using namespace std::chrono_literals;

constexpr WindowHandle kPage = 0x400001;

TopLevelWindow Shown(WindowHandle id, std::string title, int width = 400, int height = 300) {
  TopLevelWindow window;
  window.id = id;
  window.title = std::move(title);
  window.window_class = "Chromium";
  window.width = width;
  window.height = height;
  window.viewable = true;
  return window;
}

TEST(BrowserWindowRule, LeavesThePageAndHelpersClosesEveryOtherWindow) {
  TopLevelWindow hidden = Shown(0x400002, "Open File");
  hidden.viewable = false;
  TopLevelWindow menu = Shown(0x400003, "", 200, 300);
  menu.override_redirect = true;
  TopLevelWindow tooltip = Shown(0x400004, "", 120, 20);
  tooltip.type = "_NET_WM_WINDOW_TYPE_TOOLTIP";
  TopLevelWindow chooser = Shown(0x400005, "Open File", 600, 400);
  chooser.type = "_NET_WM_WINDOW_TYPE_DIALOG";
  chooser.role = "GtkFileChooserDialog";
  chooser.transient_for = kPage;
  const struct {
    const char* what;
    WindowHandle main;
    TopLevelWindow window;
    const char* log_line;  // null: left alone
  } rows[] = {
      {"the page's window", kPage, Shown(kPage, "Start"), nullptr},
      {"page window not known yet", kNoWindow, Shown(0x400009, "Settings"), nullptr},
      {"hidden window", kPage, hidden, nullptr},
      {"10x10 helper", kPage, Shown(0x400006, "chromium", 10, 10), nullptr},
      {"menu placed by the browser", kPage, menu, nullptr},
      {"tooltip", kPage, tooltip, nullptr},
      {"file chooser", kPage, chooser, "Browser Window Closed - Open File"},
      {"thin but long window", kPage, Shown(0x400007, "About", 10, 400), "Browser Window Closed - About"},
      {"window without a title", kPage, Shown(0x400008, ""), "Browser Window Closed - (no title)"},
  };
  for (const auto& row : rows) {
    const BrowserWindowDecision decision = DecideBrowserWindow(row.main, row.window, 250ms);
    EXPECT_EQ(decision.close, row.log_line != nullptr) << row.what;
    EXPECT_EQ(decision.log_line, row.log_line ? row.log_line : "") << row.what;
    EXPECT_EQ(decision.grace, row.log_line ? 250ms : 0ms) << row.what;
  }
}

}  // namespace
}  // namespace tw
