#include "kiosk/core/log/smtp_log_mail_sender.h"

namespace tw {

void ComposeLogMailMessage(const LogMail& mail, MailMessage& message) {
  message.Clear();
  message.SetContentType("text/plain");
  message.SetReturnReceipt(false);
  message.Sender().SetAddress(mail.from_address);
  message.Sender().SetName(mail.from_name);
  for (const MailRecipient& r : mail.recipients) message.Recipients().Add(r.address, r.name);
  message.SetSubject(mail.subject);
  std::vector<std::string>& body = message.Body();
  std::size_t start = 0;
  while (start < mail.body.size()) {
    std::size_t end = mail.body.find('\n', start);
    if (end == std::string::npos) end = mail.body.size();
    std::string line = mail.body.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    body.push_back(std::move(line));
    start = end + 1;
  }
  for (const FeedbackAttachment& a : mail.attachments) message.Attachments().AddData(a.file_name, a.contents);
}

SmtpLogMailSender::SmtpLogMailSender(std::function<void()> pump) {
  smtp_.SetMessagePump(std::move(pump));
  smtp_.SetMailMessage(&message_);
}

void SmtpLogMailSender::Send(const LogMail& mail) {
  ComposeLogMailMessage(mail, message_);
  smtp_.UseServer(mail.server);
  bool accepted = false;
  smtp_.OnMailSent = [&accepted] { accepted = true; };
  try {
    smtp_.Send();
  } catch (const EMailError&) {
    // Once the server has taken the message, a failed goodbye must not send it again.
    if (!accepted) throw;
  }
}

}  // namespace tw
