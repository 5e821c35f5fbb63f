// What the activity timer needs of the windows: where the mouse is, the idle cover, the
// attract video, and the pieces of the frame that a returning kiosk resets. The Qt shell
// implements it; tests record the calls.
#pragma once

namespace tw {

struct CursorPoint {
  int x = 0;
  int y = 0;
};

class AttractFrame {
 public:
  virtual ~AttractFrame() = default;
  // The mouse pointer's position on the screen.
  virtual CursorPoint CursorPos() const = 0;
  // Idle mode on: the splash covers the whole screen, the panels stop staying on top and
  // the browser window hides, so another program can come to the front. Off: all back.
  virtual void ShowIdleCover(bool on) = 0;
  // The attract video window appears and plays (or shows why it cannot).
  virtual void StartVideo() = 0;
  // The video stops and its window hides.
  virtual void StopVideo() = 0;
  virtual void HideEmailWindow() = 0;
  // The on-screen keyboard back on its default layout page, with no key latched.
  virtual void ResetKeyboardPage() = 0;
  // One step of the banner bar's rotation.
  virtual void AdvanceBanner() = 0;
  // The debug labels: the idle count and the code of the exit-password letter expected
  // next (0 when there is none).
  virtual void ShowDiagnostics(int /*idle_count*/, int /*expected_code*/) {}
  // Forgets everything the last visitor left in the browser: cookies, storage, cache,
  // form data and the page history.
  virtual void EndVisitorSession() = 0;
  // The question whether the visitor is still there, over everything, counting down the
  // seconds left before the page is taken away; shown again with each new count.
  virtual void ShowIdleWarning(int seconds_left) = 0;
  virtual void HideIdleWarning() = 0;
};

}  // namespace tw
