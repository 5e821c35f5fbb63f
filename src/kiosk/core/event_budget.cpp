#include "kiosk/core/event_budget.h"

namespace tw {

bool EventBudget::Admit(std::int64_t now) {
  // A clock set back starts a new window rather than holding the budget.
  if (!window_start_ || now >= *window_start_ + window_ || now < *window_start_) {
    window_start_ = now;
    admitted_ = 0;
  }
  if (admitted_ < allowed_) {
    ++admitted_;
    return true;
  }
  ++refused_;
  return false;
}

bool EventBudget::RefusedReportDue(std::int64_t now) const {
  const std::optional<std::int64_t> due = RefusedDue();
  return due && !(now < *due && now >= *window_start_);
}

std::optional<int> EventBudget::TakeRefused(std::int64_t now) {
  if (!RefusedReportDue(now)) return std::nullopt;
  const int refused = refused_;
  refused_ = 0;
  return refused;
}

std::optional<std::int64_t> EventBudget::RefusedDue() const {
  if (refused_ == 0 || !window_start_) return std::nullopt;
  return *window_start_ + window_;
}

}  // namespace tw
