// The external browser's page against the real browser (headless) and a loopback web
// server: whichever way a page tries to leave for an address the browser would hand to
// another program, the kiosk hears of it first and the page stays; new windows never
// open; ordinary navigation goes on and is reported.
#include "kiosk/browser/external/external_browser_page.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <variant>
#include <vector>

#include "devtools/child_process.h"
#include "devtools/pipe_channel.h"
#include "kiosk/browser/page_scroll_script.h"
#include "kiosk/browser/navigation_policy.h"

namespace tw {
namespace {

using namespace std::chrono_literals;
using Clock = DevToolsConnection::Clock;

// Pages for the test, served on loopback: /redirect answers with a redirect to a command.
class LoopbackWebServer {
 public:
  LoopbackWebServer() {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t size = sizeof address;
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
    port_ = ntohs(address.sin_port);
    ::listen(listener_, 16);
    thread_ = std::thread([this] { Serve(); });
  }
  ~LoopbackWebServer() {
    ::shutdown(listener_, SHUT_RDWR);
    ::close(listener_);
    thread_.join();
  }
  std::string Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }

 private:
  void Serve() {
    for (;;) {
      const int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
      if (client < 0) return;
      timeval limit{5, 0};
      ::setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
      char buffer[4096];
      const ssize_t got = ::recv(client, buffer, sizeof buffer, 0);
      const std::string request(buffer, got > 0 ? static_cast<std::size_t>(got) : 0);
      const auto path_end = request.find(' ', 4);
      const std::string path =
          request.rfind("GET ", 0) == 0 && path_end != std::string::npos ? request.substr(4, path_end - 4) : "";
      std::string reply;
      if (path == "/redirect") {
        reply = "HTTP/1.1 302 Found\r\nLocation: tw-command:logo?pw\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
      } else {
        const std::string body = Page(path);
        reply = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " + std::to_string(body.size()) +
                "\r\nConnection: close\r\n\r\n" + body;
      }
      ::send(client, reply.data(), reply.size(), MSG_NOSIGNAL);
      ::close(client);
    }
  }
  static std::string Page(const std::string& path) {
    if (path == "/meta") return R"(<meta http-equiv="refresh" content="0;url=tw-command:show?pw">)";
    if (path == "/other") return "<title>other</title>other page";
    // The start page behind a script that replaces every built-in a guard in the page's
    // own world could rely on, before anything else of the page runs.
    if (path == "/poisoned") {
      return "<script>"
             "Event.prototype.preventDefault = function () {};"
             "Event.prototype.stopPropagation = function () {};"
             "EventTarget.prototype.addEventListener = function () {};"
             "EventTarget.prototype.dispatchEvent = function () { return true; };"
             "JSON.stringify = function () { return '{}'; }; JSON.parse = function () { return {}; };"
             "String.prototype.toLowerCase = function () { return 'x'; };"
             "URL = function () { throw new Error('poisoned'); };"
             "window.CustomEvent = function () {};"
             "Function.prototype.call = function () {}; Function.prototype.apply = function () {};"
             "Function.prototype.bind = function () { return function () {}; };"
             "</script>" +
             Page("/start");
    }
    if (path == "/long") {
      return "<title>long</title><body style=\"margin:0\"><div style=\"height:5000px\">tall</div>"
             "<input id=\"field\" style=\"position:absolute;top:100px\"></body>";
    }
    auto at = [](int top) {
      return "style=\"position:absolute;left:10px;top:" + std::to_string(top) + "px;font:20px sans-serif\"";
    };
    return "<title>start</title><body style=\"margin:0\">"
           "<a id=\"command\" href=\"tw-command:print?pw\" " +
           at(0) +
           ">command</a>"
           "<button id=\"script\" onclick=\"location='tw-command:start?pw'\" " +
           at(40) +
           ">script</button>"
           "<form action=\"tw-command:email?pw\" " +
           at(80) +
           "><input name=\"q\" value=\"x\"><button id=\"form\">go</button></form>"
           "<a id=\"redirect\" href=\"/redirect\" " +
           at(120) +
           ">redirect</a>"
           "<a id=\"meta\" href=\"/meta\" " +
           at(160) +
           ">meta</a>"
           "<a id=\"window\" href=\"/other\" target=\"_blank\" " +
           at(200) +
           ">window</a>"
           "<button id=\"open\" onclick=\"window.open('mailto:a@b.org')\" " +
           at(240) +
           ">open</button>"
           "<a id=\"other\" href=\"/other\" " +
           at(280) +
           ">other</a>"
           "<iframe id=\"frame\" srcdoc=\"<a id=f href='tw-command:back?pw' style='font:20px sans-serif'>frame</a>\" "
           "style=\"position:absolute;left:300px;top:0;width:200px;height:60px;border:0\"></iframe></body>";
  }

