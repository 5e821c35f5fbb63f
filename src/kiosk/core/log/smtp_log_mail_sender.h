// Sends the daily log mail with the SMTP client: the closed log as a plain-text body,
// the feedback files as attachments, to every configured recipient, over TLS and with
// the account as the log mail's server settings say.
#pragma once

#include <functional>

#include "kiosk/core/log/log_mail.h"
#include "mail/mail_message.h"
#include "mail/smtp_client.h"

namespace tw {

class SmtpLogMailSender : public LogMailSender {
 public:
  // pump runs while the client waits for the server (the kiosk keeps its windows live).
  explicit SmtpLogMailSender(std::function<void()> pump = {});

  // Raises the mail client's exception when the server did not take the mail.
  void Send(const LogMail& mail) override;

  // The message as composed by the last Send.
  const MailMessage& Message() const { return message_; }
  SmtpClient& MailSMTP() { return smtp_; }

 private:
  MailMessage message_;
  SmtpClient smtp_;
};

// Fills message from mail: sender, recipients, subject, body lines and attachments.
void ComposeLogMailMessage(const LogMail& mail, MailMessage& message);

}  // namespace tw
