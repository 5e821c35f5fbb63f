#include <gtest/gtest.h>

#include <fstream>

#include "client_test_util.h"
#include "kiosk/core/log/smtp_log_mail_sender.h"
#include "scripted_server.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

using test::MessageOf;
using test::ScriptedServer;
using Steps = std::vector<ScriptedServer::Step>;

ScriptedServer::Step Say(std::string line) { return ScriptedServer::Send(line + "\r\n"); }
ScriptedServer::Step Read() { return ScriptedServer::ReadLine(); }

LogMail Mail(const std::string& server) {
  LogMail mail;
  mail.from_address = "kiosk@tarnwick.test";
  mail.from_name = "Lobby Kiosk";
  mail.server.address = server;
  mail.recipients = {{"op@tarnwick.test", "Operator"}, {"boss@tarnwick.test", "Boss"}};
  mail.subject = "Tarnwick Log from Monday, 07-12-2026, 03:00:05";
  mail.body = "Monday, 07-12-2026, 02:00:00 --- Log opened\r\n.\nMonday, 07-12-2026, 03:00:05 --- Log closed\n";
  mail.attachments = {{"FB1.txt", "first\r\n"}, {"FB2.txt", "second\r\n"}};
  mail.pending = true;
  return mail;
}

// Greeting, HELO, MAIL FROM, two RCPT TO, DATA and the message answered as given.
Steps Conversation(const std::string& end_of_data, const std::string& quit) {
  return {Say("220 hi"),    Read(), Say("250 hello"), Read(), Say("250 ok"), Read(),
          Say("250 ok"),    Read(), Say("250 ok"),    Read(), Say("354 go"), ScriptedServer::ReadUntil("\r\n.\r\n"),
          Say(end_of_data), Read(), Say(quit)};
}

TEST(SmtpLogMailSender, ComposesThePlainTextMail) {
  MailMessage message;
  message.Recipients().Add("left@over.test");
  ComposeLogMailMessage(Mail(""), message);
  EXPECT_EQ(message.Sender(), MailAddress("kiosk@tarnwick.test", "Lobby Kiosk"));
  ASSERT_EQ(message.Recipients().Count(), 2u);
  EXPECT_EQ(message.Recipients().Item(1), MailAddress("boss@tarnwick.test", "Boss"));
  EXPECT_EQ(message.Subject(), "Tarnwick Log from Monday, 07-12-2026, 03:00:05");
  EXPECT_EQ(message.Body(), (std::vector<std::string>{"Monday, 07-12-2026, 02:00:00 --- Log opened", ".",
                                                      "Monday, 07-12-2026, 03:00:05 --- Log closed"}));
  EXPECT_FALSE(message.ReturnReceipt());
  ASSERT_EQ(message.Attachments().Count(), 2u);
  EXPECT_EQ(message.Attachments().Item(1).FileName(), "FB2.txt");
  EXPECT_EQ(message.Attachments().Item(1).Contents(), "second\r\n");
  message.Attachments().Clear();
  EXPECT_EQ(message.ContentType(), "text/plain");
}

