#include "mail/smtp_client.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "client_test_util.h"
#include "mail/mail_message.h"
#include "message_test_util.h"
#include "scripted_server.h"

namespace tw {
namespace {

using test::MessageOf;
using test::ScriptedServer;
using Steps = std::vector<ScriptedServer::Step>;

ScriptedServer::Step Say(std::string line) { return ScriptedServer::Send(line + "\r\n"); }
ScriptedServer::Step Read() { return ScriptedServer::ReadLine(); }
ScriptedServer::Step ReadData() { return ScriptedServer::ReadUntil("\r\n.\r\n"); }

// Greeting and HELO accepted at once.
Steps Hello() { return {Say("220 test ESMTP"), Read(), Say("250 hello")}; }
Steps Then(Steps a, const Steps& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}
Steps Quit() { return {Read(), Say("221 bye")}; }

struct Client {
  explicit Client(const ScriptedServer& server) {
    smtp.Settings().server = server.address();
    smtp.Settings().time_out = 2;
    smtp.SetMailMessage(&message);
    message.SetBoundarySource(test::FixedBoundaries());
    message.Sender().SetAddress("kiosk@tarnwick.test");
    message.Sender().SetName("Kiosk");
    message.Recipients().Add("op@tarnwick.test", "Operator");
    message.SetSubject("Hello");
    message.Body() = {"first line", ".", ".starts with a dot", "last"};
  }
  std::string Helo() const { return "HELO " + smtp.Endpoints().local_host_name + "\r\n"; }
  MailMessage message;
  SmtpClient smtp;
};

TEST(Smtp, WholeConversationWithHeloRetryAndRepeatedRecipient) {
  ScriptedServer server(
      Then({Say("220-test.example welcome"), Say("220-more text"), Say("220 ready"), Read(), Say("501 unknown host"),
            Read(), Say("250 hello"), Read(), Say("250 sender ok"), Read(), Say("250 rcpt ok"), Read(),
            Say("250 rcpt ok"), Read(), Say("250 rcpt ok"), Read(), Say("354 go ahead"), ReadData(), Say("250 queued")},
           Quit()));
  Client c(server);
  c.message.CC().Add("op@tarnwick.test");
  c.message.BCC().Add("audit@tarnwick.test");
  std::vector<std::string> events;
  c.smtp.OnPrepare = [&] { events.push_back("prepare"); };
  c.smtp.OnSending = [&] { events.push_back("sending"); };
  c.smtp.OnMailSent = [&] { events.push_back("sent"); };
  std::string temp_file;
  c.smtp.OnProgress = [&](int, long long) {
    if (temp_file.empty()) temp_file = c.smtp.TempFileName();
  };
  c.smtp.Send();

  const std::string data = test::Save(c.message);
  EXPECT_NE(data.find("\r\n..\r\n..starts with a dot\r\n"), std::string::npos) << data;
  EXPECT_EQ(server.Transcript(), c.Helo() + "HELO\r\n" +
                                     "MAIL FROM:<kiosk@tarnwick.test>\r\n"
                                     "RCPT TO:<op@tarnwick.test>\r\n"
                                     "RCPT TO:<op@tarnwick.test>\r\n"
                                     "RCPT TO:<audit@tarnwick.test>\r\n"
                                     "DATA\r\n" +
                                     data + ".\r\nQUIT\r\n");
  // The text ends its last line itself: "." follows with no empty line, which a reader
  // would take as part of the message.
  ASSERT_TRUE(data.ends_with("\r\nlast\r\n")) << data;
  EXPECT_EQ(events, (std::vector<std::string>{"prepare", "sending", "sent"}));
  EXPECT_FALSE(c.smtp.Connected());
  EXPECT_EQ(c.smtp.LastReply(), "221 bye");
  ASSERT_FALSE(temp_file.empty());
  EXPECT_FALSE(std::filesystem::exists(temp_file));
}

TEST(Smtp, ServerRepliesThatEndTheSend) {
  struct Case {
    const char* name;
    Steps script;
    std::string error;
    std::string transcript_end;  // what the client sent last
  };
  const Case cases[] = {
      {"greeting refused", Then({Say("554 no service")}, Quit()), "554 no service", "QUIT\r\n"},
      {"both HELO forms refused", Then({Say("220 hi"), Read(), Say("501 no"), Read(), Say("502 never")}, Quit()),
       "502 never", "HELO\r\nQUIT\r\n"},
      {"sender refused", Then(Then(Hello(), {Read(), Say("553 Invalid address syntax")}), Quit()),
       "553 Invalid address syntax", "MAIL FROM:<kiosk@tarnwick.test>\r\nQUIT\r\n"},
      {"recipient refused", Then(Then(Hello(), {Read(), Say("250 ok"), Read(), Say("550 no such user")}), Quit()),
       "550 no such user", "RCPT TO:<op@tarnwick.test>\r\nQUIT\r\n"},
      {"DATA answered with 250",
       Then(Then(Hello(), {Read(), Say("250 ok"), Read(), Say("250 ok"), Read(), Say("250 ok")}), Quit()), "250 ok",
       "DATA\r\nQUIT\r\n"},
      {"message refused",
       Then(Then(Hello(),
                 {Read(), Say("250 ok"), Read(), Say("250 ok"), Read(), Say("354 go"), ReadData(), Say("554 spam")}),
            Quit()),
       "554 spam", "\r\n.\r\nQUIT\r\n"},
  };
  for (const Case& test_case : cases) {
    SCOPED_TRACE(test_case.name);
    ScriptedServer server(test_case.script);
    Client c(server);
    std::string temp_file;
    c.smtp.OnSending = [&] { temp_file = c.smtp.TempFileName(); };
    EXPECT_EQ(MessageOf<EServerError>([&] { c.smtp.Send(); }), test_case.error);
    EXPECT_FALSE(c.smtp.Connected());
    const std::string transcript = server.Transcript();
    EXPECT_TRUE(transcript.ends_with(test_case.transcript_end)) << transcript;
    if (!temp_file.empty()) {
      EXPECT_FALSE(std::filesystem::exists(temp_file));
    }
  }
}

TEST(Smtp, RejectedRecipientMayBeSkipped) {
  ScriptedServer server(Then(Then(Hello(), {Read(), Say("250 ok"), Read(), Say("550 mailbox unavailable"), Read(),
                                            Say("250 ok"), Read(), Say("354 go"), ReadData(), Say("250 queued")}),
                             Quit()));
  Client c(server);
  c.message.CC().Add("second@tarnwick.test");
  std::vector<std::string> rejected;
  c.smtp.OnAddressRejected = [&](const std::string& address, const std::string& reply, bool& proceed) {
    rejected.push_back(address + " / " + reply);
    proceed = true;
  };
  bool sent = false;
  c.smtp.OnMailSent = [&] { sent = true; };
  c.smtp.Send();
  EXPECT_TRUE(sent);
  EXPECT_EQ(rejected, std::vector<std::string>{"op@tarnwick.test / 550 mailbox unavailable"});
  EXPECT_NE(server.Transcript().find("RCPT TO:<second@tarnwick.test>\r\nDATA\r\n"), std::string::npos);
}

TEST(Smtp, HandlerThatLeavesProceedFalseStopsTheSend) {
  ScriptedServer server(Then(Then(Hello(), {Read(), Say("250 ok"), Read(), Say("550 nobody")}), Quit()));
  Client c(server);
  c.message.CC().Add("second@tarnwick.test");
  int calls = 0;
  c.smtp.OnAddressRejected = [&](const std::string&, const std::string&, bool&) { ++calls; };
  EXPECT_EQ(MessageOf<EServerError>([&] { c.smtp.Send(); }), "550 nobody");
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(server.Transcript().find("second@"), std::string::npos);
}

TEST(Smtp, MessageChecksComeBeforeTheEnvelope) {
  struct Case {
    const char* name;
    std::function<void(Client&)> change;
    std::string error;
  };
  const Case cases[] = {
      {"no message", [](Client& c) { c.smtp.SetMailMessage(nullptr); }, "MailMessage property must be assigned"},
      {"no sender", [](Client& c) { c.message.Sender().SetAddress(""); }, "The address of sender is required"},
      {"no recipient", [](Client& c) { c.message.Recipients().Clear(); },
       "At least one Recipient, CC or BCC must be entered"},
  };
  for (const Case& test_case : cases) {
    SCOPED_TRACE(test_case.name);
    ScriptedServer server(Then(Hello(), Quit()));
    Client c(server);
    test_case.change(c);
    EXPECT_EQ(MessageOf<EMailError>([&] { c.smtp.Send(); }), test_case.error);
    EXPECT_EQ(server.Transcript(), c.Helo() + "QUIT\r\n");
  }
  SmtpClient no_server;
  EXPECT_EQ(MessageOf<ESocketError>([&] { no_server.Send(); }), "Server property is required");
}

TEST(Smtp, ServerThatHangsUpIsANetworkError) {
  ScriptedServer server(Then(Hello(), {Read(), ScriptedServer::Close()}));
  Client c(server);
  EXPECT_EQ(MessageOf<ESocketError>([&] { c.smtp.Send(); }), "[10054] Connection reset by peer");
  EXPECT_FALSE(c.smtp.Connected());
}

TEST(Smtp, RepliesArrivingByteByByte) {
  Steps script;
  for (char c : std::string("220-first\r\n220 second\r\n")) {
    script.push_back(ScriptedServer::Send(std::string(1, c)));
    script.push_back(ScriptedServer::Pause(2));
  }
  script = Then(Then(script, {Read(), Say("250 hello")}), Quit());
  ScriptedServer server(script);
  Client c(server);
  c.smtp.Connect();
  EXPECT_EQ(c.smtp.LastReply(), "250 hello");
  c.smtp.Disconnect();
  EXPECT_EQ(server.Transcript(), c.Helo() + "QUIT\r\n");
}

TEST(Smtp, RefusedConnection) {
  SmtpClient smtp;
  smtp.Settings().server = "127.0.0.1:" + std::to_string(ScriptedServer::UnusedPort());
  EXPECT_EQ(MessageOf<ESocketError>([&] { smtp.Send(); }), "[10061] Connection refused");
  EXPECT_FALSE(smtp.Connected());
}

}  // namespace
}  // namespace tw
