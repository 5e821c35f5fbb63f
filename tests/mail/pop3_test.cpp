#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "client_test_util.h"
#include "mail/pop3_mailbox.h"
#include "scripted_server.h"
#include "support/temp_dir.h"

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
// Greeting, USER, PASS, STAT with the given answer.
Steps LogIn(const std::string& stat) {
  return {Say("+OK POP3 ready"), Read(), Say("+OK"), Read(), Say("+OK logged in"), Read(), Say(stat)};
}
Steps Quit() { return {Read(), Say("+OK bye")}; }
const char kLogInSent[] = "USER visitor\r\nPASS secret\r\nSTAT\r\n";

struct Client {
  explicit Client(const ScriptedServer& server) {
    MailConnectionSettings& settings = pop.Settings();
    settings.server = server.address();
    settings.time_out = 2;
    settings.user_name = "visitor";
    settings.password = "secret";
    // The plain-text conversation; the TLS one is tested in tls_test.cpp.
    settings.allow_plain_text_auth = true;
  }
  Pop3Mailbox pop;
};

TEST(Pop3, ReplyCodeIsTheSign) {
  struct Signs : Pop3Mailbox {
    using Pop3Client::ReplyCode;
  } pop;
  const std::pair<const char*, int> cases[] = {{"+OK", 1}, {"+", 1}, {"-ERR no", -1}, {"", 0}, {"250 OK", 0}};
  for (const auto& [line, code] : cases) EXPECT_EQ(pop.ReplyCode(line), code) << line;
}

TEST(Pop3, StatAndListReplies) {
  struct StatCase {
    const char* reply;
    std::optional<StatCounts> counts;  // nullopt: unchanged
    bool error;
  };
  const StatCase stat_cases[] = {
      {"+OK 3 1200", StatCounts{3, 1200}, false},
      {"+OK 0 0", StatCounts{0, 0}, false},
      {"+OK 2 320 extra words", StatCounts{2, 320}, false},
      {"+OK", std::nullopt, false},
      {"+OK 5", std::nullopt, false},
      {"+OK three 1200", std::nullopt, true},
      {"+OK 3 ", std::nullopt, true},
      {"+OK -1 10", std::nullopt, true},
      {"+OK 1 -10", std::nullopt, true},
      {"+OK 99999999999 10", std::nullopt, true},
  };
  for (const StatCase& c : stat_cases) {
    SCOPED_TRACE(c.reply);
    if (c.error) {
      EXPECT_EQ(MessageOf<EServerError>([&] { ParseStatReply(c.reply); }), c.reply);
      continue;
    }
    const std::optional<StatCounts> counts = ParseStatReply(c.reply);
    ASSERT_EQ(counts.has_value(), c.counts.has_value());
    if (counts) {
      EXPECT_EQ(counts->count, c.counts->count);
      EXPECT_EQ(counts->size, c.counts->size);
    }
  }
  const std::pair<const char*, long long> list_cases[] = {
      {"+OK 1 320", 320}, {"+OK 1 320 octets", 320}, {"+OK 1", 0}, {"+OK 1 big", 0}, {"+OK 1 -4", 0}, {"", 0},
  };
  for (const auto& [reply, size] : list_cases) EXPECT_EQ(ParseListSize(reply), size) << reply;
}

TEST(Pop3, UpdateInfoListsEveryMessageInOrder) {
  Steps script = LogIn("+OK 3 1200");
  for (int n = 1; n <= 3; ++n) {
    const std::string size = std::to_string(100 * n);
    script = Then(script, {Read(), Say("+OK " + std::to_string(n) + " " + size), Read(), Say("+OK top follows"),
                           Say("Subject: message " + std::to_string(n)), Say("X-Long: first"), Say(" continued"),
                           Say(""), Say("the body line"), Say(".")});
  }
  ScriptedServer server(Then(script, Quit()));
  Client c(server);
  std::vector<std::string> events;
  c.pop.OnUpdatingInfo = [&] { events.push_back("updating"); };
  c.pop.OnNextInfoUpdated = [&](int n) { events.push_back("item " + std::to_string(n)); };
  c.pop.OnInfoUpdated = [&] { events.push_back("updated"); };
  c.pop.UpdateInfo();

  EXPECT_EQ(server.Transcript(),
            std::string(kLogInSent) + "LIST 1\r\nTOP 1 1\r\nLIST 2\r\nTOP 2 1\r\nLIST 3\r\nTOP 3 1\r\nQUIT\r\n");
  EXPECT_EQ(events, (std::vector<std::string>{"updating", "item 0", "item 1", "item 2", "updated"}));
  EXPECT_EQ(c.pop.MessageCount(), 3);
  EXPECT_EQ(c.pop.MailboxSize(), 1200);
  ASSERT_EQ(c.pop.Info().Count(), 3u);
  EXPECT_EQ(c.pop.Info().Item(1).size, 200);
  EXPECT_EQ(c.pop.Info().Item(2).headers.Lines(),
            (std::vector<std::string>{"Subject: message 3", "X-Long: first", " continued"}));
  EXPECT_FALSE(c.pop.Connected());
}

