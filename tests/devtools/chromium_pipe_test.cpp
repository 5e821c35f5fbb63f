// The control layer against the real browser: started on its pipes, asked for its version,
// a page driven through a session, stopped; and a program that does not exist.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <variant>

#include "devtools/child_process.h"
#include "devtools/pipe_channel.h"

namespace tw {
namespace {

using namespace std::chrono_literals;
using Clock = DevToolsConnection::Clock;

bool OnPath(const std::string& program) {
  return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

DevToolsReply CallAndWait(PipeChannel& channel, const char* method, nlohmann::json params,
                          const std::string& session = {}) {
  DevToolsReply answer;
  bool answered = false;
  channel.Connection().Call(method, std::move(params), session, 20s, [&](const DevToolsReply& reply) {
    answer = reply;
    answered = true;
  });
  channel.WaitFor([&] { return answered; }, Clock::now() + 30s);
  if (!answered) answer.error = "no answer";
  return answer;
}

TEST(ChildProcess, AProgramThatDoesNotExistGivesTheSystemsErrorNumber) {
  for (const char* program : {"/nonexistent/browser", "no-such-browser-program"}) {
    const auto started = StartWithControlPipes({program, "--version"});
    ASSERT_TRUE(std::holds_alternative<int>(started)) << program;
    EXPECT_EQ(std::get<int>(started), 2) << program;
  }
}

TEST(ChildProcess, AProgramThatIgnoresTermIsKilledAndReaped) {
  const auto started = StartWithControlPipes({"sh", "-c", "trap '' TERM; while :; do sleep 1; done"});
  ASSERT_TRUE(std::holds_alternative<PipedChild>(started));
  const PipedChild child = std::get<PipedChild>(started);
  PipeChannel channel(child);
  usleep(200 * 1000);  // let the shell set its trap
  EXPECT_EQ(StopChild(child.pid, 300ms), ChildEnd::kKilled);
  EXPECT_EQ(StopChild(child.pid, 300ms), ChildEnd::kAlreadyGone);
}

// Whether the process exists and has not ended (an orphan that ended stays a zombie until
// the system's first process reaps it).
bool Running(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(stat, line)) return false;
  const auto name_end = line.rfind(')');
  return name_end != std::string::npos && line.size() > name_end + 2 && line[name_end + 2] != 'Z';
}

// Helpers that outlive the program in its own process group: waited for, then killed.
TEST(ChildProcess, HelpersLeftInTheProcessGroupAreEnded) {
  for (const bool helper_ends : {true, false}) {
    const char* helper = helper_ends ? "sleep 0.3" : "trap '' TERM; sleep 60";
    const auto started =
        StartWithControlPipes({"sh", "-c", std::string("sh -c \"") + helper + "\" & echo $! >&4; wait"}, {}, true);
    ASSERT_TRUE(std::holds_alternative<PipedChild>(started));
    const PipedChild child = std::get<PipedChild>(started);
    char pid_text[32] = {};
    pollfd ready{child.from_child, POLLIN, 0};
    ASSERT_EQ(::poll(&ready, 1, 5000), 1);
    ASSERT_GT(::read(child.from_child, pid_text, sizeof pid_text - 1), 0);
    const pid_t helper_pid = std::atoi(pid_text);
    StopChild(child.pid, 300ms);
    EXPECT_EQ(EndProcessGroup(child.pid, 1000ms), helper_ends) << helper;
    EXPECT_FALSE(Running(helper_pid)) << helper;
    ::close(child.to_child);
    ::close(child.from_child);
  }
}

TEST(ChromiumPipe, VersionAPageSessionAndAStop) {
  if (!OnPath("chromium")) GTEST_SKIP() << "chromium is not installed";
  const auto profile = std::filesystem::temp_directory_path() / ("tw-devtools-" + std::to_string(getpid()));
  std::vector<std::string> argv = {
      "chromium",   "--headless", "--remote-debugging-pipe", "--no-first-run", "--user-data-dir=" + profile.string(),
      "about:blank"};
  if (geteuid() == 0) argv.insert(argv.begin() + 1, "--no-sandbox");  // the browser refuses root otherwise
  const auto started = StartWithControlPipes(argv);
  ASSERT_TRUE(std::holds_alternative<PipedChild>(started)) << "error " << std::get<int>(started);
  const PipedChild child = std::get<PipedChild>(started);
  {
    PipeChannel channel(child);
    const DevToolsReply version = CallAndWait(channel, "Browser.getVersion", {});
    ASSERT_TRUE(version.ok) << version.error;
    EXPECT_NE(version.result.value("product", "").find("Chrome/"), std::string::npos) << version.result.dump();

    const DevToolsReply target = CallAndWait(channel, "Target.createTarget", {{"url", "about:blank"}});
    ASSERT_TRUE(target.ok) << target.error;
    const DevToolsReply attached = CallAndWait(channel, "Target.attachToTarget",
                                               {{"targetId", target.result.value("targetId", "")}, {"flatten", true}});
    ASSERT_TRUE(attached.ok) << attached.error;
    const std::string session = attached.result.value("sessionId", "");
    bool loaded = false;
    channel.Connection().On("Page.loadEventFired", [&](const nlohmann::json&, const std::string& from) {
      loaded = loaded || from == session;
    });
    ASSERT_TRUE(CallAndWait(channel, "Page.enable", {}, session).ok);
    ASSERT_TRUE(CallAndWait(channel, "Page.navigate", {{"url", "data:text/html,<title>piped</title>"}}, session).ok);
    EXPECT_TRUE(channel.WaitFor([&] { return loaded; }, Clock::now() + 20s));
    const DevToolsReply title =
        CallAndWait(channel, "Runtime.evaluate", {{"expression", "document.title"}, {"returnByValue", true}}, session);
    ASSERT_TRUE(title.ok) << title.error;
    EXPECT_EQ(title.result["result"].value("value", ""), "piped");
    EXPECT_EQ(channel.Connection().DroppedMessages(), 0u);
  }
  EXPECT_EQ(StopChild(child.pid, 10s), ChildEnd::kEndedOnTerm);
  std::error_code ignored;  // the browser's helper processes may still be writing for a moment
  std::filesystem::remove_all(profile, ignored);
}

}  // namespace
}  // namespace tw
