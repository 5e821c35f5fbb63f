#include "platform/service_notifier.h"

#include <systemd/sd-daemon.h>
#include <unistd.h>

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace tw {
namespace {

template <typename T>
bool ParseNumber(const char* text, T& value) {
  if (text == nullptr) return false;
  const std::string_view s(text);
  const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
  return error == std::errc() && end == s.data() + s.size();
}

}  // namespace

ServiceNotifier::ServiceNotifier() {
  const char* socket = std::getenv("NOTIFY_SOCKET");
  active_ = socket != nullptr && *socket != '\0';
  std::uint64_t usec = 0;
  if (!active_ || !ParseNumber(std::getenv("WATCHDOG_USEC"), usec) || usec == 0) return;
  // The watchdog is ours when it names no process, this one, or the service's main
  // process that started us (xinit, which runs the kiosk on its own X server).
  if (const char* named = std::getenv("WATCHDOG_PID")) {
    long pid = 0;
    if (!ParseNumber(named, pid) || (pid != ::getpid() && pid != ::getppid())) return;
  }
  keep_alive_interval_ = std::chrono::milliseconds(usec / 2000);
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
