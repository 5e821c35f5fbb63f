// The SMTP client: sends one MailMessage to a server in one connection (greeting, HELO,
// MAIL FROM, one RCPT TO per recipient, DATA, the encoded message, ".", QUIT).
#pragma once

#include <functional>
#include <string>

#include "mail/mail_connection.h"

namespace tw {

class MailMessage;

class SmtpClient : public MailConnection {
 public:
  // A recipient the server refused; set proceed to true to go on with the others.
  using TmsAddressRejectedEvent =
      std::function<void(const std::string& the_address, const std::string& server_reply, bool& proceed)>;

  SmtpClient();
  ~SmtpClient() override;

  // The message to send; not owned, the caller keeps it alive while sending.
  MailMessage* Message() const { return mail_message_; }
  void SetMailMessage(MailMessage* message) { mail_message_ = message; }

  TNotifyEvent OnPrepare;
  TNotifyEvent OnSending;
  TNotifyEvent OnMailSent;
  TmsAddressRejectedEvent OnAddressRejected;

  // The whole exchange: Connect, SendMail, and Disconnect in every case; a failure of
  // Connect or SendMail reaches the caller after the connection is closed.
  void Send();
  // One message over an open connection.
  void SendMail();

  // The file the message was last encoded into (deleted again when SendMail ends).
  const std::string& TempFileName() const { return temp_file_name_; }

  void Open() override;

 protected:
  void Login() override;
  void Logout() override;

 private:
  // Reads a reply and raises EServerError with it unless its class is the expected one.
  void ExpectClass(int reply_class);
  int ReadReplyChecked();

  MailMessage* mail_message_ = nullptr;
  std::string temp_file_name_;
};

}  // namespace tw
