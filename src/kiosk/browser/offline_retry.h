// A page the kiosk asked for itself (the start page, a carousel, banner or button page)
// that cannot be loaded: the kiosk shows its offline page instead of the engine's error
// page and tries the page again after 5, 10 and 30 seconds, then every minute, until it
// loads. One log line when an outage begins, one when the page is back.
#pragma once

#include <optional>
#include <string>

#include "common/system/local_time.h"

namespace tw {

class OfflineRetry {
 public:
  struct Failure {
    bool show_offline_page = false;
    std::string log_line;  // empty: nothing to log (the outage goes on)
  };

  // The kiosk has sent the browser a page of its own; its outcome is awaited.
  void KioskNavigation(const std::string& url);
  // The page being loaded failed (not a refusal of the kiosk's own).
  Failure Failed(const std::string& error, LocalTime now);
  // A page has loaded (not the offline page). The line to log when it ends an outage.
  std::string Loaded(const std::string& url);
  // The page to try again, once its time has come; it is then awaited like any other.
  std::optional<std::string> TakeDueRetry(LocalTime now);
  std::optional<LocalTime> RetryDue() const { return due_; }
  // Whether TakeDueRetry gives a page at `now`.
  bool RetryIsDue(LocalTime now) const;
  bool outage() const { return outage_url_.has_value(); }

  // Seconds before attempt n (0-based) of an outage.
  static int RetryDelay(int attempt);

 private:
  std::optional<std::string> awaited_;
  std::optional<std::string> outage_url_;
  std::optional<LocalTime> due_;
  int attempt_ = 0;
};

}  // namespace tw
