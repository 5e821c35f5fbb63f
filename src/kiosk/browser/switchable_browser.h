// The browser the rest of the kiosk holds on to, whichever browser runs behind it: the
// external browser can be given up while the kiosk runs (it would not start) and the
// embedded one take its place, without the windows and the main loop noticing.
#pragma once

#include <memory>
#include <utility>

#include "kiosk/browser/browser_parts.h"

namespace tw {

class SwitchableBrowser : public KioskBrowser {
 public:
  explicit SwitchableBrowser(std::unique_ptr<KioskBrowser> browser) : browser_(std::move(browser)) {}

  // The new browser takes over; the old one is closed and destroyed.
  void SwitchTo(std::unique_ptr<KioskBrowser> browser) {
    browser_->Close();
    browser_ = std::move(browser);
  }

  BrowserTraits Traits() const override { return browser_->Traits(); }
  void Start() override { browser_->Start(); }
  bool Restart() override { return browser_->Restart(); }
  void Navigate(const std::string& url) override { browser_->Navigate(url); }
  void RunOnPage(PageOperation operation) override { browser_->RunOnPage(operation); }
  void ShowOfflinePage() override { browser_->ShowOfflinePage(); }
  void ScrollFocusedPage(std::optional<ScrollDirection> direction, PageScrollAnswers& answers) override {
    browser_->ScrollFocusedPage(direction, answers);
  }
  bool ScrollPending() const override { return browser_->ScrollPending(); }
  void TakeFocus() override { browser_->TakeFocus(); }
  void BringToFront() override { browser_->BringToFront(); }
  void EndVisitorSession() override { browser_->EndVisitorSession(); }
  void Place(const Rect& screen_rect) override { browser_->Place(screen_rect); }
  void Show() override { browser_->Show(); }
  void Hide() override { browser_->Hide(); }
  void Close() override { browser_->Close(); }
  bool Shown() const override { return browser_->Shown(); }
  bool Responsive() const override { return browser_->Responsive(); }
  void CloseVisitorDialogs() override { browser_->CloseVisitorDialogs(); }

 private:
  std::unique_ptr<KioskBrowser> browser_;
};

}  // namespace tw
