#include "kiosk/app/kiosk_attract_frame.h"

#include <QCursor>
#include <QLabel>
#include <QGuiApplication>
#include <QScreen>

#include "kiosk/browser/webengine/browser_window.h"
#include "kiosk/panels/toolbar_panel.h"
#include "kiosk/panels/splash_window.h"
#include "widgets/keyboard_controller.h"

namespace tw {

CursorPoint KioskAttractFrame::CursorPos() const {
  const QPoint p = QCursor::pos();
  return {p.x(), p.y()};
}

void KioskAttractFrame::ShowIdleCover(bool on) {
  SplashWindow* splash = windows_.splash ? windows_.splash() : nullptr;
  BrowserWindow* browser = windows_.browser ? windows_.browser() : nullptr;
  ToolbarPanel* bottom = windows_.bottom ? windows_.bottom() : nullptr;
  covered_ = on;
  if (on) {
    // The panels are left where they are under the cover; the shell stops raising them
    // while the cover is up, so another program's windows can come to the front.
    if (splash) {
      saved_splash_ = splash->geometry();
      const QScreen* screen = QGuiApplication::primaryScreen();
      splash->setGeometry(screen ? screen->geometry() : QRect(0, 0, 800, 600));
      splash->show();
      splash->raise();
    }
    if (browser) browser->hide();
    if (bottom) bottom->lower();
  } else {
    if (browser) browser->show();
    if (splash) {
      splash->hide();
      splash->setGeometry(saved_splash_);
    }
    if (bottom) bottom->raise();
    // Typing goes on where it left off; a refusal reaches the kiosk's error handling.
    if (windows_.return_focus) windows_.return_focus();
  }
}

void KioskAttractFrame::StartVideo() {
  if (windows_.start_video) windows_.start_video();
}

void KioskAttractFrame::StopVideo() {
  if (windows_.stop_video) windows_.stop_video();
}

// The e-mail window takes this over once it exists.
void KioskAttractFrame::HideEmailWindow() {}
void KioskAttractFrame::AdvanceBanner() {
  if (windows_.advance_banner) windows_.advance_banner();
}

void KioskAttractFrame::ResetKeyboardPage() {
  ToolbarPanel* bottom = windows_.bottom ? windows_.bottom() : nullptr;
  if (bottom == nullptr) return;
  bottom->ResetPage();
  // No modifier stays latched for the next visitor.
  if (KeyboardController* keys = bottom->KeyController()) {
    for (KeyType type : {KeyType::ktShift, KeyType::ktAlt, KeyType::ktCtrl, KeyType::ktAltGr}) {
      keys->SetLatched(type, false);
    }
  }
}

void KioskAttractFrame::ShowDiagnostics(int idle_count, int expected_code) {
  ToolbarPanel* bottom = windows_.bottom ? windows_.bottom() : nullptr;
  if (bottom == nullptr) return;
  // Label2 the idle count, Label3 and Label4 the next exit-password letter's code and letter.
  bottom->DebugLabel(1)->setText(QString::number(idle_count));
  bottom->DebugLabel(2)->setText(QString::number(expected_code));
  bottom->DebugLabel(3)->setText(expected_code > 0 ? QString(QChar(expected_code)) : QString());
}

void KioskAttractFrame::EndVisitorSession() {
  if (BrowserWindow* browser = windows_.browser ? windows_.browser() : nullptr) browser->WipeSession();
}

}  // namespace tw