  int listener_ = -1;
  int port_ = 0;
  std::thread thread_;
};

// The kiosk's side, with its real scheme rule: records what it was asked and cancels what
// the rule refuses and what the kiosk acts on itself (commands, mail), as its loop does.
class RecordingEvents : public BrowserEvents {
 public:
  void BrowserStarted() override {}
  std::vector<std::string> asked;  // "url main|frame allowed|cancelled"
  std::vector<std::string> windows;
  std::vector<std::string> completed;
  bool back_enabled = false;

  void BeforeNavigate(const std::string& url, bool main_frame, bool& cancel) override {
    cancel = policy_.Check(url, main_frame) != NavigationVerdict::kAllow || url.rfind("tw-command:", 0) == 0 ||
             url.rfind("mailto:", 0) == 0;
    asked.push_back(url + (main_frame ? " main " : " frame ") + (cancel ? "cancelled" : "allowed"));
  }
  void NavigateComplete(const std::string& url) override { completed.push_back(url); }
  void BrowserPageShown(const std::string& url) override { shown_own.push_back(url); }
  std::vector<std::string> shown_own;
  void NewWindow(const std::string& url, bool& cancel) override {
    windows.push_back(url);
    cancel = true;
  }
  void CommandStateChange(BrowserCommand command, bool enable) override {
    if (command == BrowserCommand::kBack) back_enabled = enable;
  }
  void NavigateError(const std::string&, const std::string&) override {}
  void NavigationRefused(const std::string&) override {}
  void PageCrashed(const std::string&, const std::string&) override {}
  void DownloadBegin() override {}
  void DownloadComplete() override {}
  BrowserDialogAnswer BrowserDialog(BrowserDialogKind kind, const std::string&) override {
    dialogs.push_back(kind);
    return BrowserDialogAnswer::kCancel;
  }
  void BrowserNote(const std::string& line) override { notes.push_back(line); }
  std::vector<BrowserDialogKind> dialogs;
  std::vector<std::string> notes;
  void PrintFailed() override {}
  void CloseKioskQuestions() override {}

