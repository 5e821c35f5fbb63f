#include "kiosk/app/kiosk_shell.h"

#include <QApplication>
#include <QScreen>
#include <cstdio>

#include "common/language_messages.h"
#include "common/profile_file.h"
#include "kiosk/app/kiosk_attract_host.h"
#include "kiosk/app/kiosk_panels_host.h"
#include "kiosk/app/toolbar_host.h"
#include "kiosk/browser/embedded_browser_loop.h"
#include "kiosk/browser/webengine/browser_window.h"
#include "kiosk/core/browser_placement.h"
#include "kiosk/core/smtp_log_mail_sender.h"
#include "kiosk/panels/error_dialog.h"
#include "kiosk/panels/new_window_dialog.h"
#include "kiosk/panels/toolbar_panel.h"
#include "kiosk/panels/form_scaling.h"
#include "kiosk/panels/splash_window.h"
#include "platform/x11qt/x11_desktop_lock.h"
#include "platform/x11qt/x11_keyboard_platform.h"

namespace tw {

KioskShell::KioskShell(std::string program_dir, QObject* parent)
    : QObject(parent), program_dir_(std::move(program_dir)) {
  timer_.setInterval(1000);
  pass_timer_.setInterval(kMainLoopPassInterval);
  connect(&timer_, &QTimer::timeout, this, &KioskShell::TimerTimer);
  connect(&pass_timer_, &QTimer::timeout, this, &KioskShell::RunPass);
}

KioskShell::~KioskShell() { Shutdown(); }

void KioskShell::Start() {
  controller_ = std::make_unique<KioskController>(program_dir_, clock_, *this);

  // The splash first, so that something shows while the rest starts.
  splash_ = std::make_unique<SplashWindow>();
  if (on_first_paint_) splash_->SetFirstPaintCallback(on_first_paint_);
  const ProfileFile ini(controller_->ProgramFile("Tarnwick.ini"));
  splash_->LoadSplash(QString::fromStdString(ini.ReadString("PREFERENCES", "Splash", "")));
  splash_->show();
  QApplication::processEvents();

  const QScreen* screen = QGuiApplication::primaryScreen();
  const int screen_width = screen ? screen->geometry().width() : 800;
  controller_->Create(screen_width);
  // The lock was set before the log was open; what it could not lock goes there now.
  if (desktop_lock_) desktop_lock_->SetReport([this](const std::string& text) { controller_->WriteLog(text); });
  // The daily log mail; while the client waits for the server the windows stay live.
  log_mail_sender_ = std::make_unique<SmtpLogMailSender>(
      [] { QCoreApplication::processEvents(QEventLoop::AllEvents, 10); });
  controller_->SetLogMailSender(log_mail_sender_.get());

  const double scale = controller_->screen_scale();
  splash_->setGeometry(ToQRect(SplashFormBounds(scale, false)));
  ScaleControls(splash_.get(), scale);
  splash_->RefreshPicture();

  // The banner bar second, right after the splash.
  panels_host_ = std::make_unique<KioskPanelsHost>(
      *controller_, [this] { return toolbar_host_.get(); }, [this] { return form_ie_.get(); });
  panels_host_->CreateTopForm();

  // The tool bar with the keyboard: after the banner bar, before the side panels.
  keyboard_platform_ = std::make_unique<X11KeyboardPlatform>();
  toolbar_host_ = std::make_unique<KioskToolbarHost>(*controller_, engine_proxy_, *this,
                                                     [this] { return form_ie_.get(); });
  toolbar_host_->CreateBottomForm(keyboard_platform_->Get());
  // The side panels: the busy meter on the left, page buttons and arrows on the right.
  panels_host_->CreateSidePanels(keyboard_platform_->Get());

  dialog_new_window_ = std::make_unique<NewWindowDialog>(
      ReadNewBrowserMessages(ProfileFile(controller_->ProgramFile("TWLang.ini"))));
  panels_host_->CreateErrorDialog(keyboard_platform_->Get());

  // Attract modes, command URLs, listed programs, input lock-down, topics for other programs.
  KioskAttractFrame::Windows windows;
  windows.splash = [this] { return splash_.get(); };
  windows.browser = [this] { return form_ie_.get(); };
  windows.bottom = [this] { return form_bottom(); };
  windows.hold_timer = [this](bool held) { held ? timer_.stop() : timer_.start(); };
  windows.advance_banner = [this] { panels_host_->AdvanceBanner(); };
  windows.return_focus = [this] {
    if (toolbar_host_) toolbar_host_->ReturnFocusToBrowserWindow();
  };
  // Commands press the buttons of every panel: the tool bar's through the panels' host.
  attract_host_ = std::make_unique<KioskAttractHost>(*controller_, std::move(windows), panels_host_.get());

  timer_.start();
}

void KioskShell::TimerTimer() {
  if (shut_down_) return;
  controller_->Guarded([this] {
    controller_->TimerTimer();
    if (controller_->state().loop_running && !pass_timer_.isActive()) {
      if (controller_->config().browser_kind == 1) StartEmbeddedBrowser();
      pass_timer_.start();
    }
  });
  if (controller_->state().exit_requested) Shutdown();
}

void KioskShell::RunPass() {
  if (shut_down_) return;
  bool go_on = true;
  controller_->Guarded([&] { go_on = embedded_ ? embedded_->Pass() : controller_->RunPass(); });
  if (!go_on) Shutdown();
}

void KioskShell::Shutdown() {
  if (shut_down_ || !controller_) return;
  shut_down_ = true;
  timer_.stop();
  pass_timer_.stop();
  // A listed program still running is ended first, so that its lines come before the last one.
  if (attract_host_) attract_host_->EndRunningProgram();
  engine_proxy_.SetTarget(nullptr);
  if (form_ie_) form_ie_->close();
  if (form_bottom()) form_bottom()->close();
  if (panels_host_) panels_host_->Close();
  if (splash_) splash_->close();
  controller_->FormClose();
  QCoreApplication::quit();
}

void KioskShell::StartEmbeddedBrowser() {
  BrowserWindow::Options options;
  options.block_right_button = controller_->config().block_right_button;
  options.scroll_bar_size = Scaled(20, controller_->screen_scale());
  options.offline_page = QString::fromStdString(controller_->ProgramFile("pages/offline.htm"));
  // The loop handles the engine's events; the window carries out the loop's requests.
  embedded_ = std::make_unique<EmbeddedBrowserLoop>(*controller_, engine_proxy_, *this);
  if (attract_host_) attract_host_->AttachEmbedded(*embedded_);
  embedded_->scroll_step = [this] { panels_host_->ScrollStep(); };
  form_ie_ = std::make_unique<BrowserWindow>(*embedded_, options);
  engine_proxy_.SetTarget(form_ie_.get());
  form_ie_->report = [this](const std::string& text) { controller_->WriteLog(text); };
  form_ie_->print_failed = [this] {
    // The visitor is told in the kiosk's own dialog, in the language file's words.
    const std::string text = ReadPrintFailedMessage(ProfileFile(controller_->ProgramFile("TWLang.ini")));
    if (!panels_host_ || !panels_host_->ShowError(text)) controller_->WriteLog(text);
  };
  form_ie_->close_questions = [this] {
    if (dialog_new_window_) dialog_new_window_->Remove();
  };
  embedded_->Start();
}

PanelSizes KioskShell::CurrentPanelSizes() const {
  // The frame panels report their own sizes once they exist; until then their design sizes.
  PanelSizes sizes = DesignPanelSizes(controller_->screen_scale());
  if (toolbar_host_) sizes = toolbar_host_->CurrentPanelSizes(sizes);
  return panels_host_ ? panels_host_->CurrentPanelSizes(sizes) : sizes;
}

ToolbarPanel* KioskShell::form_bottom() const { return toolbar_host_ ? toolbar_host_->bottom_form() : nullptr; }

void KioskShell::PlaceBrowserWindow(const BrowserPlacement& placement) {
  if (form_ie_) form_ie_->setGeometry(ToQRect(placement.browser));
}

void KioskShell::ShowBrowserWindow() {
  if (form_ie_) form_ie_->show();
  if (splash_) splash_->hide();
}

void KioskShell::SetBackEnabled(bool enabled) {
  if (form_bottom()) form_bottom()->SetBackEnabled(enabled);
}
void KioskShell::SetForwardEnabled(bool enabled) {
  if (form_bottom()) form_bottom()->SetForwardEnabled(enabled);
}
void KioskShell::SetStopEnabled(bool enabled) {
  if (form_bottom()) form_bottom()->SetStopEnabled(enabled);
}
// The busy meter shows these once it exists.
void KioskShell::ShowBusyMeter(int percent) {
  if (panels_host_) panels_host_->ShowBusyMeter(percent);
}
void KioskShell::HideBusyMeter() {
  if (panels_host_) panels_host_->HideBusyMeter();
}

void KioskShell::RaiseTopmostWindows() {
  // Nothing keeps windows on top without a window manager: raise them, in order; not
  // while the idle cover lets another program have the screen.
  if (!attract_host_ || !attract_host_->covered()) {
    if (panels_host_) panels_host_->RaiseTopmostWindows();
    if (form_bottom()) form_bottom()->raise();
    if (attract_host_) attract_host_->RaiseTopmost();
  }
  // Dialogs that must be seen come last, above the keyboard, the video and the cover.
  for (QWidget* dialog : {static_cast<QWidget*>(panels_host_ ? panels_host_->dialog_error() : nullptr),
                          static_cast<QWidget*>(dialog_new_window_.get())}) {
    if (dialog && dialog->isVisible()) dialog->raise();
  }
}

bool KioskShell::AskTransferNewWindow() { return dialog_new_window_->AskTransfer(); }

void KioskShell::ShowError(const std::string& text) {
  // The console always; the error dialog logs what it shows, before it exists the log.
  std::fprintf(stderr, "tarnwick: %s\n", text.c_str());
  if (panels_host_ && panels_host_->ShowError(text)) return;
  if (controller_) controller_->WriteLog(text);
}

// The desktop lock-down on the X display, on a connection of its own.
void KioskShell::SetTaskBarHidden(bool hidden) {
  if (!desktop_lock_) desktop_lock_ = std::make_unique<X11DesktopLock>();
  desktop_lock_->SetTaskBarHidden(hidden);
}
void KioskShell::SetSystemKeyLock(bool locked) {
  if (!desktop_lock_) desktop_lock_ = std::make_unique<X11DesktopLock>();
  desktop_lock_->SetSystemKeyLock(locked);
}

}  // namespace tw
