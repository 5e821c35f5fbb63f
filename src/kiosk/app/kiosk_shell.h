// The running kiosk: creates the windows in order, owns the controller, drives the
// one-second timer and the main-loop passes, and shuts everything down in order.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

#include "kiosk/core/kiosk_controller.h"
#include "kiosk/core/kiosk_hooks.h"
#include "platform/clock.h"

namespace tw {

class TFormSplash;

class KioskShell : public QObject, public KioskHooks {
  Q_OBJECT

 public:
  // Milliseconds between two passes of the browser main loop: often enough for smooth
  // panels, rarely enough that an idle kiosk costs next to no CPU.
  static constexpr int kPassInterval = 20;

  explicit KioskShell(std::string program_dir, QObject* parent = nullptr);
  ~KioskShell() override;

  // Called once, when the splash has first been painted.
  void SetFirstPaintCallback(std::function<void()> callback) { on_first_paint_ = std::move(callback); }
  // Creates the windows and the controller and starts the timers.
  void Start();
  // Ends the kiosk in order: the loop stops, the windows close, the log gets its last line.
  void Shutdown();

  KioskController& controller() { return *controller_; }
  TFormSplash* splash() const { return splash_.get(); }

  // KioskHooks
  void ShowError(const std::string& text) override;
  void SetTaskBarHidden(bool hidden) override;
  void SetSystemKeyLock(bool locked) override;

 private:
  void TimerTimer();
  void RunPass();

  std::string program_dir_;
  SystemClock clock_;
  std::unique_ptr<KioskController> controller_;
  std::unique_ptr<TFormSplash> splash_;
  std::function<void()> on_first_paint_;
  QTimer timer_;
  QTimer pass_timer_;
  bool shut_down_ = false;
};

}  // namespace tw
