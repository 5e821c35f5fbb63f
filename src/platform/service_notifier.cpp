#include "platform/service_notifier.h"

#include <systemd/sd-daemon.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace tw {

ServiceNotifier::ServiceNotifier() {
  const char* socket = std::getenv("NOTIFY_SOCKET");
  active_ = socket != nullptr && *socket != '\0';
  std::uint64_t usec = 0;
  // Only for this process (the watchdog's PID matches ours, or none is named).
  if (active_ && sd_watchdog_enabled(0, &usec) > 0) {
    keep_alive_interval_ = std::chrono::milliseconds(usec / 2000);
  }
}

void ServiceNotifier::Ready() {
  if (active_) sd_notify(0, "READY=1");
}

void ServiceNotifier::KeepAlive() {
  if (active_) sd_notify(0, "WATCHDOG=1");
}

void ServiceNotifier::Stopping() {
  if (active_) sd_notify(0, "STOPPING=1");
}

void ServiceNotifier::Status(const char* text) {
  if (active_) sd_notify(0, ("STATUS=" + std::string(text)).c_str());
}

}  // namespace tw