 private:
  NavigationPolicy policy_{{{}, true, "/nowhere", {}}};
};

bool Has(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class ExternalBrowserPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::system("command -v chromium >/dev/null 2>&1") != 0) GTEST_SKIP() << "chromium is not installed";
    profile_ = std::filesystem::temp_directory_path() / ("tw-external-" + std::to_string(getpid()));
    std::vector<std::string> argv = {
        "chromium",   "--headless", "--remote-debugging-pipe", "--no-first-run", "--user-data-dir=" + profile_.string(),
        "about:blank"};
    if (geteuid() == 0) argv.insert(argv.begin() + 1, "--no-sandbox");
    const auto started = StartWithControlPipes(argv);
    ASSERT_TRUE(std::holds_alternative<PipedChild>(started));
    child_ = std::get<PipedChild>(started);
    channel_ = std::make_unique<PipeChannel>(child_);
    page_ = std::make_unique<ExternalBrowserPage>(channel_->Connection(), events_);
    std::string target;
    bool answered = false;
    channel_->Connection().Call("Target.getTargets", {}, {}, 20s, [&](const DevToolsReply& reply) {
      for (const auto& info : reply.result.value("targetInfos", nlohmann::json::array())) {
        if (info.value("type", "") == "page") target = info.value("targetId", "");
      }
      answered = true;
    });
    ASSERT_TRUE(Wait([&] { return answered; }));
    ASSERT_FALSE(target.empty());
    bool ready = false;
    std::string error = "no answer";
    page_->Attach(target, [&](bool ok, const std::string& why) {
      ready = ok;
      error = why;
    });
    ASSERT_TRUE(Wait([&] { return ready || error != "no answer"; }));
    ASSERT_TRUE(ready) << error;
  }
  void TearDown() override {
    page_.reset();
    channel_.reset();
    if (child_.pid > 0) StopChild(child_.pid, 10s);
    // The browser's helper processes may still be writing their last files for a moment.
    std::error_code ignored;
    if (!profile_.empty()) std::filesystem::remove_all(profile_, ignored);
  }
  template <typename Done>
  bool Wait(Done done, Clock::duration limit = 20s) {
    return channel_->WaitFor(done, Clock::now() + limit);
  }
  nlohmann::json Evaluate(const std::string& expression) {
    nlohmann::json value;
    bool answered = false;
    channel_->Connection().Call("Runtime.evaluate", {{"expression", expression}, {"returnByValue", true}}, Session(),
                                20s, [&](const DevToolsReply& reply) {
                                  value = reply.ok ? reply.result["result"].value("value", nlohmann::json())
                                                   : nlohmann::json();
                                  answered = true;
                                });
    Wait([&] { return answered; });
    return value;
  }
  std::string Session() const { return page_->Session(); }
  void Load(const std::string& url) {
    events_.completed.clear();
    page_->Navigate(url);
    ASSERT_TRUE(Wait([&] { return Has(events_.completed, url); })) << url;
  }
  void Click(const std::string& id, int x_offset = 0) {
    const auto box = Evaluate("(() => { const r = document.getElementById('" + id +
                              "').getBoundingClientRect(); return [r.x + r.width / 2, r.y + r.height / 2]; })()");
    ASSERT_TRUE(box.is_array()) << id;
    for (const char* type : {"mousePressed", "mouseReleased"}) {
      bool done = false;
      channel_->Connection().Call("Input.dispatchMouseEvent",
                                  {{"type", type},
                                   {"x", box[0].get<double>() + x_offset},
                                   {"y", box[1].get<double>()},
                                   {"button", "left"},
                                   {"clickCount", 1}},
                                  Session(), 20s, [&](const DevToolsReply&) { done = true; });
      Wait([&] { return done; });
    }
  }

  LoopbackWebServer server_;
  RecordingEvents events_;
  PipedChild child_;
  std::unique_ptr<PipeChannel> channel_;
  std::unique_ptr<ExternalBrowserPage> page_;
  std::filesystem::path profile_;
};

