// Telling systemd how the kiosk service is doing: ready once the start page is shown,
// and the watchdog's keep-alive while the kiosk is healthy. Does nothing when the kiosk
// was not started by systemd (no NOTIFY_SOCKET).
#pragma once

#include <chrono>

namespace tw {

class ServiceNotifier {
 public:
  ServiceNotifier();

  // Whether systemd listens at all.
  bool Active() const { return active_; }
  // How often the keep-alive is due (half the unit's WatchdogSec); zero without a
  // watchdog, or when the watchdog is another process's.
  std::chrono::milliseconds KeepAliveInterval() const { return keep_alive_interval_; }

  void Ready();
  void KeepAlive();
  void Stopping();
  // A line for `systemctl status`.
  void Status(const char* text);

 private:
  bool active_ = false;
  std::chrono::milliseconds keep_alive_interval_{0};
};

}  // namespace tw
