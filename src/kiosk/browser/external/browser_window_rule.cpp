#include "kiosk/browser/external/browser_window_rule.h"

#include <array>
#include <string_view>

namespace tw {
namespace {

// The browser's helper windows are at most 10 by 10 pixels: nothing a visitor can use.
constexpr int kHelperSide = 10;

// Window types of the pop-ups that belong to the page.
bool IsPagePopupType(std::string_view type) {
  static constexpr std::array<std::string_view, 7> kTypes = {
      "_NET_WM_WINDOW_TYPE_MENU",        "_NET_WM_WINDOW_TYPE_DROPDOWN_MENU", "_NET_WM_WINDOW_TYPE_POPUP_MENU",
      "_NET_WM_WINDOW_TYPE_COMBO",       "_NET_WM_WINDOW_TYPE_TOOLTIP",       "_NET_WM_WINDOW_TYPE_DND",
      "_NET_WM_WINDOW_TYPE_NOTIFICATION"};
  for (std::string_view known : kTypes) {
    if (type == known) return true;
  }
  return false;
}

}  // namespace

BrowserWindowDecision DecideBrowserWindow(WindowHandle main_window, const TopLevelWindow& window,
                                          std::chrono::milliseconds grace) {
  if (main_window == kNoWindow || window.id == main_window || !window.viewable) return {};
  if (window.width <= kHelperSide && window.height <= kHelperSide) return {};
  if (window.override_redirect || IsPagePopupType(window.type)) return {};
  return {true, grace, "Browser Window Closed - " + (window.title.empty() ? "(no title)" : window.title)};
}

}  // namespace tw