TEST_F(ExternalBrowserPageTest, EveryWayOutReachesTheKioskAndThePageStays) {
  for (const char* page : {"/start", "/poisoned"}) {
    SCOPED_TRACE(page);
    const std::string start = server_.Url(page);
    Load(start);
    struct Case {
      const char* element;
      std::string asked;
    };
    const std::vector<Case> cases = {
        {"command", "tw-command:print?pw main cancelled"}, {"script", "tw-command:start?pw main cancelled"},
        {"form", "tw-command:email?q=x main cancelled"},   {"redirect", "tw-command:logo?pw main cancelled"},
        {"meta", "tw-command:show?pw main cancelled"},
    };
    for (const auto& c : cases) {
      SCOPED_TRACE(c.element);
      Load(start);
      events_.asked.clear();
      Click(c.element);
      EXPECT_TRUE(Wait([&] { return Has(events_.asked, c.asked); }, 10s)) << ::testing::PrintToString(events_.asked);
      if (std::string(c.element) == "meta") continue;  // the refresh tag's own page stays
      EXPECT_EQ(Evaluate("location.href"), start);
    }
    // New windows: a link into one and a script's window.open; none opens, and a script's
    // window.open without the visitor's click or key is not even asked about.
    Load(start);
    events_.windows.clear();
    Evaluate("window.open('/other?unasked'); 1");
    Click("window");
    Click("open");
    EXPECT_TRUE(Wait([&] { return events_.windows.size() >= 2; }, 10s)) << ::testing::PrintToString(events_.windows);
    EXPECT_TRUE(Has(events_.windows, server_.Url("/other")));
    EXPECT_TRUE(Has(events_.windows, "mailto:a@b.org"));
    EXPECT_FALSE(Has(events_.windows, server_.Url("/other?unasked")));
    EXPECT_EQ(Evaluate("location.href"), start);
    // A frame's link is asked about as a frame's.
    events_.asked.clear();
    EXPECT_EQ(
        Evaluate(
            "(() => { document.getElementById('frame').contentDocument.getElementById('f').click(); return 1; })()"),
        1);
    EXPECT_TRUE(Wait([&] { return Has(events_.asked, "tw-command:back?pw frame cancelled"); }, 10s))
        << ::testing::PrintToString(events_.asked);
    // An ordinary link is allowed, loads and is reported; Back becomes possible.
    events_.asked.clear();
    events_.completed.clear();
    Click("other");
    EXPECT_TRUE(Wait([&] { return Has(events_.completed, server_.Url("/other")); }, 10s));
    EXPECT_TRUE(Has(events_.asked, server_.Url("/other") + " main allowed"));
    EXPECT_TRUE(Wait([&] { return events_.back_enabled; }, 10s));
    // The page never reaches the kiosk's binding (and so cannot speak for the guard).
    Load(start);
    EXPECT_EQ(Evaluate("typeof globalThis['__twKioskNavigate']"), "undefined");
  }
}

