// The attract modes' effects on the kiosk's windows: the idle cover, the video, the
// browser session forgotten when the kiosk returns to its start page.
#pragma once

#include <QRect>
#include <functional>

#include "kiosk/core/attract_frame.h"

namespace tw {

class BrowserWindow;
class SplashWindow;
class ToolbarPanel;

class KioskAttractFrame : public AttractFrame {
 public:
  struct Windows {
    std::function<SplashWindow*()> splash;
    std::function<BrowserWindow*()> browser;
    std::function<ToolbarPanel*()> bottom;
    // The attract video; absent until the video window exists.
    std::function<void()> start_video;
    std::function<void()> stop_video;
    // Holds the one-second timer while the mouse button is held on the video (true).
    std::function<void(bool)> hold_timer;
    // One second of the banner bar's rotation.
    std::function<void()> advance_banner;
    // Gives the keyboard's target (the browser) the focus again after the cover goes.
    std::function<void()> return_focus;
  };
  explicit KioskAttractFrame(Windows windows) : windows_(std::move(windows)) {}

  CursorPoint CursorPos() const override;
  void ShowIdleCover(bool on) override;
  void StartVideo() override;
  void StopVideo() override;
  void HideEmailWindow() override;
  void ResetKeyboardPage() override;
  void AdvanceBanner() override;
  void EndVisitorSession() override;
  void ShowDiagnostics(int idle_count, int expected_code) override;

  bool covered() const { return covered_; }

 private:
  Windows windows_;
  QRect saved_splash_;
  bool covered_ = false;
};

}  // namespace tw
