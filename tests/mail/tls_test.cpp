// TLS and authentication of the mail clients against the scripted server: what goes on
// the wire byte for byte, what is never sent, and how waits inside the handshake end.
#include <gtest/gtest.h>

#include <chrono>
#include <sstream>

#include "client_test_util.h"
#include "mail/mail_message.h"
#include "mail/pop3_mailbox.h"
#include "mail/smtp_client.h"
#include "scripted_server.h"
#include "test_certificate.h"

namespace tw {
namespace {

using test::MessageOf;
using test::ScriptedServer;
using Steps = std::vector<ScriptedServer::Step>;

ScriptedServer::Step Say(std::string line) { return ScriptedServer::Send(line + "\r\n"); }
ScriptedServer::Step Read() { return ScriptedServer::ReadLine(); }
Steps Then(Steps a, const Steps& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// "visitor" / "secret" in base64, and both for AUTH PLAIN.
constexpr char kUser64[] = "dmlzaXRvcg==";
constexpr char kPassword64[] = "c2VjcmV0";
constexpr char kPlain64[] = "AHZpc2l0b3IAc2VjcmV0";

// MAIL FROM to QUIT, everything accepted.
Steps Envelope() {
  return {Read(),
          Say("250 ok"),
          Read(),
          Say("250 ok"),
          Read(),
          Say("354 go"),
          ScriptedServer::ReadUntil("\r\n.\r\n"),
          Say("250 queued"),
          Read(),
          Say("221 bye")};
}

struct Smtp {
  Smtp(const ScriptedServer& server, MailSecurity security, bool with_account) {
    MailConnectionSettings& settings = smtp.Settings();
    settings.server = server.address();
    // Nothing here waits for a time-out: a long one keeps a loaded machine from failing them.
    settings.time_out = 10;
    settings.security = security;
    settings.ca_file = test::LoopbackCertificate().file;
    if (with_account) {
      settings.user_name = "visitor";
      settings.password = "secret";
    }
    smtp.SetMailMessage(&message);
    message.Sender().SetAddress("kiosk@tarnwick.test");
    message.Recipients().Add("op@tarnwick.test");
    message.SetSubject("Hello");
    message.Body() = {"body"};
  }
  std::string Ehlo() const { return "EHLO " + smtp.Endpoints().local_host_name + "\r\n"; }
  MailMessage message;
  SmtpClient smtp;
};

TEST(SmtpTls, WhatCameBeforeTheHandshakeIsDroppedAndTheServerAskedAgain) {
  // The server (or someone on the way) pipelines a second EHLO answer offering PLAIN
  // right behind its yes to STARTTLS; over TLS it really offers only LOGIN.
  ScriptedServer server(
      Then({Say("220 mail.test ESMTP"), Read(), Say("250-mail.test\r\n250-STARTTLS\r\n250 HELP"), Read(),
            ScriptedServer::Send("220 Ready to start TLS\r\n250-mail.test\r\n250 AUTH PLAIN\r\n"),
            ScriptedServer::StartTls(), Read(), Say("250-mail.test\r\n250 AUTH LOGIN"), Read(), Say("334 VXNlcm5hbWU6"),
            Read(), Say("334 UGFzc3dvcmQ6"), Read(), Say("235 2.7.0 ok")},
           Envelope()));
  Smtp c(server, MailSecurity::kStartTls, true);
  // By name: the certificate has to carry the name, and the name goes out for SNI.
  c.smtp.Settings().server = "localhost:" + std::to_string(server.port());
  bool sent = false;
  c.smtp.OnMailSent = [&] { sent = true; };
  c.smtp.Send();
  EXPECT_TRUE(sent);
  const std::string transcript = server.Transcript();
  EXPECT_TRUE(transcript.starts_with(c.Ehlo() + "STARTTLS\r\n" + c.Ehlo() + "AUTH LOGIN\r\n" + kUser64 + "\r\n" +
                                     kPassword64 + "\r\nMAIL FROM:<kiosk@tarnwick.test>\r\n"))
      << transcript;
  EXPECT_TRUE(transcript.ends_with("\r\n.\r\nQUIT\r\n"));
}

TEST(SmtpAuth, ConversationsByteByByte) {
  struct Case {
    const char* name;
    const char* offers;
    Steps auth;         // after the EHLO reply
    std::string sent;   // what follows EHLO on the wire
    std::string error;  // empty: the mail goes out
  };
  const std::string quit = "QUIT\r\n";
  const Case cases[] = {
      {"PLAIN with the initial response", "250 AUTH LOGIN PLAIN", Then({Read(), Say("235 ok")}, Envelope()),
       std::string("AUTH PLAIN ") + kPlain64 + "\r\nMAIL FROM:<kiosk@tarnwick.test>\r\n", ""},
      {"LOGIN in the old spelling", "250 AUTH=LOGIN",
       Then({Read(), Say("334 VXNlcm5hbWU6"), Read(), Say("334 UGFzc3dvcmQ6"), Read(), Say("235 ok")}, Envelope()),
       std::string("AUTH LOGIN\r\n") + kUser64 + "\r\n" + kPassword64 + "\r\nMAIL FROM:<kiosk@tarnwick.test>\r\n", ""},
      {"PLAIN refused",
       "250 AUTH PLAIN",
       {Read(), Say("535 5.7.8 Authentication credentials invalid"), Read(), Say("221 bye")},
       std::string("AUTH PLAIN ") + kPlain64 + "\r\n" + quit,
       "535 5.7.8 Authentication credentials invalid"},
      {"LOGIN refused after the password",
       "250 AUTH LOGIN",
       {Read(), Say("334 VXNlcm5hbWU6"), Read(), Say("334 UGFzc3dvcmQ6"), Read(), Say("535 no"), Read(),
        Say("221 bye")},
       std::string("AUTH LOGIN\r\n") + kUser64 + "\r\n" + kPassword64 + "\r\n" + quit,
       "535 no"},
      {"a refusal that repeats the credentials is not shown",
       "250 AUTH PLAIN",
       {Read(), Say(std::string("501 cannot decode AUTH PLAIN ") + kPlain64), Read(), Say("221 bye")},
       std::string("AUTH PLAIN ") + kPlain64 + "\r\n" + quit,
       "501 (the server's reply repeats the log-in data and is not shown)"},
      {"a server that wants more is told to stop",
       "250 AUTH PLAIN",
       {Read(), Say("334 "), Read(), Say("501 cancelled"), Read(), Say("221 bye")},
       std::string("AUTH PLAIN ") + kPlain64 + "\r\n*\r\n" + quit,
       "501 cancelled"},
      {"no mechanism this client knows",
       "250 AUTH CRAM-MD5",
       {Read(), Say("221 bye")},
       quit,
       "The server offers no authentication this client knows (PLAIN or LOGIN)"},
  };
  for (const Case& test_case : cases) {
    SCOPED_TRACE(test_case.name);
    ScriptedServer server(
        Then({Say("220 hi"), Read(), Say(std::string("250-mail.test\r\n") + test_case.offers)}, test_case.auth));
    Smtp c(server, MailSecurity::kNone, true);
    c.smtp.Settings().allow_plain_text_auth = true;
    const std::string error = MessageOf<EMailError>([&] { c.smtp.Send(); });
    EXPECT_EQ(error, test_case.error.empty() ? "no exception" : test_case.error);
    const std::string transcript = server.Transcript();
    EXPECT_TRUE(transcript.starts_with(c.Ehlo() + test_case.sent)) << transcript;
    EXPECT_FALSE(c.smtp.Connected());
  }
}

TEST(SmtpTls, NoPasswordAndNoMailWithoutTheTlsTheSettingsAskFor) {
  struct Case {
    const char* name;
    MailSecurity security;
    bool with_account;
    Steps script;
    std::string error;
    std::string sent;  // everything the client sent
  };
  const Steps no_starttls = {Say("220 hi"), Read(), Say("250-mail.test\r\n250 AUTH PLAIN LOGIN")};
  const Case cases[] = {
      {"security none", MailSecurity::kNone, true, no_starttls,
       "TLS Error - the security mode is none; the password is not sent without TLS", "EHLO"},
      {"STARTTLS when offered, not offered", MailSecurity::kStartTlsIfOffered, true, no_starttls,
       "TLS Error - 127.0.0.1 does not offer STARTTLS; the password is not sent without TLS", "EHLO"},
      {"STARTTLS required, not offered", MailSecurity::kStartTls, false, no_starttls,
       "TLS Error - 127.0.0.1 does not offer STARTTLS", "EHLO"},
      {"STARTTLS required, EHLO refused",
       MailSecurity::kStartTls,
       false,
       {Say("220 hi"), Read(), Say("502 unknown command")},
       "TLS Error - 127.0.0.1 does not offer STARTTLS",
       "EHLO"},
      {"STARTTLS offered, then refused",
       MailSecurity::kStartTlsIfOffered,
       true,
       {Say("220 hi"), Read(), Say("250-mail.test\r\n250 STARTTLS"), Read(), Say("454 TLS not available")},
       "TLS Error - 127.0.0.1 refused STARTTLS: 454 TLS not available",
       "EHLO+STARTTLS"},
  };
  for (const Case& test_case : cases) {
    SCOPED_TRACE(test_case.name);
    ScriptedServer server(test_case.script);
    Smtp c(server, test_case.security, test_case.with_account);
    std::vector<std::string> reported;
    c.smtp.OnError = [&](std::string& msg) { reported.push_back(msg); };
    EXPECT_EQ(MessageOf<ETlsError>([&] { c.smtp.Send(); }), test_case.error);
    EXPECT_EQ(reported, std::vector<std::string>{test_case.error});
    EXPECT_FALSE(c.smtp.Connected());
    // Closed at once: no password, no envelope, not even a QUIT in plain text.
    const std::string expected = test_case.sent == "EHLO" ? c.Ehlo() : c.Ehlo() + "STARTTLS\r\n";
    EXPECT_EQ(server.Transcript(), expected);
  }
}

TEST(SmtpTls, WithoutAnythingRequiredAPlainServerStillGetsTheMail) {
  struct Case {
    const char* name;
    Steps opening;
    std::string sent;
  };
  const Case cases[] = {
      {"EHLO refused: the HELO conversation",
       {Say("220 hi"), Read(), Say("500 what?"), Read(), Say("250 hello")},
       "HELO "},
      {"no STARTTLS offered", {Say("220 hi"), Read(), Say("250-mail.test\r\n250 8BITMIME")}, "MAIL FROM:"},
  };
  for (const Case& test_case : cases) {
    SCOPED_TRACE(test_case.name);
    ScriptedServer server(Then(test_case.opening, Envelope()));
    Smtp c(server, MailSecurity::kStartTlsIfOffered, false);
    c.smtp.Send();
    EXPECT_TRUE(server.Transcript().starts_with(c.Ehlo() + test_case.sent)) << server.Transcript();
  }
}

TEST(MailTls, NeitherAPlainServerNorAnUntrustedCertificateIsTalkedTo) {
  struct Case {
    const char* name;
    Steps script;
    std::string ca_file;
    std::string error;
  };
  const Case cases[] = {
      // The greeting comes after the client's hello: one that came before it would be dropped
      // with what precedes the handshake, and the client would wait for the server to close.
      {"plain text on the TLS port",
       {ScriptedServer::ReadUntil(std::string("\x16\x03", 2)), Say("220 plain server ESMTP")},
       test::LoopbackCertificate().file,
       "TLS Error - the TLS handshake with 127.0.0.1 failed: "},
      {"certificate of no trusted CA",
       {ScriptedServer::StartTls(), Say("220 hi")},
       "",
       "TLS Error - the certificate of 127.0.0.1 is not accepted: self-signed certificate"},
      {"CA file missing", {}, "/nonexistent/ca.pem", "TLS Error - the CA file /nonexistent/ca.pem cannot be read: "},
  };
  for (const Case& test_case : cases) {
    SCOPED_TRACE(test_case.name);
    ScriptedServer server(test_case.script);
    Smtp c(server, MailSecurity::kTls, false);
    c.smtp.Settings().ca_file = test_case.ca_file;
    const std::string error = MessageOf<ETlsError>([&] { c.smtp.Send(); });
    EXPECT_TRUE(error.starts_with(test_case.error)) << error;
    EXPECT_FALSE(c.smtp.Connected());
    EXPECT_EQ(server.Transcript().find("HELO"), std::string::npos);
    EXPECT_EQ(server.Transcript().find("EHLO"), std::string::npos);
  }
}

// A bare connection for the socket layer's own TLS behaviour.
class TlsLineClient : public MailConnection {
 public:
  explicit TlsLineClient(const ScriptedServer& server) : MailConnection({}) {
    Settings().server = server.address();
    Settings().ca_file = test::LoopbackCertificate().file;
    Settings().time_out = 1;
    SetMessagePump([this] {
      ++pumps;
      if (on_pump) on_pump();
    });
  }
  // The line layer, driven by the tests directly.
  using MailConnection::ReadLine;
  using MailConnection::ReadReply;
  using MailConnection::ReceiveToStream;
  using MailConnection::SendLine;
  using MailConnection::SendStream;
  using MailConnection::StartTls;
  int pumps = 0;
  std::function<void()> on_pump;

 protected:
  void Login() override { ConnectSocket(); }
  void Logout() override {}
};

TEST(MailTls, CancelAndTimeOutInTheMiddleOfTheHandshake) {
  for (const bool cancel : {true, false}) {
    SCOPED_TRACE(cancel ? "cancel" : "time-out");
    ScriptedServer server({ScriptedServer::Pause(2500)});  // reads the client's hello, never answers
    TlsLineClient client(server);
    client.Connect();
    if (cancel)
      client.on_pump = [&] {
        if (client.pumps == 5) client.Cancel();
      };
    const auto start = std::chrono::steady_clock::now();
    if (cancel) {
      EXPECT_EQ(MessageOf<ECanceledError>([&] { client.StartTls(); }), "Operation has been canceled");
      EXPECT_EQ(client.pumps, 5);
    } else {
      EXPECT_EQ(MessageOf<ETimedOutError>([&] { client.StartTls(); }), "Operation timed out");
      EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(900));
      EXPECT_GT(client.pumps, 5);  // the wait kept pumping
    }
    EXPECT_FALSE(client.Connected());
    EXPECT_FALSE(client.TlsActive());
    // The client hello went out: the wait was inside the handshake.
    EXPECT_TRUE(server.Received().starts_with("\x16\x03"));
  }
}

TEST(MailTls, LinesAndBulkDataOverTlsAndAServerThatLeftIsASocketError) {
  ScriptedServer server({ScriptedServer::StartTls(), ScriptedServer::Send("250-a\r\n250 b\r\n+OK\r\nline\r\n.\r\n"),
                         Read(), ScriptedServer::Close()});
  TlsLineClient client(server);
  client.Connect();
  client.StartTls();
  EXPECT_TRUE(client.TlsActive());
  EXPECT_EQ(client.ReadReply(), 250);
  EXPECT_EQ(client.ReplyLines(), (std::vector<std::string>{"250-a", "250 b"}));
  std::string line;
  client.ReadLine(line);
  EXPECT_EQ(line, "+OK");
  std::ostringstream data;
  client.ReceiveToStream(data, -1);
  EXPECT_EQ(data.str(), "line\r\n.\r\n");
  client.SendLine("NOOP");
  // Writing on after the server has gone: a socket error, not a signal that ends the program.
  std::istringstream big(std::string(4 << 20, 'x'));
  EXPECT_EQ(MessageOf<ESocketError>([&] { client.SendStream(big); }), "[10054] Connection reset by peer");
  EXPECT_FALSE(client.Connected());
}

struct Pop {
  Pop(const ScriptedServer& server, MailSecurity security) {
    MailConnectionSettings& settings = pop.Settings();
    settings.server = server.address();
    settings.time_out = 10;
    settings.security = security;
    settings.ca_file = test::LoopbackCertificate().file;
    settings.user_name = "visitor";
    settings.password = "secret";
  }
  Pop3Mailbox pop;
};

TEST(Pop3Tls, StlsDropsWhatCameBeforeTheHandshakeAndAsksAgain) {
  ScriptedServer server({Say("+OK ready"), Read(), Say("+OK\r\nSTLS\r\nUSER\r\n."), Read(),
                         ScriptedServer::Send("+OK Begin TLS\r\n+OK\r\nUSER\r\nSASL PLAIN LOGIN\r\n.\r\n"),
                         ScriptedServer::StartTls(), Read(), Say("+OK\r\nUSER\r\n."), Read(), Say("+OK"), Read(),
                         Say("+OK logged in"), Read(), Say("+OK 1 10"), Read(), Say("+OK bye")});
  Pop c(server, MailSecurity::kStartTlsIfOffered);
  c.pop.Connect();
  EXPECT_TRUE(c.pop.TlsActive());
  EXPECT_EQ(c.pop.MessageCount(), 1);
  c.pop.Disconnect();
  // Only the capabilities asked over TLS count: no SASL there, so USER and PASS.
  EXPECT_EQ(server.Transcript(), "CAPA\r\nSTLS\r\nCAPA\r\nUSER visitor\r\nPASS secret\r\nSTAT\r\nQUIT\r\n");
}

TEST(Pop3Tls, LogInOnlyAsTheSettingsAllow) {
  struct Case {
    const char* name;
    MailSecurity security;
    bool allow_plain;
    Steps script;
    std::string error;
    std::string sent;
  };
  const std::string auth = std::string("AUTH PLAIN ") + kPlain64 + "\r\n";
  const Case cases[] = {
      {"security none",
       MailSecurity::kNone,
       false,
       {Say("+OK ready")},
       "TLS Error - the security mode is none; the password is not sent without TLS",
       ""},
      {"STLS when offered, not offered",
       MailSecurity::kStartTlsIfOffered,
       false,
       {Say("+OK ready"), Read(), Say("+OK\r\nUSER\r\n.")},
       "TLS Error - 127.0.0.1 does not offer STLS; the password is not sent without TLS",
       "CAPA\r\n"},
      {"STLS required, not offered",
       MailSecurity::kStartTls,
       false,
       {Say("+OK ready"), Read(), Say("+OK\r\nUSER\r\n.")},
       "TLS Error - 127.0.0.1 does not offer STLS",
       "CAPA\r\n"},
      {"STLS required, no CAPA, STLS refused",
       MailSecurity::kStartTls,
       false,
       {Say("+OK ready"), Read(), Say("-ERR unknown command"), Read(), Say("-ERR not now")},
       "TLS Error - 127.0.0.1 refused STLS: -ERR not now",
       "CAPA\r\nSTLS\r\n"},
      {"AUTH PLAIN refused",
       MailSecurity::kStartTlsIfOffered,
       true,
       {Say("+OK ready"), Read(), Say("+OK\r\nSASL PLAIN\r\n."), Read(), Say("-ERR [AUTH] Authentication failed.")},
       "-ERR [AUTH] Authentication failed.",
       "CAPA\r\n" + auth},
      {"a refusal that repeats the password",
       MailSecurity::kNone,
       true,
       {Say("+OK ready"), Read(), Say("+OK"), Read(), Say("-ERR wrong password secret")},
       "-ERR (the server's reply repeats the log-in data and is not shown)",
       "USER visitor\r\nPASS secret\r\n"},
  };
  for (const Case& test_case : cases) {
    SCOPED_TRACE(test_case.name);
    ScriptedServer server(test_case.script);
    Pop c(server, test_case.security);
    c.pop.Settings().allow_plain_text_auth = test_case.allow_plain;
    EXPECT_EQ(MessageOf<EMailError>([&] { c.pop.UpdateInfo(); }), test_case.error);
    EXPECT_FALSE(c.pop.Connected());
    EXPECT_EQ(server.Transcript(), test_case.sent);
  }
}

}  // namespace
}  // namespace tw
