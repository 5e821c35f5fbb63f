// The SMTP client: sends one MailMessage to a server in one connection (greeting, HELO,
// MAIL FROM, one RCPT TO per recipient, DATA, the encoded message, ".", QUIT).
//
// With security mode kNone and no user name the conversation opens with HELO, as plain
// servers expect. Otherwise it opens with EHLO to learn what the server offers; STARTTLS
// is used as the mode says (and EHLO asked again over TLS), then AUTH PLAIN or LOGIN
// when the settings hold a user name, never over a connection without TLS unless plain-text
// authentication is allowed. A server that refuses EHLO gets the HELO conversation as
// long as neither STARTTLS nor authentication is required.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "mail/mail_connection.h"
#include "mail/server_capabilities.h"

namespace tw {

class MailMessage;

class SmtpClient : public MailConnection {
 public:
  // A recipient the server refused; set proceed to true to go on with the others.
  using AddressRejectedHandler =
      std::function<void(const std::string& the_address, const std::string& server_reply, bool& proceed)>;

  SmtpClient();
  ~SmtpClient() override;

  // The message to send; not owned, the caller keeps it alive while sending.
  MailMessage* Message() const { return mail_message_; }
  void SetMailMessage(MailMessage* message) { mail_message_ = message; }

  TNotifyEvent OnPrepare;
  TNotifyEvent OnSending;
  TNotifyEvent OnMailSent;
  AddressRejectedHandler OnAddressRejected;

  // The whole exchange: Connect, SendMail, and Disconnect in every case; a failure of
  // Connect or SendMail reaches the caller after the connection is closed.
  void Send();
  // One message over an open connection.
  void SendMail();

  // The file the message was last encoded into (deleted again when SendMail ends).
  const std::string& TempFileName() const { return temp_file_name_; }

 protected:
  void Open() override;
  void Login() override;
  void Logout() override;

 private:
  // Reads a reply and raises EServerError with it unless its class is the expected one.
  void ExpectClass(int reply_class);
  int ReadReplyChecked();
  // "HELO host", then "HELO" alone if that was refused.
  void Helo();
  // What the server offers, or nothing when it refuses EHLO.
  std::optional<ServerCapabilities> Ehlo();
  void Authenticate(const ServerCapabilities& offers);
  // Reads the answer to the last step of AUTH: a class-2 reply, or the log-in refused
  // (a server that asks for more is told "*" first, which ends the exchange).
  void ExpectAuthenticated(std::initializer_list<std::string_view> secrets);

  MailMessage* mail_message_ = nullptr;
  std::string temp_file_name_;
};

}  // namespace tw
