// The banner bar, the side panels and the error dialog joined to the running kiosk: their
// clicks reach the controller, the side panels follow the frame's layout, the arrows
// scroll the browser's page once per pass, and commands press their buttons.
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <optional>

#include "kiosk/core/frame_layout.h"
#include "kiosk/core/kiosk_buttons.h"
#include "kiosk/core/kiosk_controller.h"
#include "kiosk/core/scroll_stepper.h"
#include "kiosk/panels/frame_panel_host.h"
#include "platform/keyboard_platform.h"

namespace tw {

class KioskToolbarHost;
class PageScroller;
class ErrorDialog;
class ToolbarPanel;
class BrowserWindow;
class BusyPanel;
class ArrowPanel;
class BannerBar;
struct PageScrollAnswer;

class KioskPanelsHost : public FramePanelHost, public KioskButtons {
 public:
  KioskPanelsHost(KioskController& controller, std::function<KioskToolbarHost*()> toolbar,
                  std::function<BrowserWindow*()> browser_window);
  ~KioskPanelsHost() override;

  // In the kiosk's start-up order: the banner bar right after the splash, the side
  // panels after the tool bar, the error dialog last.
  void CreateTopForm();
  void CreateSidePanels(KeyboardPlatform platform);
  void CreateErrorDialog(KeyboardPlatform platform);
  void Close();

  // The frame as the keyboard's state leaves it: side panels, their pictures, the blocks.
  void ApplyLayout(const FrameLayout& layout);
  // The top bar's real size, the side panels' from the layout they follow.
  PanelSizes CurrentPanelSizes(const PanelSizes& design) const;

  void ShowBusyMeter(int percent);
  void HideBusyMeter();
  void AdvanceBanner();
  void RaiseTopmostWindows();
  // Shows the message in the error dialog without waiting for it; false when there is no
  // dialog yet. While one message is shown, further ones are only logged.
  bool ShowError(const std::string& text);
  // One pass of the arrows' scrolling and the automatic scroll after the keyboard.
  void ScrollStep();

  BannerBar* form_top() const { return top_.get(); }
  BusyPanel* form_left() const { return left_.get(); }
  ArrowPanel* form_right() const { return right_.get(); }
  ErrorDialog* dialog_error() const { return dialog_.get(); }

  // KioskButtons: the banner bar's and side panels' buttons here, the rest on the tool bar.
  void Click(KioskButton button) override;

  // FramePanelHost
  void GoToURL(const std::string& url, int reason) override;
  void WriteLog(std::string_view text) override;
  void CheckExitPassword(int tag) override;
  void HideEmail() override;
  bool ExitButtonsVisible() const override;
  void RequestExit() override;
  void ReportError(const std::string& message) override;
  void ReturnFocusToBrowser() override;
  void ActivateTarget() override;
  void ArrowPressed(ScrollDirection direction) override;
  void ArrowReleased(ScrollDirection direction) override;

 private:
  ToolbarPanel* Bottom() const;
  void ScrollAnswered(const PageScrollAnswer& answer);

  KioskController& controller_;
  std::function<KioskToolbarHost*()> toolbar_;
  std::function<BrowserWindow*()> browser_window_;
  std::unique_ptr<BannerBar> top_;
  std::unique_ptr<BusyPanel> left_;
  std::unique_ptr<ArrowPanel> right_;
  std::unique_ptr<ErrorDialog> dialog_;
  std::unique_ptr<PageScroller> scroller_;
  ScrollStepper stepper_;
  std::optional<FrameLayout> layout_;
  std::optional<int> previous_caret_;
  bool caret_measured_ = false;
  int passes_since_look_ = 0;
};

}  // namespace tw
