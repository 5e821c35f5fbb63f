#include "mail/mail_connection.h"

#include <netdb.h>

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>

#include "client_test_util.h"
#include "mail/mail_strings.h"
#include "scripted_server.h"

namespace tw {
namespace {

using test::ScriptedServer;

// The smallest protocol client: Login only connects. Its port is 2626 unless the
// service is in the services database or the server names a port.
class LineClient : public MailConnection {
 public:
  explicit LineClient(std::string service = "tarnwick-no-such-service")
      : MailConnection({std::move(service), 2626, "", 0}) {
    Settings().time_out = 1;
    SetMessagePump([this] {
      ++pumps;
      if (on_pump) on_pump();
    });
    OnError = [this](std::string& msg) { errors.push_back(msg); };
  }
  void Open() override {
    Reset();
    MailConnection::Open();
  }
  // The line layer, driven by the tests directly.
  using MailConnection::ConnectSocket;
  using MailConnection::ReadLine;
  using MailConnection::ReadReply;
  using MailConnection::ReceiveToStream;
  using MailConnection::ReplyCode;
  using MailConnection::SendLine;
  using MailConnection::SendStream;
  int pumps = 0;
  std::function<void()> on_pump;
  std::vector<std::string> errors;

 protected:
  void Login() override { ConnectSocket(); }
  void Logout() override {}
};

using test::MessageOf;

TEST(MailStrings, TextsAndErrorMapping) {
  EXPECT_EQ(SocketErrorText(10061), "[10061] Connection refused");
  EXPECT_EQ(SocketErrorText(11001), "[11001] Host not found");
  EXPECT_EQ(SocketErrorText(57008), "You have to connect to the server first");
  EXPECT_EQ(SocketErrorText(4242), "Error #4242");
  EXPECT_EQ(SocketErrorFromErrno(ECONNREFUSED), 10061);
  EXPECT_EQ(SocketErrorFromErrno(ECONNRESET), 10054);
  EXPECT_EQ(SocketErrorFromErrno(EPIPE), 10054);
  EXPECT_EQ(SocketErrorFromErrno(ETIMEDOUT), 10060);
  EXPECT_EQ(SocketErrorFromErrno(EHOSTUNREACH), 10065);
  EXPECT_EQ(SocketErrorFromResolver(EAI_NONAME, 0), 11001);
  EXPECT_EQ(SocketErrorFromResolver(EAI_AGAIN, 0), 11002);
  EXPECT_EQ(SocketErrorFromResolver(EAI_FAIL, 0), 11003);
  EXPECT_EQ(SocketErrorFromResolver(EAI_SYSTEM, ECONNREFUSED), 10061);
}

TEST(MailBase, ReplyCodeTakesTheFirstThreeCharacters) {
  LineClient client;
  const std::pair<const char*, int> cases[] = {
      {"250 OK", 250}, {"250-more", 250}, {"354", 354}, {"25", 25},  {"", -1},
      {"abc", -1},     {"2x0 no", -1},    {" 250", -1}, {"+OK", -1},
  };
  for (const auto& [line, code] : cases) EXPECT_EQ(client.ReplyCode(line), code) << line;
}

TEST(MailBase, ServerPortAndServiceFallback) {
  const servent* smtp = ::getservbyname("smtp", "tcp");
  struct Case {
    const char* server;
    const char* service;
    int port;
  };
  const Case cases[] = {
      {"127.0.0.1:2525", "tarnwick-no-such-service", 2525},  {"127.0.0.1:0", "tarnwick-no-such-service", 2626},
      {"127.0.0.1:abc", "tarnwick-no-such-service", 2626},   {"127.0.0.1:25x", "tarnwick-no-such-service", 2626},
      {"127.0.0.1:70000", "tarnwick-no-such-service", 2626}, {"127.0.0.1:", "tarnwick-no-such-service", 2626},
      {"127.0.0.1", "tarnwick-no-such-service", 2626},       {"127.0.0.1:0", "smtp", smtp ? 25 : 2626},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.server);
    LineClient client(c.service);
    client.Settings().server = c.server;
    client.Open();
    EXPECT_TRUE(client.Connected());
    EXPECT_EQ(client.Endpoints().port, c.port);
    EXPECT_EQ(client.Endpoints().remote_address, "127.0.0.1");
  }
}

TEST(MailBase, UseServerTakesTheOperatorsSettingsButKeepsTheTimeOut) {
  MailServerSettings server;
  server.address = "mail.example.org:587";
  server.security = MailSecurity::kStartTls;
  server.user_name = "kiosk";
  server.password = "secret";
  server.ca_file = "/etc/tarnwick/ca.pem";
  server.allow_plain_text_auth = true;
  LineClient client;
  client.Settings().time_out = 7;
  client.UseServer(server);
  MailConnectionSettings expected;
  expected.server = "mail.example.org:587";
  expected.security = MailSecurity::kStartTls;
  expected.user_name = "kiosk";
  expected.password = "secret";
  expected.ca_file = "/etc/tarnwick/ca.pem";
  expected.allow_plain_text_auth = true;
  expected.time_out = 7;
  EXPECT_EQ(client.Settings(), expected);
}

TEST(MailBase, DottedAddressNeedsNoLookupButNamesDo) {
  LineClient dotted;
  dotted.Settings().server = "127.0.0.1:25";
  dotted.Open();
  EXPECT_EQ(dotted.pumps, 0);  // nothing was waited for
  EXPECT_FALSE(dotted.Endpoints().local_host_name.empty());

  LineClient named;
  named.Settings().server = "localhost:25";
  named.Open();
  EXPECT_GE(named.pumps, 1);
  EXPECT_EQ(named.Endpoints().remote_address, "127.0.0.1");
}

TEST(MailBase, OpenChecksItsProperties) {
  LineClient client;
  EXPECT_EQ(MessageOf<ESocketError>([&] { client.Open(); }), "Server property is required");
  LineClient no_service("");
  no_service.Settings().server = "127.0.0.1";
  EXPECT_EQ(MessageOf<ESocketError>([&] { no_service.Open(); }), "Service name is required");
  LineClient unopened;
  std::string line;
  const std::string not_connected = "You have to connect to the server first";
  EXPECT_EQ(MessageOf<ESocketError>([&] { unopened.ReadLine(line); }), not_connected);
  EXPECT_EQ(MessageOf<ESocketError>([&] { unopened.SendLine("NOOP"); }), not_connected);
  EXPECT_EQ(MessageOf<ESocketError>([&] { unopened.ConnectSocket(); }), not_connected);
}

TEST(MailBase, UnknownHostIsReported) {
  LineClient client;
  client.Settings().server = "no-such-host.invalid:25";
  EXPECT_EQ(MessageOf<ESocketError>([&] { client.Connect(); }), "[11001] Host not found");
  EXPECT_EQ(client.errors, std::vector<std::string>{"[11001] Host not found"});
  EXPECT_FALSE(client.Connected());
}

TEST(MailBase, RefusedConnectionIsReported) {
  LineClient client;
  client.Settings().server = "127.0.0.1:" + std::to_string(ScriptedServer::UnusedPort());
  EXPECT_EQ(MessageOf<ESocketError>([&] { client.Connect(); }), "[10061] Connection refused");
}

TEST(MailBase, SilentServerTimesOutAndClosesTheSocket) {
  ScriptedServer server({}, /*accept=*/false);
  LineClient client;
  client.Settings().server = server.address();
  int closed = 0;
  client.OnClosed = [&] { ++closed; };
  client.Connect();
  const auto start = std::chrono::steady_clock::now();
  std::string line;
  EXPECT_EQ(MessageOf<ETimedOutError>([&] { client.ReadLine(line); }), "Operation timed out");
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(900));
  EXPECT_FALSE(client.Connected());
  EXPECT_EQ(closed, 1);
  EXPECT_GT(client.pumps, 5);  // the wait kept pumping
}

