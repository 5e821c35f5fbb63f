// The running kiosk: the controller, its windows and the browser's main loop, the one-
// second timer, command URLs, listed programs, the input lock-down, the topics for other
// programs and the desktop lock; shut down in order. A pass of the main loop runs only
// when something is due: a URL queued, a page loading, a marker file changed in the
// program folder, the log's action time reached, timed work of the loop (checked on the
// second); the kiosk's windows are raised again when the X server reports a window shown
// or restacked. An idle kiosk wakes once a second, for its clock.
#pragma once

#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>

#include "kiosk/core/kiosk_controller.h"
#include "kiosk/core/kiosk_hooks.h"
#include "platform/clock.h"
#include "platform/service_notifier.h"

namespace tw {

class KioskDbusService;
class KioskInputFilter;
class KioskParts;
class SmtpLogMailSender;
class StackingWatcher;
class X11DesktopLock;
class X11GlobalKey;
class X11KeyboardPlatform;

class KioskShell : public QObject, public KioskHooks {
  Q_OBJECT

 public:
  explicit KioskShell(std::string program_dir, QObject* parent = nullptr);
  ~KioskShell() override;

  // Called once, when the splash has first been painted.
  void SetFirstPaintCallback(std::function<void()> callback) { on_first_paint_ = std::move(callback); }
  // The moment the process started, for the start-up phases logged with PREFERENCES/Debug.
  void SetStartTime(std::chrono::steady_clock::time_point started) { started_ = started; }
  // Reads the settings, creates the windows and the controller's parts and starts the timers.
  void Start();
  // Ends the kiosk in order: a listed program first, the loop stops, the windows close,
  // the log gets its last line.
  void Shutdown();
  // True once the kiosk has been ended (also while it was still starting, before its
  // event loop ran: then there is no loop to run).
  bool finished() const { return shut_down_; }

  KioskController& controller() { return *controller_; }

  // KioskHooks
  void ShowError(const std::string& text) override;
  void SetTaskBarHidden(bool hidden) override;
  void SetSystemKeyLock(bool locked) override;
  bool SetBrowserKeyLock(bool locked) override;
  bool BrowserCanRun(int engine, const KioskConfig& config) const override;
  void PassDue() override { RequestPass(); }

  // Ticks between two looks at the marker files without a change reported, in case a
  // watch was lost.
  static constexpr int kMarkerSafetyTicks = 5;

 private:
  void SecondTick();
  // The next tick, just after the wall clock's next second.
  void ArmTick();
  void RunPass();
  // A pass soon: at once, or when the pass interval since the last pass is over.
  void RequestPass();
  void StartLoop();
  // With debug logging on: "Start-up - PHASE after N ms" (counted from the process start).
  void LogPhase(const char* phase);
  // The one timer for the log's action time, armed for the moment it is next reached.
  void ArmLogActionTimer();
  void Restack();
  X11DesktopLock& DesktopLock();

  std::string program_dir_;
  SystemClock clock_;
  // Declared before the controller, which holds a pointer to it, so it is destroyed after.
  std::unique_ptr<SmtpLogMailSender> log_mail_sender_;
  std::unique_ptr<X11DesktopLock> desktop_lock_;
  std::unique_ptr<KioskController> controller_;
  std::unique_ptr<X11KeyboardPlatform> keyboard_platform_;
  std::unique_ptr<KioskParts> parts_;
  std::unique_ptr<X11GlobalKey> frame_key_;
  std::function<void()> on_first_paint_;
  std::chrono::steady_clock::time_point started_ = std::chrono::steady_clock::now();
  QTimer timer_;
  QTimer pass_timer_;
  QElapsedTimer since_pass_;
  QTimer log_action_timer_;
  LocalTime log_action_due_;
  QFileSystemWatcher marker_watcher_;
  std::unique_ptr<StackingWatcher> stacking_;
  int ticks_ = 0;
  // systemd's service notifications: ready once the first page is loaded, the watchdog
  // fed from this event loop while the page answers (a hung kiosk is restarted).
  ServiceNotifier service_;
  QTimer watchdog_timer_;
  bool shut_down_ = false;
};

}  // namespace tw
