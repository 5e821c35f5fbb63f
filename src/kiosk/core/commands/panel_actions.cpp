#include "kiosk/core/commands/panel_actions.h"

#include "kiosk/core/attract/banner_rotation.h"
#include "kiosk/core/commands/kiosk_buttons.h"
#include "kiosk/core/kiosk_controller.h"

namespace tw {

PanelActions::PanelActions(KioskController& controller, EmailWindow& email, BrowserFocus& focus,
                           PageScrollDriver& scrolling, Settings settings)
    : controller_(controller), email_(email), focus_(focus), scrolling_(scrolling), settings_(std::move(settings)) {}

void PanelActions::Open(const std::string& url, NavigationReason reason) {
  controller_.GoToURL(url, reason);
  email_.Hide();
}

void PanelActions::BannerClicked(const std::optional<std::string>& url) {
  if (url) Open(*url, NavigationReason::kBanner);
  controller_.CheckExitPassword(ButtonTag(KioskButton::kBanner));
}

void PanelActions::LogoClicked() {
  if (!settings_.logo_url.empty()) Open(settings_.logo_url, NavigationReason::kLogo);
  controller_.CheckExitPassword(ButtonTag(KioskButton::kLogo));
}

void PanelActions::ClockClicked() {
  if (settings_.exit_buttons_shown) controller_.RequestExit();
  controller_.CheckExitPassword(ButtonTag(KioskButton::kClock));
}

void PanelActions::PageButtonClicked(int n) {
  if (n < 1 || n > kSidePanelCustomCount) return;
  const std::string& url = settings_.right.custom[static_cast<std::size_t>(n - 1)].url;
  if (!url.empty()) Open(url, NavigationReason::kCustomButton);
  controller_.CheckExitPassword(ButtonTag(static_cast<KioskButton>(static_cast<int>(KioskButton::kCustom1) + n - 1)));
}

void PanelActions::ArrowPressed(ScrollDirection direction) {
  focus_.TakeFocus();
  scrolling_.ArrowPressed(direction);
}

void PanelActions::ArrowReleased(ScrollDirection direction) { scrolling_.ArrowReleased(direction); }

void PanelActions::ArrowClicked(ScrollDirection direction) {
  controller_.CheckExitPassword(
      ButtonTag(static_cast<KioskButton>(static_cast<int>(KioskButton::kUp) + static_cast<int>(direction))));
}

void PanelActions::BackgroundPressed(bool right_panel) {
  if (right_panel) {
    focus_.TakeFocus();
  } else {
    focus_.BringToFront();
  }
}

void PanelActions::BannerMissing(const std::string& file) { controller_.WriteLog(CannotLoadBannerText(file)); }

void PanelActions::PictureError(const std::string& message) { controller_.AppException(message); }

}  // namespace tw