TEST(MailBase, CancelFromThePumpEndsTheWait) {
  ScriptedServer server({ScriptedServer::Pause(3000)});
  LineClient client;
  client.Settings().server = server.address();
  client.Connect();
  int canceled = 0;
  client.OnCancel = [&] { ++canceled; };
  client.on_pump = [&] {
    if (client.pumps == 3) client.Cancel();
  };
  std::string line;
  EXPECT_EQ(MessageOf<ECanceledError>([&] { client.ReadLine(line); }), "Operation has been canceled");
  EXPECT_FALSE(client.Connected());
  EXPECT_EQ(canceled, 1);
  EXPECT_EQ(client.errors, std::vector<std::string>{"Operation has been canceled"});
}

TEST(MailBase, CancelDuringTheHostLookup) {
  LineClient client;
  client.Settings().server = "localhost:25";
  client.on_pump = [&] { client.Cancel(); };
  EXPECT_EQ(MessageOf<ECanceledError>([&] { client.Connect(); }), "Operation has been canceled");
  EXPECT_FALSE(client.Connected());
}

TEST(MailBase, OnErrorRewritesOnlySocketErrors) {
  LineClient client;
  client.OnError = [](std::string& msg) { msg = "rewritten: " + msg; };
  client.Settings().server = "127.0.0.1:" + std::to_string(ScriptedServer::UnusedPort());
  EXPECT_EQ(MessageOf<ESocketError>([&] { client.Connect(); }), "rewritten: [10061] Connection refused");

  ScriptedServer server({}, /*accept=*/false);
  LineClient slow;
  slow.OnError = [](std::string& msg) { msg = "rewritten"; };
  slow.Settings().server = server.address();
  slow.Connect();
  std::string line;
  EXPECT_EQ(MessageOf<ETimedOutError>([&] { slow.ReadLine(line); }), "Operation timed out");
}