// What else could lead out goes to the kiosk: a frame a script makes for a command, the
// page's questions (printing, a permission, the whole screen), and a window of the
// browser's own, which is closed.
TEST_F(ExternalBrowserPageTest, FramesQuestionsAndTheBrowsersOwnWindowsGoToTheKiosk) {
  Load(server_.Url("/start"));
  events_.asked.clear();
  EXPECT_EQ(Evaluate("(() => { const f = document.createElement('iframe'); f.src = 'tw-command:custom1?pw';"
                     " document.body.appendChild(f); return f.src; })()"),
            "about:blank");
  EXPECT_TRUE(Wait([&] { return Has(events_.asked, "tw-command:custom1?pw frame cancelled"); }, 10s))
      << ::testing::PrintToString(events_.asked);
  Evaluate("window.print(); Notification.requestPermission(); document.body.requestFullscreen().catch(() => {}); 1");
  const auto asked_of_kiosk = [&](BrowserDialogKind kind) {
    return std::find(events_.dialogs.begin(), events_.dialogs.end(), kind) != events_.dialogs.end();
  };
  EXPECT_TRUE(Wait(
      [&] {
        return asked_of_kiosk(BrowserDialogKind::kPrintRequest) &&
               asked_of_kiosk(BrowserDialogKind::kPermissionRequest) &&
               asked_of_kiosk(BrowserDialogKind::kFullScreenRequest);
      },
      10s));
  // Full screen reached however the page's world is passed by (here a world of the test's
  // own, where the built-ins are the browser's): left at once and refused all the same.
  events_.dialogs.clear();
  std::string frame;
  channel_->Connection().Call("Page.getFrameTree", {}, Session(), 20s, [&](const DevToolsReply& reply) {
    frame = reply.ok ? reply.result["frameTree"]["frame"].value("id", "") : "failed";
  });
  ASSERT_TRUE(Wait([&] { return !frame.empty(); }));
  int world = 0;
  channel_->Connection().Call(
      "Page.createIsolatedWorld", {{"frameId", frame}, {"worldName", "test"}}, Session(), 20s,
      [&](const DevToolsReply& reply) { world = reply.ok ? reply.result.value("executionContextId", -1) : -1; });
  ASSERT_TRUE(Wait([&] { return world != 0; }));
  ASSERT_GT(world, 0);
  nlohmann::json full;
  channel_->Connection().Call(
      "Runtime.evaluate",
      {{"expression", "document.body.requestFullscreen().then(() => 'full', (e) => 'refused ' + e.message)"},
       {"contextId", world},
       {"userGesture", true},
       {"awaitPromise", true},
       {"returnByValue", true}},
      Session(), 20s, [&](const DevToolsReply& reply) {
        full = reply.ok ? reply.result["result"].value("value", nlohmann::json("no value")) : "no answer";
      });
  ASSERT_TRUE(Wait([&] { return !full.is_null(); }));
  EXPECT_TRUE(Wait([&] { return asked_of_kiosk(BrowserDialogKind::kFullScreenRequest); }, 10s)) << full;
  EXPECT_TRUE(Wait([&] { return Evaluate("document.fullscreenElement === null") == true; }, 10s));
  std::string opened;
  channel_->Connection().Call(
      "Target.createTarget", {{"url", "about:blank"}}, {}, 20s,
      [&](const DevToolsReply& reply) { opened = reply.ok ? reply.result.value("targetId", "") : "failed"; });
  ASSERT_TRUE(Wait([&] { return !opened.empty(); }));
  EXPECT_TRUE(Wait([&] { return Has(events_.notes, "Browser Window Detected - Closed"); }, 10s));
  // Closed: the browser no longer lists it.
  bool gone = false;
  for (int attempt = 0; attempt < 20 && !gone; ++attempt) {
    bool answered = false;
    channel_->Connection().Call("Target.getTargets", {}, {}, 20s, [&](const DevToolsReply& reply) {
      gone = reply.ok;
      for (const auto& info : reply.result.value("targetInfos", nlohmann::json::array())) {
        if (info.value("targetId", "") == opened) gone = false;
      }
      answered = true;
    });
    Wait([&] { return answered; });
    if (!gone) std::this_thread::sleep_for(250ms);
  }
  EXPECT_TRUE(gone);
  // The page's own window closed (by a key of the browser's that got through, say): the
  // host is told, to bring a new one at once.
  bool closed = false;
  page_->OnPageClosed = [&] { closed = true; };
  std::string page_target;
  channel_->Connection().Call("Target.getTargets", {}, {}, 20s, [&](const DevToolsReply& reply) {
    for (const auto& info : reply.result.value("targetInfos", nlohmann::json::array())) {
      if (info.value("type", "") == "page") page_target = info.value("targetId", "");
    }
  });
  ASSERT_TRUE(Wait([&] { return !page_target.empty(); }));
  channel_->Connection().Call("Target.closeTarget", {{"targetId", page_target}}, {}, 20s, [](const DevToolsReply&) {});
  EXPECT_TRUE(Wait([&] { return closed; }, 10s));
}

// The side-panel arrows on the external browser's page: one line down, the answer says the
// page scrolls up and down only and where the focused field now is.
TEST_F(ExternalBrowserPageTest, TheArrowsScrollThePageWithTheFocus) {
  struct Answers : PageScrollAnswers {
    std::vector<PageScrollAnswer> got;
    void PageScrollAnswered(const PageScrollAnswer& answer) override { got.push_back(answer); }
  } answers;
  Load(server_.Url("/long"));
  EXPECT_EQ(Evaluate("(() => { document.getElementById('field').focus(); return 1; })()"), 1);
  page_->ScrollFocusedPage(ScrollDirection::kDown, answers);
  EXPECT_TRUE(page_->ScrollPending());
  page_->ScrollFocusedPage(ScrollDirection::kDown, answers);  // ignored: one at a time
  ASSERT_TRUE(Wait([&] { return !answers.got.empty(); }, 10s));
  EXPECT_FALSE(page_->ScrollPending());
  ASSERT_EQ(answers.got.size(), 1u);
  EXPECT_TRUE(answers.got[0].vertical);
  EXPECT_FALSE(answers.got[0].horizontal);
  EXPECT_EQ(answers.got[0].caret_y, 100 - kPageScrollLinePixels);
  EXPECT_EQ(Evaluate("window.scrollY"), kPageScrollLinePixels);
}

}  // namespace
}  // namespace tw
