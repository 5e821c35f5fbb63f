// The running kiosk's windows around the browser: the splash (also the idle cover, made
// first so that something shows at once), the banner bar, the tool bar with the
// keyboard, the side panels, the attract video and the two dialogs, each created once, in
// stacking order. It carries out what the kiosk's rules ask of the windows and hands the
// windows' presses to those rules.
#pragma once

#include <QRect>
#include <functional>
#include <memory>
#include <optional>

#include "kiosk/app/kiosk_toolbar_host.h"
#include "kiosk/browser/browser_frame.h"
#include "kiosk/browser/browser_parts.h"
#include "kiosk/core/attract/attract_frame.h"
#include "kiosk/email/rules/email_window.h"
#include "kiosk/core/commands/kiosk_buttons.h"
#include "kiosk/core/kiosk_controller.h"
#include "kiosk/core/frame/page_scroll_driver.h"
#include "kiosk/core/commands/panel_actions.h"
#include "kiosk/core/commands/toolbar_actions.h"
#include "kiosk/panels/frame_contrast.h"
#include "platform/keyboard_platform.h"

namespace tw {

class ArrowPanel;
class KioskAttractFrame;
class KioskEmailWindow;
class BannerBar;
class BusyPanel;
class ErrorDialog;
class FrameKeyboardWalk;
class IdleWarningWindow;
class NewWindowDialog;
class SplashWindow;
class ToolbarPanel;
class VideoWindow;

class KioskWindows : public BrowserFrame, public KioskButtons, public ScrollArrows, public PageScrolling {
 public:
  struct Hooks {
    // Holds the one-second timer while the mouse button is held on the video.
    std::function<void(bool held)> hold_timer;
    // Called once, when the splash has first been painted.
    std::function<void()> first_paint;
  };

  KioskWindows(KioskController& controller, KeyboardPlatform platform, SplashWindow& splash, KioskBrowser& browser,
               Hooks hooks);
  ~KioskWindows() override;

  // The splash shown at once, before the rest of the kiosk (and the browser) is made.
  static std::unique_ptr<SplashWindow> ShowSplash(const KioskController& controller, std::function<void()> first_paint);

  ToolbarPanel& toolbar() { return *toolbar_; }
  VideoWindow& video() { return *video_; }
  ErrorDialog& error_dialog() { return *error_dialog_; }
  EmailWindow& email();
  KioskEmailWindow& email_window() { return *email_; }

  // Shows an error (already logged) in the error dialog; while one is shown, the next
  // ones stay in the log only.
  void ShowError(const std::string& text);
  // Shutdown: every window closes.
  void Close();

  // BrowserFrame
  PanelSizes CurrentPanelSizes() const override;
  void PlaceBrowserWindow(const BrowserPlacement& placement) override;
  void ShowBrowserWindow() override;
  void SetBackEnabled(bool enabled) override;
  void SetForwardEnabled(bool enabled) override;
  void SetStopEnabled(bool enabled) override;
  void ShowBusyMeter(int percent) override;
  void HideBusyMeter() override;
  void RaiseTopmostWindows() override;
  bool AskTransferNewWindow(std::function<void(bool transfer)> answered) override;
  void CloseNewWindowQuestion() override;

  // What the idle kiosk does to the windows.
  AttractFrame& attract();
  // The frame key: the keyboard to the next panel, or back to the page.
  void FrameKey();

  // KioskButtons: a command or the idle timer presses a button.
  void Click(KioskButton button) override;

  // ScrollArrows
  void SetArrowsEnabled(bool vertical, bool horizontal) override;

  // PageScrolling: the arrows scroll the e-mail window's text while it is shown, else the page.
  void ScrollFocusedPage(std::optional<ScrollDirection> direction, PageScrollAnswers& answers) override;
  bool ScrollPending() const override;

  // One main-loop pass of the arrows' scrolling.
  PageScrollDriver& scrolling() { return scrolling_; }
  const PageScrollDriver& scrolling() const { return scrolling_; }

 private:
  void ApplyLayout(const FrameLayout& layout);
  // Raises or lowers the keyboard page; returns true when it is now shown.
  bool ToggleKeyboard();
  // The frame's and the page's high-contrast look; returns true when it is now on.
  bool ToggleHighContrast();
  std::unique_ptr<KioskEmailWindow> MakeEmailWindow(ButtonSoundPlayer* sounds);

  // In order of creation: the rules first; the panels, which report to them; the video
  // and the dialogs last, above the rest.
  KioskController& controller_;
  Hooks hooks_;
  std::unique_ptr<KioskEmailWindow> email_;
  SplashWindow& splash_;
  KioskBrowser& browser_;
  // The buttons' actions reach the rest of the kiosk through this narrow host alone.
  KioskToolbarHost toolbar_host_;
  ToolbarActions toolbar_actions_;
  PageScrollDriver scrolling_;
  PanelActions panel_actions_;
  std::unique_ptr<BannerBar> banner_;
  std::unique_ptr<ToolbarPanel> toolbar_;
  std::unique_ptr<BusyPanel> busy_;
  std::unique_ptr<ArrowPanel> arrows_;
  std::unique_ptr<VideoWindow> video_;
  std::unique_ptr<NewWindowDialog> new_window_dialog_;
  std::unique_ptr<ErrorDialog> error_dialog_;
  std::unique_ptr<IdleWarningWindow> idle_warning_;
  FrameContrast contrast_;
  std::unique_ptr<FrameKeyboardWalk> walk_;
  std::unique_ptr<KioskAttractFrame> attract_;
};

}  // namespace tw