TEST(MailBase, MultiLineReplyAndLineEnds) {
  ScriptedServer server({
      ScriptedServer::Send("250-first\r\n250-second\r\n250 last\r\n"),
      ScriptedServer::Send("220 lf only\n"),
      ScriptedServer::Send("221 many ends\r\r\n\r\n"),
      ScriptedServer::Send("500-a\r\n500 b\r\n"),
      ScriptedServer::Send("550 partial"),
      ScriptedServer::Close(),
  });
  LineClient client;
  client.Settings().server = server.address();
  client.Connect();
  EXPECT_EQ(client.ReadReply(), 250);
  EXPECT_EQ(client.LastReply(), "250 last");
  std::string line;
  EXPECT_EQ(client.ReadLine(line), 220);
  EXPECT_EQ(line, "220 lf only");
  EXPECT_EQ(client.ReadLine(line), 221);
  EXPECT_EQ(line, "221 many ends");
  EXPECT_EQ(client.ReadLine(line), -1);  // the empty line after the stripped ends
  EXPECT_EQ(line, "");
  EXPECT_EQ(client.ReadReply(), 500);
  EXPECT_EQ(client.LastReply(), "500 b");
  // The peer closes in the middle of a line.
  EXPECT_EQ(client.ReadLine(line), -1);
  EXPECT_EQ(line, "");
}

TEST(MailBase, RepliesSplitIntoSingleBytes) {
  std::vector<ScriptedServer::Step> script;
  for (char c : std::string("250-a\r\n250 b\r\n")) {
    script.push_back(ScriptedServer::Send(std::string(1, c)));
    script.push_back(ScriptedServer::Pause(2));
  }
  ScriptedServer server(script);
  LineClient client;
  client.Settings().server = server.address();
  client.Connect();
  EXPECT_EQ(client.ReadReply(), 250);
  EXPECT_EQ(client.LastReply(), "250 b");
}

TEST(MailBase, TimeOutCoversAWholeLineButEachBulkBlock) {
  // A line that takes longer than the time-out times out although bytes keep arriving.
  std::vector<ScriptedServer::Step> trickle;
  for (int i = 0; i < 12; ++i) {
    trickle.push_back(ScriptedServer::Send("x"));
    trickle.push_back(ScriptedServer::Pause(150));
  }
  trickle.push_back(ScriptedServer::Send("\r\n"));
  ScriptedServer slow_line(trickle);
  LineClient client;
  client.Settings().server = slow_line.address();
  client.Connect();
  std::string line;
  EXPECT_EQ(MessageOf<ETimedOutError>([&] { client.ReadLine(line); }), "Operation timed out");

  // Bulk data whose blocks come closer together than the time-out arrives whole.
  ScriptedServer slow_blocks({ScriptedServer::Send("block 1\r\n"), ScriptedServer::Pause(600),
                              ScriptedServer::Send("block 2\r\n"), ScriptedServer::Pause(600),
                              ScriptedServer::Send("block 3\r\n.\r\n")});
  LineClient bulk;
  bulk.Settings().server = slow_blocks.address();
  bulk.Connect();
  std::ostringstream received;
  bulk.ReceiveToStream(received, -1);
  EXPECT_EQ(received.str(), "block 1\r\nblock 2\r\nblock 3\r\n.\r\n");
}

TEST(MailBase, SendLineWritesExactlyOneLine) {
  ScriptedServer server({ScriptedServer::ReadLine(), ScriptedServer::ReadLine()});
  LineClient client;
  client.Settings().server = server.address();
  client.Connect();
  client.SendLine("");
  client.SendLine("HELO host");
  for (const char* bad : {"RCPT TO:<a@b>\r\nRCPT TO:<c@d>", "x\ny", "x\r"}) {
    EXPECT_EQ(MessageOf<ESocketError>([&] { client.SendLine(bad); }), "A command line must not contain a line break");
  }
  client.Close();
  EXPECT_EQ(server.Transcript(), "\r\nHELO host\r\n");
}

