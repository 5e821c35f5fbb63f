// The daily log mail on its way out: the mail the log composes, the sender the kiosk gives
// it once it has one, and the retry schedule after a failed send (LogMailDelivery).
#pragma once

#include "common/system/local_time.h"
#include "kiosk/core/log/log_mail.h"
#include "kiosk/core/log/log_mail_delivery.h"

namespace tw {

class LogMailOutbox {
 public:
  LogMail& mail() { return mail_; }
  const LogMail& mail() const { return mail_; }
  void SetSender(LogMailSender* sender) { sender_ = sender; }

  // Whether Send would try now: a mail pending, a sender, and no retry delay running.
  bool AttemptDue(LocalTime now) const { return sender_ != nullptr && delivery_.AttemptDue(mail_, now); }
  // Cleared only after a successful send, the attachments too, so feedback goes out once;
  // a failure is logged and tried again after a growing delay.
  void Send(LocalTime now, const LogMailDelivery::LogWriter& log) {
    if (sender_ != nullptr) delivery_.Run(mail_, *sender_, now, log);
  }

 private:
  LogMail mail_;
  LogMailSender* sender_ = nullptr;
  LogMailDelivery delivery_;
};

}  // namespace tw
