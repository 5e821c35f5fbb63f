// When and how the pending log mail is handed to its sender: one attempt at a time, and
// after a failure the next attempt only once a growing delay has passed, so a mail server
// that is down costs the kiosk one short wait every few minutes rather than one per pass.
// Failures go to the activity log with their reason; visitors see nothing of them.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "common/system/local_time.h"
#include "kiosk/core/log/log_mail.h"

namespace tw {

class LogMailDelivery {
 public:
  // Seconds from a failure to the next attempt: doubling from the first, at most the last.
  static constexpr std::int64_t kFirstRetryDelay = 2 * 60;
  static constexpr std::int64_t kLongestRetryDelay = 30 * 60;

  using LogWriter = std::function<void(std::string_view text)>;

  // Sends mail when it is pending and an attempt is due. After a successful send the body
  // and the attachments that went out are cleared and the mail is no longer pending,
  // unless a roll-over composed a new mail while the send was running (the sender pumps
  // events); a failed send leaves the mail pending and schedules the next attempt.
  void Run(LogMail& mail, LogMailSender& sender, LocalTime now, const LogWriter& log);

  // Whether Run would try to send now.
  bool AttemptDue(const LogMail& mail, LocalTime now) const;

  int failures() const { return failures_; }
  // The earliest time of the next attempt after a failure.
  std::optional<LocalTime> next_attempt() const { return next_attempt_; }

 private:
  bool sending_ = false;
  int failures_ = 0;
  std::int64_t delay_ = 0;
  std::optional<LocalTime> next_attempt_;
};

}  // namespace tw
