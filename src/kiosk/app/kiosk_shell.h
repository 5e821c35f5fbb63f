// The running kiosk: creates the windows in order, owns the controller, drives the
// one-second timer and the main-loop passes, and shuts everything down in order.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

#include "kiosk/browser/browser_frame.h"
#include "kiosk/browser/forwarding_engine.h"
#include "kiosk/core/kiosk_controller.h"
#include "kiosk/core/kiosk_hooks.h"
#include "platform/clock.h"

namespace tw {

class EmbeddedBrowserLoop;
class KioskAttractHost;
class KioskPanelsHost;
class KioskToolbarHost;
class SmtpLogMailSender;
class NewWindowDialog;
class BrowserWindow;
class ToolbarPanel;
class SplashWindow;
class X11DesktopLock;
class X11KeyboardPlatform;

class KioskShell : public QObject, public KioskHooks, public BrowserFrame {
  Q_OBJECT

 public:
  explicit KioskShell(std::string program_dir, QObject* parent = nullptr);
  ~KioskShell() override;

  // Called once, when the splash has first been painted.
  void SetFirstPaintCallback(std::function<void()> callback) { on_first_paint_ = std::move(callback); }
  // Creates the windows and the controller and starts the timers.
  void Start();
  // Ends the kiosk in order: the loop stops, the windows close, the log gets its last line.
  void Shutdown();

  KioskController& controller() { return *controller_; }
  SplashWindow* splash() const { return splash_.get(); }
  BrowserWindow* form_ie() const { return form_ie_.get(); }
  // The tool bar with the on-screen keyboard; its buttons can be pressed by commands.
  ToolbarPanel* form_bottom() const;

  // KioskHooks
  void ShowError(const std::string& text) override;
  void SetTaskBarHidden(bool hidden) override;
  void SetSystemKeyLock(bool locked) override;

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
  bool AskTransferNewWindow() override;

 private:
  void TimerTimer();
  void RunPass();
  void StartEmbeddedBrowser();

  std::string program_dir_;
  SystemClock clock_;
  // Declared before the controller, which holds a pointer to it, so it is destroyed after.
  std::unique_ptr<SmtpLogMailSender> log_mail_sender_;
  std::unique_ptr<KioskController> controller_;
  std::unique_ptr<SplashWindow> splash_;
  std::unique_ptr<NewWindowDialog> dialog_new_window_;
  std::unique_ptr<BrowserWindow> form_ie_;
  std::unique_ptr<EmbeddedBrowserLoop> embedded_;
  ForwardingEngine engine_proxy_;
  std::unique_ptr<X11KeyboardPlatform> keyboard_platform_;
  std::unique_ptr<KioskToolbarHost> toolbar_host_;
  // Before the attract host, which presses its buttons, so that it is destroyed after.
  std::unique_ptr<KioskPanelsHost> panels_host_;
  std::unique_ptr<KioskAttractHost> attract_host_;
  std::unique_ptr<X11DesktopLock> desktop_lock_;
  std::function<void()> on_first_paint_;
  QTimer timer_;
  QTimer pass_timer_;
  bool shut_down_ = false;
};

}  // namespace tw
