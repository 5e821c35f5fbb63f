#include "kiosk/core/log/log_mail_delivery.h"

#include "common/texts/log_texts.h"

#include <algorithm>
#include <exception>
#include <string>

namespace tw {

bool LogMailDelivery::AttemptDue(const LogMail& mail, LocalTime now) const {
  // The sender pumps events while it waits; a pass run from there must not start a
  // second send of the same mail.
  if (!mail.pending || sending_) return false;
  // A clock set back to before the failure would otherwise hold the mail for that long.
  return !(next_attempt_ && now < *next_attempt_ && now >= *next_attempt_ - delay_);
}

void LogMailDelivery::Run(LogMail& mail, LogMailSender& sender, LocalTime now, const LogWriter& log) {
  if (!AttemptDue(mail, now)) return;

  const std::string subject = mail.subject;
  const std::size_t attachments = mail.attachments.size();
  std::string failure;
  sending_ = true;
  try {
    sender.Send(mail);
  } catch (const std::exception& e) {
    failure = e.what();
    if (failure.empty()) failure = "unknown error";
  } catch (...) {
    failure = "unknown error";
  }
  sending_ = false;

  if (!failure.empty()) {
    ++failures_;
    delay_ = delay_ == 0 ? kFirstRetryDelay : std::min(delay_ * 2, kLongestRetryDelay);
    next_attempt_ = now + delay_;
    log(log_text::kLogMailNotSent + failure + " - next attempt in " + std::to_string(delay_ / 60) + " minutes");
    return;
  }
  failures_ = 0;
  delay_ = 0;
  next_attempt_.reset();
  // Feedback goes out once: the files that were sent leave the list.
  mail.attachments.erase(
      mail.attachments.begin(),
      mail.attachments.begin() + static_cast<std::ptrdiff_t>(std::min(attachments, mail.attachments.size())));
  if (mail.subject != subject) return;  // a newer log was composed meanwhile and still waits
  mail.body.clear();
  mail.pending = false;
}

}  // namespace tw
