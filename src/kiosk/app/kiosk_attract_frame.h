// What the idle kiosk does to its windows (the activity timer's AttractFrame): the idle
// cover, the attract video, the banner's rotation and what a returning kiosk resets.
#pragma once

#include <QRect>
#include <memory>
#include <optional>

#include "kiosk/core/attract/attract_frame.h"

namespace tw {

class BannerBar;
class FrameContrast;
class IdleWarningWindow;
class KioskBrowser;
class KioskEmailWindow;
class NewWindowDialog;
class SplashWindow;
class ToolbarPanel;
class VideoWindow;
class X11PointerActivity;

class KioskAttractFrame : public AttractFrame {
 public:
  struct Windows {
    SplashWindow& splash;
    KioskBrowser& browser;
    ToolbarPanel& toolbar;
    BannerBar& banner;
    VideoWindow& video;
    KioskEmailWindow& email;
    NewWindowDialog& new_window_dialog;
    IdleWarningWindow& idle_warning;
    FrameContrast& contrast;
  };
  // show_diagnostics: PREFERENCES/Debug, read once.
  KioskAttractFrame(Windows windows, bool show_diagnostics);
  ~KioskAttractFrame() override;

  CursorPoint CursorPos() const override;
  void ShowIdleCover(bool on) override;
  void StartVideo() override;
  void StopVideo() override;
  void HideEmailWindow() override;
  void ResetKeyboardPage() override;
  void AdvanceBanner() override;
  void ShowDiagnostics(int idle_count, int expected_code) override;
  void EndVisitorSession() override;
  void ShowIdleWarning(int seconds_left) override;
  void HideIdleWarning() override;

  // The idle cover is up: the panels are not raised meanwhile.
  bool covered() const { return covered_; }

 private:
  Windows w_;
  bool show_diagnostics_;
  QRect saved_splash_;
  bool covered_ = false;
  // The pointer's place as last asked of the X server; asked again after a pointing
  // device reported something, or at every kAskForCursorEvery-th question (made at the
  // first question, not during the start).
  static constexpr int kAskForCursorEvery = 10;
  mutable std::unique_ptr<X11PointerActivity> pointer_activity_;
  mutable std::optional<CursorPoint> last_cursor_;
  mutable int cursor_questions_unasked_ = 0;
};

}  // namespace tw
