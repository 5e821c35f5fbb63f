// The daily log mail as the roll-over composes it: the closed log as body, the visitors'
// feedback files as attachments. Sending it is the mail client's job.
#pragma once

#include <string>
#include <vector>

#include "kiosk/core/settings/kiosk_config.h"
#include "mail/mail_security.h"

namespace tw {

struct FeedbackAttachment {
  std::string file_name;  // name only, e.g. "FB261207140509.txt"
  std::string contents;   // read when the roll-over took the file
};

struct LogMail {
  std::string from_address;
  std::string from_name;
  MailServerSettings server;  // where and how: address, TLS, account
  std::vector<MailRecipient> recipients;
  std::string subject;
  std::string body;
  std::vector<FeedbackAttachment> attachments;
  bool pending = false;  // composed and not yet sent
};

}  // namespace tw

namespace tw {

// Sends a composed log mail; throws on failure. The mail client implements it.
class LogMailSender {
 public:
  virtual ~LogMailSender() = default;
  virtual void Send(const LogMail& mail) = 0;
};

}  // namespace tw