TEST(MailBase, ReplyLineLimit) {
  const std::string longest(MailConnection::kLineBufferSize - 2, 'x');
  ScriptedServer server({ScriptedServer::Send(longest + "\r\n" + std::string(1500, 'y') + "\r\n")});
  LineClient client;
  client.Settings().server = server.address();
  client.Connect();
  std::string line;
  EXPECT_EQ(client.ReadLine(line), -1);
  EXPECT_EQ(line, longest);
  EXPECT_EQ(MessageOf<ESocketError>([&] { client.ReadLine(line); }),
            "The server's reply line is longer than 1024 bytes");
  EXPECT_FALSE(client.Connected());
}

TEST(MailBase, ResetByPeerClosesTheSocket) {
  ScriptedServer server({ScriptedServer::ReadLine(), ScriptedServer::Reset()});
  LineClient client;
  client.Settings().server = server.address();
  client.Connect();
  client.SendLine("QUIT");
  std::string line;
  EXPECT_EQ(MessageOf<ESocketError>([&] { client.ReadLine(line); }), "[10054] Connection reset by peer");
  EXPECT_FALSE(client.Connected());
}

TEST(MailBase, ReceiveToStreamTakesNothingBeforeTheStatusLineEnds) {
  ScriptedServer server({
      ScriptedServer::Send("+OK 12 octets\r\nline one\r\n..stuffed\r"),
      ScriptedServer::Pause(50),
      ScriptedServer::Send("\n."),
      ScriptedServer::Pause(50),
      ScriptedServer::Send("\r\n"),
      ScriptedServer::ReadLine(),
      ScriptedServer::Send("+OK\r\n.\r\n"),
  });
  LineClient client;
  client.Settings().server = server.address();
  client.Connect();
  std::vector<std::pair<int, long long>> progress;
  client.OnProgress = [&](int perc, long long transferred) { progress.emplace_back(perc, transferred); };
  std::string line;
  EXPECT_EQ(client.ReadLine(line), -1);
  EXPECT_EQ(line, "+OK 12 octets");
  std::ostringstream message;
  client.ReceiveToStream(message, 30);
  EXPECT_EQ(message.str(), "line one\r\n..stuffed\r\n.\r\n");
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.back(), (std::pair<int, long long>{80, 24}));
  // An empty listing: the terminator right after the status line.
  client.SendLine("LIST");
  EXPECT_EQ(client.ReadLine(line), -1);
  EXPECT_EQ(line, "+OK");
  std::ostringstream empty;
  client.ReceiveToStream(empty, -1);
  EXPECT_EQ(empty.str(), ".\r\n");
  EXPECT_EQ(progress.back().first, -1);
}

TEST(MailBase, ReceiveToStreamFailsWhenThePeerClosesEarly) {
  ScriptedServer server({ScriptedServer::Send("half a message\r\n"), ScriptedServer::Close()});
  LineClient client;
  client.Settings().server = server.address();
  client.Connect();
  std::ostringstream message;
  EXPECT_EQ(MessageOf<ESocketError>([&] { client.ReceiveToStream(message, -1); }), "[10054] Connection reset by peer");
  EXPECT_EQ(message.str(), "half a message\r\n");
}

TEST(MailBase, SendStreamSendsEverythingInBlocks) {
  std::string data;
  for (int i = 0; data.size() < 5000; ++i) data += "line " + std::to_string(i) + "\r\n";
  data.resize(5000);
  ScriptedServer server({});
  LineClient client;
  client.Settings().server = server.address();
  client.Connect();
  std::vector<std::pair<int, long long>> progress;
  client.OnProgress = [&](int perc, long long transferred) { progress.emplace_back(perc, transferred); };
  std::istringstream stream(data);
  stream.seekg(100);  // sent from the start whatever the position
  client.SendStream(stream);
  client.Close();
  EXPECT_EQ(server.Transcript(), data);
  const std::vector<std::pair<int, long long>> expected = {{41, 2047}, {82, 4094}, {100, 5000}, {0, 0}};
  EXPECT_EQ(progress, expected);
}

TEST(MailBase, ConnectAndDisconnectRunTheTemplate) {
  ScriptedServer server({ScriptedServer::Send("220 hi\r\n")});
  LineClient client;
  client.Settings().server = server.address();
  std::vector<std::string> events;
  client.OnOpen = [&] { events.push_back("open"); };
  client.OnClosing = [&] { events.push_back("closing"); };
  client.OnClosed = [&] { events.push_back("closed"); };
  client.Connect();
  client.Connect();  // already connected: nothing happens
  EXPECT_EQ(client.ReadReply(), 220);
  client.Disconnect();
  client.Disconnect();
  EXPECT_EQ(events, (std::vector<std::string>{"open", "closing", "closed"}));
  EXPECT_TRUE(server.Accepted());
}

}  // namespace
}  // namespace tw
