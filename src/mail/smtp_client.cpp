#include "mail/smtp_client.h"

#include "mail/mail_strings.h"
#include "mail/mail_message.h"
#include "mail/temp_file_stream.h"

namespace tw {

SmtpClient::SmtpClient() {
  SetServiceName("smtp");
  SetDefaultPort(25);
}

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
  if (Server().empty()) RaiseSocketError(kMsgServerRequired);
  Reset();
  MailConnection::Open();
}

void SmtpClient::Login() {
  ConnectSocket();
  ExpectClass(2);
  SendLine("HELO " + LocalHostName());
  const int code = ReadReplyChecked();
  if (code >= 0 && code / 100 == 2) return;
  // Some servers refuse the host name they cannot verify but accept the bare command.
  SendLine("HELO");
  ExpectClass(2);
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
  SendLine("");
  SendLine(".");
  ExpectClass(2);
  if (OnMailSent) OnMailSent();
}

}  // namespace tw
