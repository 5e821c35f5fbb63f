#include "kiosk/browser/offline_retry.h"

namespace tw {

int OfflineRetry::RetryDelay(int attempt) {
  switch (attempt) {
    case 0: return 5;
    case 1: return 10;
    case 2: return 30;
    default: return 60;
  }
}

void OfflineRetry::KioskNavigation(const std::string& url) {
  awaited_ = url;
  // A newer page of the kiosk's takes the place of the one being retried.
  due_.reset();
}

OfflineRetry::Failure OfflineRetry::Failed(const std::string& error, LocalTime now) {
  Failure failure;
  // A page the visitor followed shows the engine's own error page.
  if (!awaited_) return failure;
  failure.show_offline_page = true;
  if (!outage_url_) {
    attempt_ = 0;
    failure.log_line = "Page Unreachable - " + *awaited_ + " - " + error + " - Offline Page Shown";
  }
  outage_url_ = *awaited_;
  awaited_.reset();
  due_ = now + RetryDelay(attempt_++);
  return failure;
}

std::string OfflineRetry::Loaded(const std::string& url) {
  const bool kiosk_page = awaited_.has_value();
  awaited_.reset();
  if (!outage_url_) return {};
  // Also when the visitor has gone on to another page: nothing is retried behind their back.
  outage_url_.reset();
  due_.reset();
  attempt_ = 0;
  return kiosk_page ? "Page Reachable Again - " + url : std::string();
}

bool OfflineRetry::RetryIsDue(LocalTime now) const {
  if (!due_ || !outage_url_) return false;
  // Not yet, unless the clock has been set back further than any delay.
  return !(now < *due_ && *due_ - now <= RetryDelay(3));
}

std::optional<std::string> OfflineRetry::TakeDueRetry(LocalTime now) {
  if (!RetryIsDue(now)) return std::nullopt;
  due_.reset();
  awaited_ = outage_url_;
  return outage_url_;
}

}  // namespace tw
