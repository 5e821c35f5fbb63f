#include "kiosk/core/commands/panel_actions.h"

#include "kiosk/core/attract/banner_rotation.h"
#include "kiosk/core/commands/kiosk_buttons.h"
#include "kiosk/core/kiosk_controller.h"

namespace tw {

PanelActions::PanelActions(KioskRequests& kiosk, EmailWindow& email, BrowserFocus& focus, PageScrollDriver& scrolling,
                           Settings settings)
    : kiosk_(kiosk), email_(email), focus_(focus), scrolling_(scrolling), settings_(std::move(settings)) {}

void PanelActions::Open(const std::string& url, NavigationReason reason) {
  kiosk_.GoToURL(url, reason);
  email_.Hide();
}

void PanelActions::BannerClicked(const std::optional<std::string>& url) {
  if (url) Open(*url, NavigationReason::kBanner);
  kiosk_.CheckExitPassword(ButtonTag(KioskButton::kBanner));
}

void PanelActions::LogoClicked() {
  if (!settings_.logo_url.empty()) Open(settings_.logo_url, NavigationReason::kLogo);
  kiosk_.CheckExitPassword(ButtonTag(KioskButton::kLogo));
}

void PanelActions::ClockClicked() {
  if (settings_.exit_buttons_shown) kiosk_.RequestExit();
  kiosk_.CheckExitPassword(ButtonTag(KioskButton::kClock));
}

void PanelActions::PageButtonClicked(int n) {
  if (n < 1 || n > kSidePanelCustomCount) return;
  const std::string& url = settings_.right.custom[static_cast<std::size_t>(n - 1)].url;
  if (!url.empty()) Open(url, NavigationReason::kCustomButton);
  kiosk_.CheckExitPassword(ButtonTag(static_cast<KioskButton>(static_cast<int>(KioskButton::kCustom1) + n - 1)));
}

void PanelActions::ArrowPressed(ScrollDirection direction) {
  focus_.TakeFocus();
  scrolling_.ArrowPressed(direction);
}

void PanelActions::ArrowReleased(ScrollDirection direction) { scrolling_.ArrowReleased(direction); }

void PanelActions::ArrowClicked(ScrollDirection direction) {
  kiosk_.CheckExitPassword(
      ButtonTag(static_cast<KioskButton>(static_cast<int>(KioskButton::kUp) + static_cast<int>(direction))));
}

void PanelActions::BackgroundPressed(bool right_panel) {
  if (right_panel) {
    focus_.TakeFocus();
  } else {
    focus_.BringToFront();
  }
}

void PanelActions::BannerMissing(const std::string& file) { kiosk_.WriteLog(CannotLoadBannerText(file)); }

void PanelActions::PictureError(const std::string& message) { kiosk_.AppException(message); }

}  // namespace tw
