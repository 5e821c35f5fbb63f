// What the tool bar's buttons reach, and no more: the kiosk's rules (pages, the log, the
// exit password), the browser, the e-mail window and the keyboard's frame.
#pragma once

#include <functional>

#include "kiosk/browser/browser_parts.h"
#include "kiosk/core/commands/toolbar_actions.h"
#include "kiosk/email/rules/email_window.h"
#include "kiosk/core/kiosk_requests.h"

namespace tw {

class KioskToolbarHost : public ToolbarHost {
 public:
  // What the frame switches: the keyboard page raised or lowered, the high-contrast look
  // on or off; each says whether it is now shown, or on.
  struct FrameSwitches {
    std::function<bool()> keyboard;
    std::function<bool()> high_contrast;
  };
  KioskToolbarHost(KioskRequests& kiosk, KioskBrowser& browser, EmailWindow& email, FrameSwitches frame)
      : kiosk_(kiosk), browser_(browser), email_(email), frame_(std::move(frame)) {}

  void GoToURL(const std::string& url, NavigationReason reason) override { kiosk_.GoToURL(url, reason); }
  void WriteLog(std::string_view text) override { kiosk_.WriteLog(text); }
  void CheckExitPassword(int tag) override { kiosk_.CheckExitPassword(tag); }
  void ReportError(const std::string& message) override { kiosk_.AppException(message); }
  void RequestExit() override { kiosk_.RequestExit(); }
  void RunOnPage(PageOperation operation) override { browser_.RunOnPage(operation); }
  bool EmailVisible() const override { return email_.IsVisible(); }
  void HideEmail() override { email_.Hide(); }
  void PrintEmailText() override { email_.PrintText(); }
  void OpenEmailWindow() override { email_.Open(0, ""); }
  void SelectEmailMessage(int step) override { email_.SelectMessage(step); }
  void FocusEmailWindow() override { email_.TakeFocus(); }
  void ReturnFocusToBrowserWindow() override { browser_.TakeFocus(); }
  bool ToggleKeyboard() override { return frame_.keyboard(); }
  bool ToggleHighContrast() override { return frame_.high_contrast(); }

 private:
  KioskRequests& kiosk_;
  KioskBrowser& browser_;
  EmailWindow& email_;
  FrameSwitches frame_;
};

}  // namespace tw
