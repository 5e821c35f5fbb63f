// What the banner bar's and the side panels' presses do: the banner, the logo and the
// page buttons open their pages, the clock ends the kiosk while the keyboard's Exit
// buttons are shown, the arrows scroll the page, a press on a panel gives the browser the
// focus back, and every press feeds the exit password. The windows report the presses;
// the rules are here.
#pragma once

#include <optional>
#include <string>

#include "kiosk/browser/browser_parts.h"
#include "kiosk/email/rules/email_window.h"
#include "kiosk/core/commands/navigation_reason.h"
#include "kiosk/core/frame/page_scroll_driver.h"
#include "kiosk/core/kiosk_requests.h"
#include "kiosk/core/frame/scroll_stepper.h"
#include "kiosk/core/settings/side_panel_config.h"

namespace tw {

// The presses the banner bar and the side panels report.
class PanelEvents {
 public:
  virtual ~PanelEvents() = default;
  // The banner, with the page it leads to (none: "none" or no banner).
  virtual void BannerClicked(const std::optional<std::string>& url) = 0;
  virtual void LogoClicked() = 0;
  virtual void ClockClicked() = 0;
  // Page button n (1 to 10).
  virtual void PageButtonClicked(int n) = 0;
  virtual void ArrowPressed(ScrollDirection direction) = 0;
  virtual void ArrowReleased(ScrollDirection direction) = 0;
  virtual void ArrowClicked(ScrollDirection direction) = 0;
  // A press on a panel's background: the right panel gives the page the focus back, the
  // others bring the browser to the front.
  virtual void BackgroundPressed(bool right_panel) = 0;
  // A banner's picture file is missing (the bar says so on the screen).
  virtual void BannerMissing(const std::string& file) = 0;
  // A picture that exists but cannot be read.
  virtual void PictureError(const std::string& message) = 0;
};

class PanelActions : public PanelEvents {
 public:
  struct Settings {
    RightPanelConfig right;
    std::string logo_url;            // URLS/Logo
    bool exit_buttons_shown = true;  // BUTTONS/ExitOn: the keyboard pages' Exit buttons
  };

  PanelActions(KioskRequests& kiosk, EmailWindow& email, BrowserFocus& focus, PageScrollDriver& scrolling,
               Settings settings);

  // PanelEvents
  void BannerClicked(const std::optional<std::string>& url) override;
  void LogoClicked() override;
  void ClockClicked() override;
  void PageButtonClicked(int n) override;
  void ArrowPressed(ScrollDirection direction) override;
  void ArrowReleased(ScrollDirection direction) override;
  void ArrowClicked(ScrollDirection direction) override;
  void BackgroundPressed(bool right_panel) override;
  void BannerMissing(const std::string& file) override;
  void PictureError(const std::string& message) override;

 private:
  void Open(const std::string& url, NavigationReason reason);

  KioskRequests& kiosk_;
  EmailWindow& email_;
  BrowserFocus& focus_;
  PageScrollDriver& scrolling_;
  Settings settings_;
};

}  // namespace tw
