// The tool bar's view of the running kiosk: the controller for page changes, the log
// and the exit password; the browser engine for its commands; the frame's layout,
// which raising and lowering the keyboard reshapes before the browser is placed again.
#pragma once

#include <functional>
#include <memory>

#include "kiosk/browser/browser_engine.h"
#include "kiosk/browser/browser_frame.h"
#include "kiosk/core/frame_layout.h"
#include "kiosk/core/kiosk_controller.h"
#include "kiosk/core/toolbar_actions.h"
#include "platform/keyboard_platform.h"

namespace tw {

class ToolbarPanel;
class BrowserWindow;

class KioskToolbarHost : public ToolbarHost {
 public:
  // `browser_window` answers the embedded browser's window once it exists.
  KioskToolbarHost(KioskController& controller, BrowserEngine& engine, BrowserFrame& frame,
                   std::function<BrowserWindow*()> browser_window);
  ~KioskToolbarHost() override;

  // Creates, sets up and shows the bottom panel; its keys type through `platform`.
  ToolbarPanel* CreateBottomForm(KeyboardPlatform platform);
  ToolbarPanel* bottom_form() const { return form_.get(); }
  // The side panels' sizes as the keyboard's state leaves them.
  PanelSizes CurrentPanelSizes(const PanelSizes& design) const;
  const FrameLayout& layout() const { return layout_; }
  // Which of the right panel's page buttons have a URL (they come back after the keyboard).
  void SetSidePanelCustomURLs(const std::array<bool, kSidePanelCustomCount>& has_url);
  // Called whenever the frame's layout or the side panels' background pictures change
  // (the pictures: ToolbarPanel::LeftPanelPicture, RightPanelPicture), so that the side
  // panels can follow.
  std::function<void(const FrameLayout&)> on_frame_layout;

  // ToolbarHost
  void GoToURL(const std::string& url, int reason) override;
  void WriteLog(std::string_view text) override;
  void CheckExitPassword(int tag) override;
  void GoBack() override;
  void GoForward() override;
  void StopLoading() override;
  void Refresh() override;
  void PrintPage() override;
  void SendExternalCommand(ExternalBrowserCommand command) override;
  void SendKeysToBrowser(const std::string& key_script) override;
  bool EmailVisible() const override;
  void HideEmail() override;
  void PrintEmailText() override;
  void OpenEmailWindow() override;
  void SelectEmailMessage(int step) override;
  void FocusEmailWindow() override;
  void ReturnFocusToBrowserWindow() override;
  bool ToggleKeyboard() override;

 private:
  void ApplyLayout();

  KioskController& controller_;
  BrowserEngine& engine_;
  BrowserFrame& frame_;
  std::function<BrowserWindow*()> browser_window_;
  std::unique_ptr<ToolbarPanel> form_;
  FrameLayout layout_;
  std::array<bool, kSidePanelCustomCount> side_custom_urls_{};
};

}  // namespace tw
