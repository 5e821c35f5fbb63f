#include "mail/smtp_client.h"

#include "mail/base64.h"
#include "mail/mail_strings.h"
#include "mail/mail_message.h"
#include "mail/temp_file_stream.h"

namespace tw {

SmtpClient::SmtpClient() : MailConnection({"smtp", 25, "submissions", 465}) {}

SmtpClient::~SmtpClient() = default;

int SmtpClient::ReadReplyChecked() {
  const int code = ReadReply();
  // A peer that closed without a reply leaves nothing to report as the server's answer.
  if (code == -1 && LastReply().empty()) RaiseSocketError(kWsaConnReset);
  return code;
}

void SmtpClient::ExpectClass(int reply_class) {
  const int code = ReadReplyChecked();
  if (code < 0 || code / 100 != reply_class) throw EServerError(LastReply());
}

void SmtpClient::Open() {
  if (Settings().server.empty()) RaiseSocketError(kMsgServerRequired);
  if (!Settings().user_name.empty() && Settings().password.empty()) RaiseSocketError(kMsgPasswordRequired);
  Reset();
  MailConnection::Open();
}

void SmtpClient::Helo() {
  SendLine("HELO " + Endpoints().local_host_name);
  const int code = ReadReplyChecked();
  if (code >= 0 && code / 100 == 2) return;
  // Some servers refuse the host name they cannot verify but accept the bare command.
  SendLine("HELO");
  ExpectClass(2);
}

std::optional<ServerCapabilities> SmtpClient::Ehlo() {
  SendLine("EHLO " + Endpoints().local_host_name);
  const int code = ReadReplyChecked();
  if (code < 0 || code / 100 != 2) return std::nullopt;
  return ParseEhloReply(ReplyLines());
}

void SmtpClient::Login() {
  ConnectSocket();
  if (Settings().security == MailSecurity::kTls) StartTls();
  ExpectClass(2);
  const bool authenticate = !Settings().user_name.empty();
  if (Settings().security == MailSecurity::kNone && !authenticate) {
    Helo();
    return;
  }
  std::optional<ServerCapabilities> offers = Ehlo();
  if (!offers) {
    // A server without EHLO has neither STARTTLS nor AUTH.
    if (Settings().security == MailSecurity::kStartTls) RaiseTlsError(Endpoints().host + " does not offer STARTTLS");
    if (authenticate) throw EServerError(LastReply());
    Helo();
    return;
  }
  if (!TlsActive() && Settings().security != MailSecurity::kNone) {
    if (offers->starttls) {
      SendLine("STARTTLS");
      const int code = ReadReplyChecked();
      if (code < 0 || code / 100 != 2) RaiseTlsError(Endpoints().host + " refused STARTTLS: " + LastReply());
      StartTls();
      // What the server said before TLS may have been tampered with: ask again.
      offers = Ehlo();
      if (!offers) throw EServerError(LastReply());
    } else if (Settings().security == MailSecurity::kStartTls) {
      RaiseTlsError(Endpoints().host + " does not offer STARTTLS");
    }
  }
  if (authenticate) Authenticate(*offers);
}

void SmtpClient::Authenticate(const ServerCapabilities& offers) {
  const MailConnectionSettings& settings = Settings();
  if (!TlsActive() && !settings.allow_plain_text_auth) {
    RaiseTlsError(settings.security == MailSecurity::kNone
                      ? "the security mode is none; the password is not sent without TLS"
                      : Endpoints().host + " does not offer STARTTLS; the password is not sent without TLS");
  }
  if (offers.Offers("PLAIN")) {
    const std::string response = Base64Encode(std::string(1, '\0') + settings.user_name + '\0' + settings.password);
    SendLine("AUTH PLAIN " + response);
    ExpectAuthenticated({settings.password, response, Base64Encode(settings.password)});
    return;
  }
  if (!offers.Offers("LOGIN")) RaiseSocketError(kMsgNoAuthMechanism);
  // LOGIN asks for the user name, then for the password, each as a 334 challenge.
  const std::string user = Base64Encode(settings.user_name);
  const std::string password = Base64Encode(settings.password);
  SendLine("AUTH LOGIN");
  if (ReadReplyChecked() != 334) RaiseLoginRefused({});
  SendLine(user);
  if (ReadReplyChecked() != 334) RaiseLoginRefused({settings.password, password});
  SendLine(password);
  ExpectAuthenticated({settings.password, password});
}

void SmtpClient::ExpectAuthenticated(std::initializer_list<std::string_view> secrets) {
  const int code = ReadReplyChecked();
  if (code >= 0 && code / 100 == 2) return;
  if (code == 334) {
    SendLine("*");
    ReadReplyChecked();
  }
  RaiseLoginRefused(secrets);
}

void SmtpClient::Logout() {
  ProcessMessages();
  SendLine("QUIT");
  ExpectClass(2);
}

void SmtpClient::Send() {
  try {
    Connect();
    SendMail();
  } catch (...) {
    // The first failure is the one to report; the goodbye may fail as well.
    try {
      Disconnect();
    } catch (const EMailError&) {
    }
    Close();
    throw;
  }
  try {
    Disconnect();
  } catch (...) {
    Close();
    throw;
  }
}

void SmtpClient::SendMail() {
  if (mail_message_ == nullptr) RaiseSocketError(kMsgMailMessageRequired);
  mail_message_->Validate();

  // The stream's file is deleted when it goes out of scope, whatever happens below.
  TempFileStream stream;
  temp_file_name_ = stream.Path();

  if (OnPrepare) OnPrepare();
  mail_message_->SaveToStream(stream);
  stream.flush();
  // The terminating "." must begin a line; a text that ends its last line already gets
  // no empty line added to it.
  bool ends_with_line_end = false;
  if (stream.tellp() >= 2) {
    char last[2] = {};
    stream.seekg(-2, std::ios::end);
    stream.read(last, 2);
    ends_with_line_end = stream && last[0] == '\r' && last[1] == '\n';
    stream.clear();
  }
  stream.seekg(0);

  if (OnSending) OnSending();
  SendLine("MAIL FROM:<" + mail_message_->Sender().Address() + ">");
  ExpectClass(2);

  for (const AddressList* list : {&mail_message_->Recipients(), &mail_message_->CC(), &mail_message_->BCC()}) {
    for (const MailAddress& entry : *list) {
      SendLine("RCPT TO:<" + entry.Address() + ">");
      const int code = ReadReplyChecked();
      if (code >= 0 && code / 100 == 2) continue;
      bool proceed = false;
      if (OnAddressRejected) OnAddressRejected(entry.Address(), LastReply(), proceed);
      if (!proceed) throw EServerError(LastReply());
    }
  }

  SendLine("DATA");
  ExpectClass(3);
  SendStream(stream);
  if (!ends_with_line_end) SendLine("");
  SendLine(".");
  ExpectClass(2);
  if (OnMailSent) OnMailSent();
}

}  // namespace tw