TEST(MailSettings, ReadFromTheKiosksFile) {
  test::TempDir dir;
  const std::string path = dir.File("Tarnwick.ini");
  std::ofstream(path) << "[PREFERENCES]\nEMailServer=mail.example.org:587\nEMailSecurity= StartTLS \n"
                      << "EMailUserName=kiosk\nEMailPassword=p w=d;x\nEMailCAFile=/etc/kiosk/ca.pem\n"
                      << "EMailAllowPlainTextAuth=1\n[EMAIL]\nSecurity=ssl\nUserName=visitors\n";
  const KioskConfigResult read = ReadKioskConfig(ProfileFile(path));
  const MailServerSettings& log = read.config.log_mail.server;
  EXPECT_EQ(log.address, "mail.example.org:587");
  EXPECT_EQ(log.security, MailSecurity::kStartTls);
  EXPECT_EQ(log.user_name, "kiosk");
  EXPECT_EQ(log.password, "p w=d;x");
  EXPECT_EQ(log.ca_file, "/etc/kiosk/ca.pem");
  EXPECT_TRUE(log.allow_plain_text_auth);
  // The window: its own account and trust, the same server; a mode it does not know
  // costs that key only.
  const MailServerSettings& window = read.config.email_window_server;
  EXPECT_EQ(window.address, "mail.example.org:587");
  EXPECT_EQ(window.security, MailSecurity::kStartTlsIfOffered);
  EXPECT_EQ(window.user_name, "visitors");
  EXPECT_EQ(window.password, "");
  EXPECT_FALSE(window.allow_plain_text_auth);
  ASSERT_EQ(read.errors.size(), 1u);
  EXPECT_EQ(read.errors.list()[0].Text(),
            "Setting [EMAIL] Security=ssl in Tarnwick.ini: 'ssl' is not none, starttls or tls - the default is used");

  // A file from before: STARTTLS when offered, no account, nothing in plain text.
  const std::vector<std::pair<std::string, MailSecurity>> modes = {
      {"", MailSecurity::kStartTlsIfOffered},
      {"EMailSecurity=\n", MailSecurity::kStartTlsIfOffered},
      {"EMailSecurity=NONE\n", MailSecurity::kNone},
      {"EMailSecurity=tls\n", MailSecurity::kTls}};
  for (const auto& [line, mode] : modes) {
    std::ofstream(path) << "[PREFERENCES]\nEMailServer=127.0.0.1\n" << line;
    const KioskConfigResult old = ReadKioskConfig(ProfileFile(path));
    EXPECT_EQ(old.config.log_mail.server.security, mode) << line;
    EXPECT_EQ(old.config.log_mail.server.user_name, "");
    EXPECT_FALSE(old.config.log_mail.server.allow_plain_text_auth);
    EXPECT_TRUE(old.errors.empty());
  }
}

TEST(SmtpLogMailSender, SendsToEveryRecipient) {
  ScriptedServer server(Conversation("250 queued", "221 bye"));
  SmtpLogMailSender sender;
  sender.Send(Mail(server.address()));
  const std::string transcript = server.Transcript();
  EXPECT_NE(transcript.find("MAIL FROM:<kiosk@tarnwick.test>\r\nRCPT TO:<op@tarnwick.test>\r\n"
                            "RCPT TO:<boss@tarnwick.test>\r\nDATA\r\n"),
            std::string::npos)
      << transcript;
  EXPECT_NE(transcript.find("Subject: Tarnwick Log from Monday, 07-12-2026, 03:00:05\r\n"), std::string::npos);
  EXPECT_TRUE(transcript.ends_with("\r\n.\r\nQUIT\r\n"));
}

TEST(SmtpLogMailSender, OnlyAMailTheServerTookCountsAsSent) {
  {
    SCOPED_TRACE("refused at the end of the data");
    ScriptedServer server(Conversation("554 rejected", "221 bye"));
    SmtpLogMailSender sender;
    EXPECT_EQ(MessageOf<EServerError>([&] { sender.Send(Mail(server.address())); }), "554 rejected");
  }
  {
    // The mail is delivered already: sending it again would duplicate it.
    SCOPED_TRACE("taken, then a failed goodbye");
    ScriptedServer server(Conversation("250 queued", "421 closing"));
    SmtpLogMailSender sender;
    EXPECT_NO_THROW(sender.Send(Mail(server.address())));
  }
  {
    SCOPED_TRACE("no recipients");
    ScriptedServer server({Say("220 hi"), Read(), Say("250 hello"), Read(), Say("221 bye")});
    SmtpLogMailSender sender;
    LogMail mail = Mail(server.address());
    mail.recipients.clear();
    EXPECT_EQ(MessageOf<EMessageError>([&] { sender.Send(mail); }),
              "At least one Recipient, CC or BCC must be entered");
  }
}

}  // namespace
}  // namespace tw