TEST(Pop3, EmptyMailboxSendsNoListOrTop) {
  ScriptedServer server(Then(LogIn("+OK 0 0"), Quit()));
  Client c(server);
  c.pop.Info().Add({});
  c.pop.UpdateInfo();
  EXPECT_EQ(server.Transcript(), std::string(kLogInSent) + "QUIT\r\n");
  EXPECT_EQ(c.pop.Info().Count(), 0u);
  EXPECT_EQ(c.pop.MessageCount(), 0);
}

TEST(Pop3, RefusedLogInClosesAtOnceWithTheServersLineAndTheStepRefused) {
  using Step = ELoginRefusedError::Step;
  struct Case {
    const char* name;
    Steps script;
    std::string error;
    std::optional<Step> step;  // for a refused log-in: which step
  };
  const Case cases[] = {
      {"greeting", {Say("-ERR busy")}, "-ERR busy", std::nullopt},
      {"user", {Say("+OK"), Read(), Say("-ERR who?")}, "-ERR who?", Step::kUser},
      {"password",
       {Say("+OK"), Read(), Say("+OK"), Read(), Say("-ERR [AUTH] Authentication failed.")},
       "-ERR [AUTH] Authentication failed.",
       Step::kPassword},
      {"stat", Then({Say("+OK"), Read(), Say("+OK"), Read(), Say("+OK")}, {Read(), Say("-ERR locked")}), "-ERR locked",
       std::nullopt},
      {"stat that does not convert", LogIn("+OK three 1200"), "+OK three 1200", std::nullopt},
  };
  for (const Case& test_case : cases) {
    SCOPED_TRACE(test_case.name);
    ScriptedServer server(test_case.script);
    Client c(server);
    std::optional<Step> step;
    EXPECT_EQ(MessageOf<EServerError>([&] {
                try {
                  c.pop.UpdateInfo();
                } catch (const ELoginRefusedError& e) {
                  step = e.step();
                  throw;
                }
              }),
              test_case.error);
    EXPECT_EQ(step, test_case.step);
    EXPECT_FALSE(c.pop.Connected());
    EXPECT_EQ(server.Transcript().find("QUIT"), std::string::npos);
  }
}

TEST(Pop3, OpenChecksUserAndPassword) {
  Pop3Mailbox pop;
  pop.Settings().server = "127.0.0.1:1";
  EXPECT_EQ(MessageOf<ESocketError>([&] { pop.Connect(); }), "UserName property is required");
  pop.Settings().user_name = "visitor";
  EXPECT_EQ(MessageOf<ESocketError>([&] { pop.Connect(); }), "Password property is required");
  EXPECT_FALSE(pop.Connected());
}

const char kStuffedMessage[] =
    "Subject: dots\r\n\r\n"
    "..\r\n"
    "...two\r\n"
    "a . inside\r\n"
    ".\r\n";

TEST(Pop3, RetrieveUnstuffsAndWritesTheFileThenDeletes) {
  ScriptedServer server(
      Then(Then(LogIn("+OK 2 500"), {Read(), Say("+OK 2 44"), Read(), Say("+OK message follows"),
                                     ScriptedServer::Send(kStuffedMessage), Read(), Say("+OK marked")}),
           Quit()));
  test::TempDir dir;
  Client c(server);
  c.pop.SetMessageDirectory(dir.path());
  EXPECT_EQ(c.pop.MessageDirectory().back(), '/');
  std::vector<std::string> events;
  c.pop.OnRetrieving = [&](int n) { events.push_back("retrieving " + std::to_string(n)); };
  c.pop.OnRetrieved = [&](int n) { events.push_back("retrieved " + std::to_string(n)); };
  c.pop.OnDeleting = [&](int n) { events.push_back("deleting " + std::to_string(n)); };
  std::vector<int> percents;
  c.pop.OnProgress = [&](int perc, long long) { percents.push_back(perc); };
  c.pop.Connect();
  c.pop.RetrieveMessage(1);
  c.pop.DeleteMessage(1);
  EXPECT_EQ(c.pop.LastReply(), "+OK marked");
  c.pop.Disconnect();

  EXPECT_EQ(server.Transcript(), std::string(kLogInSent) + "LIST 2\r\nRETR 2\r\nDELE 2\r\nQUIT\r\n");
  EXPECT_EQ(events, (std::vector<std::string>{"retrieving 1", "retrieved 1", "deleting 1"}));
  ASSERT_FALSE(percents.empty());
  EXPECT_EQ(percents.back(), 100);  // 44 octets of 44
  std::ifstream file(dir.File("msg_1.eml"), std::ios::binary);
  std::stringstream contents;
  contents << file.rdbuf();
  EXPECT_EQ(contents.str(), "Subject: dots\r\n\r\n.\r\n..two\r\na . inside\r\n.\r\n");
}

