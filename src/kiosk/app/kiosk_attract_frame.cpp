#include "kiosk/app/kiosk_attract_frame.h"

#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include "kiosk/email/window/kiosk_email_window.h"
#include "kiosk/app/video_window.h"
#include "kiosk/browser/browser_parts.h"
#include "kiosk/panels/banner_bar.h"
#include "kiosk/panels/frame_contrast.h"
#include "kiosk/panels/idle_warning_window.h"
#include "kiosk/panels/new_window_dialog.h"
#include "kiosk/panels/splash_window.h"
#include "kiosk/panels/toolbar_panel.h"
#include "platform/x11qt/x11_pointer_activity.h"
#include "widgets/keyboard_controller.h"

namespace tw {

KioskAttractFrame::KioskAttractFrame(Windows windows, bool show_diagnostics)
    : w_(windows), show_diagnostics_(show_diagnostics) {}

KioskAttractFrame::~KioskAttractFrame() = default;

CursorPoint KioskAttractFrame::CursorPos() const {
  // Asking the X server where the pointer is takes a round trip, most often to learn that
  // it has not moved. A program can still move it without a device (a warp), so it is
  // asked now and then all the same.
  if (!pointer_activity_) pointer_activity_ = std::make_unique<X11PointerActivity>();
  const bool may_have_moved = pointer_activity_->TakeMoved();
  if (last_cursor_ && !may_have_moved && ++cursor_questions_unasked_ < kAskForCursorEvery) return *last_cursor_;
  cursor_questions_unasked_ = 0;
  const QPoint p = QCursor::pos();
  last_cursor_ = CursorPoint{p.x(), p.y()};
  return *last_cursor_;
}

void KioskAttractFrame::ShowIdleCover(bool on) {
  covered_ = on;
  if (on) {
    // The panels are left where they are under the cover; they are not raised while the
    // cover is up, so another program's windows can come to the front.
    saved_splash_ = w_.splash.geometry();
    const QScreen* screen = QGuiApplication::primaryScreen();
    w_.splash.setGeometry(screen ? screen->geometry() : QRect(0, 0, 800, 600));
    w_.splash.show();
    w_.splash.raise();
    w_.browser.Hide();
    w_.toolbar.lower();
  } else {
    w_.browser.Show();
    w_.splash.hide();
    w_.splash.setGeometry(saved_splash_);
    w_.toolbar.raise();
    // Typing goes on where it left off.
    w_.browser.TakeFocus();
  }
}

void KioskAttractFrame::StartVideo() { w_.video.StartVideo(); }
void KioskAttractFrame::StopVideo() { w_.video.StopVideo(); }
void KioskAttractFrame::HideEmailWindow() { w_.email.Hide(); }

void KioskAttractFrame::ResetKeyboardPage() {
  w_.toolbar.ResetPage();
  // No modifier stays latched for the next visitor.
  for (KeyType type : {KeyType::kShift, KeyType::kAlt, KeyType::kCtrl, KeyType::kAltGr}) {
    w_.toolbar.KeyController()->SetLatched(type, false);
  }
}

void KioskAttractFrame::AdvanceBanner() { w_.banner.AdvanceBanner(); }

void KioskAttractFrame::ShowDiagnostics(int idle_count, int expected_code) {
  // Hidden labels are not kept up to date.
  if (!show_diagnostics_) return;
  // Label2 the idle count, Label3 and Label4 the next exit-password letter's code and letter.
  w_.toolbar.DebugLabel(1)->setText(QString::number(idle_count));
  w_.toolbar.DebugLabel(2)->setText(QString::number(expected_code));
  w_.toolbar.DebugLabel(3)->setText(expected_code > 0 ? QString(QChar(expected_code)) : QString());
}

void KioskAttractFrame::EndVisitorSession() {
  // A question about the last visitor's new window is nobody's to answer now.
  w_.new_window_dialog.Remove();
  w_.browser.EndVisitorSession();
  w_.email.ClearVisitor();
  // The browser forgets the visitor's look with the session; the frame's goes too.
  w_.contrast.Set(false);
}

void KioskAttractFrame::ShowIdleWarning(int seconds_left) { w_.idle_warning.ShowCountdown(seconds_left); }

void KioskAttractFrame::HideIdleWarning() {
  if (!w_.idle_warning.isVisible()) return;
  w_.idle_warning.hide();
  // The keyboard back to where the visitor typed.
  if (w_.email.IsVisible()) {
    w_.email.TakeFocus();
  } else {
    w_.browser.TakeFocus();
  }
}

}  // namespace tw
