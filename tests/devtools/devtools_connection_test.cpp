// The protocol connection against a scripted browser: whatever order and cutting the
// browser's bytes arrive in, each call gets exactly one answer and events reach their handlers.
#include "devtools/devtools_connection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tw {
namespace {

using namespace std::chrono_literals;
using Clock = DevToolsConnection::Clock;

struct Recorder {
  std::vector<std::string> sent;
  std::vector<std::string> answers;  // "id:ok:<result>" or "id:err:<code>:<text>"
  std::vector<std::string> events;
  DevToolsConnection connection{[this](std::string_view bytes) { sent.emplace_back(bytes); }, 200};

  int Call(const char* method, std::string_view session = {}, Clock::duration timeout = 10s) {
    const int id = static_cast<int>(sent.size()) + 1;
    return connection.Call(method, {{"x", 1}}, session, timeout, [this, id](const DevToolsReply& reply) {
      answers.push_back(std::to_string(id) + (reply.ok
                                                  ? ":ok:" + reply.result.dump()
                                                  : ":err:" + std::to_string(reply.error_code) + ":" + reply.error));
    });
  }
};

TEST(DevToolsConnection, CallsAreFramedWithIdsAndSessions) {
  Recorder r;
  EXPECT_EQ(r.Call("Browser.getVersion"), 1);
  EXPECT_EQ(r.Call("Page.navigate", "S1"), 2);
  ASSERT_EQ(r.sent.size(), 2u);
  EXPECT_EQ(r.sent[0], std::string(R"({"id":1,"method":"Browser.getVersion","params":{"x":1}})") + '\0');
  EXPECT_EQ(r.sent[1], std::string(R"({"id":2,"method":"Page.navigate","params":{"x":1},"sessionId":"S1"})") + '\0');
}

TEST(DevToolsConnection, WhatTheBrowserSendsIsCheckedAndAnsweredOnce) {
  struct Case {
    const char* name;
    std::vector<std::string> chunks;  // bytes as the pipe hands them over
    std::vector<std::string> answers;
    std::vector<std::string> events;
    std::size_t dropped;
  };
  const std::string z(1, '\0');
  const std::vector<Case> cases = {
      {"one reply in one read", {R"({"id":1,"result":{"v":7}})" + z}, {"1:ok:{\"v\":7}"}, {}, 0},
      {"a reply cut in three reads", {R"({"id":1,"res)", R"(ult":{"v":)", "8}}" + z}, {"1:ok:{\"v\":8}"}, {}, 0},
      {"two replies and an event in one read, out of order",
       {R"({"id":2,"result":{}})" + z + R"({"method":"Page.loadEventFired","params":{"t":1},"sessionId":"S"})" + z +
        R"({"id":1,"error":{"code":-32000,"message":"Cannot navigate"}})" + z},
       {"2:ok:{}", "1:err:-32000:Cannot navigate"},
       {"Page.loadEventFired S {\"t\":1}"},
       0},
      {"garbage, wrong shapes and unknown ids are dropped, the stream goes on",
       {"not json" + z, "[1,2]" + z, R"({"id":"1","result":{}})" + z, R"({"id":99,"result":{}})" + z,
        R"({"id":4294967297,"result":{}})" + z, R"({"method":7})" + z, R"({"id":1,"result":{"v":1}})" + z},
       {"1:ok:{\"v\":1}"},
       {},
       6},
      {"a reply with neither result nor error fails the call",
       {R"({"id":2})" + z},
       {"2:err:0:a reply with neither result nor error"},
       {},
       0},
      {"an error with code 0 is still the browser's error",
       {R"({"id":1,"error":{"code":0}})" + z},
       {"1:err:-1:error without text"},
       {},
       0},
      {"a message past the limit closes the connection and fails every call",
       {std::string(150, 'a'), std::string(100, 'b')},
       {"1:err:0:the browser sent a message longer than the limit",
        "2:err:0:the browser sent a message longer than the limit"},
       {},
       0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Recorder r;
    r.connection.On("Page.loadEventFired", [&r](const nlohmann::json& params, const std::string& session) {
      r.events.push_back("Page.loadEventFired " + session + " " + params.dump());
    });
    r.Call("A");
    r.Call("B");
    for (const auto& chunk : c.chunks) r.connection.Receive(chunk);
    EXPECT_EQ(r.answers, c.answers);
    EXPECT_EQ(r.events, c.events);
    EXPECT_EQ(r.connection.DroppedMessages(), c.dropped);
  }
}

TEST(DevToolsConnection, TimeLimitsCloseAndReentrantCalls) {
  Recorder r;
  const auto start = Clock::now();
  r.Call("Slow", {}, 1s);
  r.Call("Slower", {}, 5s);
  ASSERT_TRUE(r.connection.NextDeadline().has_value());
  EXPECT_LE(*r.connection.NextDeadline(), start + 2s);
  r.connection.ExpireCalls(start + 3s);
  EXPECT_EQ(r.answers, (std::vector<std::string>{"1:err:0:no reply within the time limit"}));
  // A late reply to the expired call is dropped, not delivered twice.
  r.connection.Receive(std::string(R"({"id":1,"result":{}})") + '\0');
  EXPECT_EQ(r.answers.size(), 1u);
  EXPECT_EQ(r.connection.DroppedMessages(), 1u);

  // A handler that calls again while being answered, then the connection closes.
  bool chained = false;
  r.connection.Call("First", {}, {}, 5s, [&](const DevToolsReply&) {
    r.connection.Call("Second", {}, {}, 5s, [&](const DevToolsReply& reply) { chained = !reply.ok; });
  });
  r.connection.Receive(std::string(R"({"id":3,"result":{}})") + '\0');
  r.connection.Close("the browser ended");
  EXPECT_TRUE(chained);
  EXPECT_EQ(r.answers.back(), "2:err:0:the browser ended");
  EXPECT_EQ(r.connection.PendingCalls(), 0u);
  // After closing, a call fails at once with the same reason.
  r.Call("Late");
  EXPECT_EQ(r.answers.back(), "5:err:0:the browser ended");
}

}  // namespace
}  // namespace tw