TEST(Pop3, RetrieveToTheEventWritesNoFile) {
  ScriptedServer server(Then(Then(LogIn("+OK 1 10"), {Read(), Say("+OK 1 10"), Read(), Say("+OK"),
                                                      ScriptedServer::Send("A: b\r\n\r\n..x\r\n.\r\n")}),
                             Quit()));
  test::TempDir dir;
  Client c(server);
  c.pop.SetMessageDirectory(dir.path());
  std::vector<std::pair<int, std::string>> saved;
  c.pop.OnUserMessageSave = [&](int n, const std::string& text) { saved.emplace_back(n, text); };
  c.pop.Connect();
  c.pop.RetrieveMessage(0);
  c.pop.Disconnect();
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_EQ(saved[0], std::make_pair(0, std::string("A: b\r\n\r\n.x\r\n.\r\n")));
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(Pop3, NegativeRetrieveAndDeleteReplies) {
  ScriptedServer server(Then(
      Then(LogIn("+OK 1 10"), {Read(), Say("-ERR no such message"), Read(), Say("-ERR already deleted")}), Quit()));
  Client c(server);
  c.pop.Connect();
  EXPECT_EQ(MessageOf<EServerError>([&] { c.pop.RetrieveMessage(4); }), "-ERR no such message");
  c.pop.DeleteMessage(0);  // a refused DELE is only kept as the last reply
  EXPECT_EQ(c.pop.LastReply(), "-ERR already deleted");
  c.pop.Disconnect();
  EXPECT_EQ(server.Transcript(), std::string(kLogInSent) + "LIST 5\r\nDELE 1\r\nQUIT\r\n");
}

TEST(Pop3, CancelDuringRetrieveSendsNoQuit) {
  ScriptedServer server(
      Then(LogIn("+OK 1 100000"),
           {Read(), Say("+OK 1 100000"), Read(), Say("+OK"),
            ScriptedServer::Send("Subject: long\r\n\r\n" + std::string(5000, 'x')), ScriptedServer::Pause(500)}));
  Client c(server);
  c.pop.Settings().time_out = 5;
  c.pop.OnProgress = [&](int, long long) { c.pop.Cancel(); };
  bool retrieved = false;
  c.pop.OnRetrieved = [&](int) { retrieved = true; };
  c.pop.Connect();
  EXPECT_EQ(MessageOf<ECanceledError>([&] { c.pop.RetrieveMessage(0); }), "Operation has been canceled");
  c.pop.Disconnect();
  EXPECT_FALSE(retrieved);
  EXPECT_FALSE(c.pop.Connected());
  EXPECT_EQ(server.Transcript(), std::string(kLogInSent) + "LIST 1\r\nRETR 1\r\n");
}

TEST(Pop3, FetchInfoReportsWhetherUidlIsSupported) {
  ScriptedServer server(
      Then(LogIn("+OK 2 20"), {Read(), Say("+OK 1 whqtswO00WBw418f9t5JxYwZ"), Read(), Say("-ERR unknown command")}));
  Client c(server);
  c.pop.Connect();
  Pop3MessageInfo item;
  EXPECT_TRUE(c.pop.FetchInfo(0, item, false, true));
  EXPECT_EQ(item.unique_id, "whqtswO00WBw418f9t5JxYwZ");
  EXPECT_FALSE(c.pop.FetchInfo(1, item, false, true));
  EXPECT_EQ(item.unique_id, "");
  EXPECT_TRUE(server.Received().ends_with("UIDL 1\r\nUIDL 2\r\n"));
}

TEST(Pop3, ServerThatHangsUpIsANetworkError) {
  ScriptedServer server({Say("+OK"), Read(), ScriptedServer::Close()});
  Client c(server);
  EXPECT_EQ(MessageOf<ESocketError>([&] { c.pop.UpdateInfo(); }), "[10054] Connection reset by peer");
  EXPECT_FALSE(c.pop.Connected());
}

}  // namespace
}  // namespace tw
