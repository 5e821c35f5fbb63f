#include "kiosk/core/commands/command_interpreter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "fakes/manual_clock.h"
#include "common/system/command_line.h"
#include "common/addresses/command_url.h"
#include "kiosk/core/log/feedback_file.h"
#include "kiosk/core/kiosk_controller.h"
#include "kiosk/core/log_lines.h"
#include "kiosk/core/commands/program_launcher.h"
#include "kiosk/core/recording_frame.h"
#include "kiosk/core/recording_hooks.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

using Texts = std::vector<std::string>;

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class FakeRunner : public ProcessRunner {
 public:
  explicit FakeRunner(KioskController& controller) : controller_(controller) {}
  bool Start(const std::vector<std::string>& argv) override {
    started.push_back(argv);
    return startable;
  }
  void WaitForEnd() override {
    idle_while_waiting = controller_.activity().idle_mode();
    if (during_wait) during_wait();
  }
  void End() override { ++ended; }

  KioskController& controller_;
  bool startable = true;
  bool idle_while_waiting = false;
  int ended = 0;
  std::function<void()> during_wait;
  std::vector<std::vector<std::string>> started;
};

class CommandTest : public ::testing::Test {
 protected:
  void Start(const std::string& ini = "") {
    std::ofstream(dir_.File("Tarnwick.ini"), std::ios::binary)
        << "[PROGRAMS]\nProgram0=/bin/one\nProgram1=\"/opt/my tool/run\" --kiosk\n[PREFERENCES]\n"
        << ini;
    controller_ = std::make_unique<KioskController>(dir_.path(), clock_, hooks_);
    controller_->Create(800);
    runner_ = std::make_unique<FakeRunner>(*controller_);
    launcher_ = std::make_unique<ProgramLauncher>(*controller_, controller_->activity(), *runner_);
    interpreter_ =
        std::make_unique<CommandInterpreter>(*controller_, controller_->settings().kiosk, controller_->keyboard(),
                                             clock_, controller_->paths().log.feedback_dir);
    interpreter_->SetButtons(&buttons_);
    interpreter_->SetLauncher(launcher_.get());
    interpreter_->SetEmailWindow(&email_);
    log_start_ = Log().size();
  }
  // Offers the URL to the embedded browser's check; true when the navigation was cancelled.
  bool Navigate(const std::string& url) {
    bool cancel = false;
    interpreter_->BeforeNavigate(url, cancel);
    return cancel;
  }
  Texts Log() const { return test::LogTexts(dir_.File("log/TWCurrentLog.txt")); }
  Texts NewLog() const {
    const Texts all = Log();
    return Texts(all.begin() + static_cast<long>(log_start_), all.end());
  }
  Texts FeedbackFiles() const {
    Texts names;
    for (const auto& e : std::filesystem::directory_iterator(dir_.File("feedback"))) {
      if (e.is_regular_file()) names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  test::TempDir dir_;
  test::ManualClock clock_{LocalTime::FromCivil({2026, 12, 7, 9, 5, 3})};
  test::RecordingHooks hooks_;
  test::RecordingButtons buttons_;
  std::unique_ptr<KioskController> controller_;
  std::unique_ptr<FakeRunner> runner_;
  std::unique_ptr<ProgramLauncher> launcher_;
  std::unique_ptr<CommandInterpreter> interpreter_;
  // The e-mail window records how it was opened.
  class RecordingEmail : public NoEmailWindow {
   public:
    explicit RecordingEmail(Texts& opened) : opened_(opened) {}
    void Open(int mode, const std::string& address) override {
      opened_.push_back(std::to_string(mode) + " " + address);
    }

   private:
    Texts& opened_;
  };
  Texts emails_;
  RecordingEmail email_{emails_};
  std::size_t log_start_ = 0;
};

TEST(CommandURLTest, SplitsAtTheFirstColonAndQuestionMark) {
  struct Case {
    const char* url;
    const char* protocol;
    const char* rest;
    const char* command;
    const char* arguments;
  };
  const Case cases[] = {
      {"tw-command:START?pw", "tw-command", "START?pw", "START", "pw"},
      {"tw-command:START", "tw-command", "START", "START", ""},
      {"http://host/START?", "http", "//host/START?", "//host/START", ""},
      {"START?a?b", "", "START?a?b", "START", "a?b"},
      {"a:b:START?c", "a", "b:START?c", "b:START", "c"},
      {"x:EXECUTE?2#-x#y", "x", "EXECUTE?2#-x#y", "EXECUTE", "2#-x#y"},
      {"", "", "", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.url);
    const CommandURL parts = SplitCommandURL(c.url);
    EXPECT_EQ(parts.protocol, c.protocol);
    EXPECT_EQ(parts.rest, c.rest);
    EXPECT_EQ(parts.command, c.command);
    EXPECT_EQ(parts.arguments, c.arguments);
  }
  const CommandURL huge = SplitCommandURL("x:" + std::string(10000, 'a') + "?" + std::string(10000, 'b'));
  EXPECT_EQ(huge.rest.size(), kCommandPartLimit);
  EXPECT_EQ(huge.command.size(), kCommandPartLimit);
  EXPECT_EQ(huge.arguments.size(), kCommandPartLimit);
}

TEST_F(CommandTest, EmbeddedNavigations) {
  struct Case {
    const char* settings;
    const char* url;
    bool keyboard_shown;
    bool cancelled;
    Texts log;
    std::vector<KioskButton> clicks;
  };
  const Case cases[] = {
      {"",
       "tw-command:start?",
       false,
       true,
       {"Blocked tw-command Protocol - start?", "Command - start"},
       {KioskButton::kStart}},
      {"",
       "tw-command:START",
       false,
       true,
       {"Blocked tw-command Protocol - START", "Command - START"},
       {KioskButton::kStart}},
      {"", "http:BACK?", false, true, {"Command - BACK"}, {KioskButton::kBack}},
      {"",
       "TW-COMMAND:custom10?",
       false,
       true,
       {"Blocked TW-COMMAND Protocol - custom10?", "Command - custom10"},
       {KioskButton::kCustom10}},
      {"", "http://host/START?", false, false, {}, {}},
      {"", "http:CLOSE?", false, false, {}, {}},
      {"", "http:SHOW?", false, true, {"Command - SHOW"}, {KioskButton::kKeyboard}},
      {"", "http:SHOW?", true, true, {"Command - SHOW", "Unknown Command - SHOW"}, {}},
      {"", "http:HIDE?", true, true, {"Command - HIDE"}, {KioskButton::kKeyboard}},
      {"", "http:HIDE?", false, true, {"Command - HIDE", "Unknown Command - HIDE"}, {}},
      {"CommandPassword=Secret\n", "http:PRINT?sECRET", false, true, {"Command - PRINT"}, {KioskButton::kPrint}},
      {"CommandPassword=Secret\n", "http:PRINT?wrong", false, true, {"Wrong Command Password - PRINT - wrong"}, {}},
      {"CommandPassword=Secret\n", "http:PRINT", false, true, {"Wrong Command Password - PRINT - "}, {}},
      {"CommandEnabled=0\n", "http:LOGO?x", false, true, {"Command Disabled - LOGO - x"}, {}},
      {"LogProtocol=0\n", "tw-command:BANNER?", false, true, {"Command - BANNER"}, {KioskButton::kBanner}},
      {"[PROTOCOLS]\nBlock0=FTP\n", "ftp://files/x", false, true, {"Blocked ftp Protocol - //files/x"}, {}},
      {"ExecuteEnabled=0\n", "http:EXECUTE?1", false, true, {"Execute Disabled"}, {}},
      {"", "http:EXECUTE?3", false, true, {"Command Error - 3 is not a valid program number"}, {}},
      {"", "http:EXECUTE?0", false, true, {"Command Error - 0 is not a valid program number"}, {}},
      {"", "http:EXECUTE?abc", false, true, {"Command Error - abc is not a valid number"}, {}},
      {"", "http:EXECUTE?-1#x", false, true, {"Command Error - -1 is not a valid program number"}, {}},
      // The page's parameters may not be options of the listed program.
      {"", "http:EXECUTE?1#a -x", false, true, {"Command Error - -x is not an allowed parameter"}, {}},
      {"",
       "http:EXECUTE?1#\"--profile /tmp\"",
       false,
       true,
       {"Command Error - --profile /tmp is not an allowed parameter"},
       {}},
      {"", "http:EXECUTE?1#a\t-", false, true, {"Command Error - - is not an allowed parameter"}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.settings) + c.url);
    buttons_.clicks.clear();
    Start(c.settings);
    if (controller_->keyboard().shown() != c.keyboard_shown) controller_->keyboard().Toggle(800, 60);
    EXPECT_EQ(Navigate(c.url), c.cancelled);
    EXPECT_EQ(NewLog(), c.log);
    std::vector<int> tags;
    for (KioskButton b : c.clicks) tags.push_back(ButtonTag(b));
    EXPECT_EQ(buttons_.clicks, tags);
    EXPECT_TRUE(runner_->started.empty());
  }
}

TEST_F(CommandTest, MailtoOpensTheEmailWindowAndIsStoppedOnlyWhenBlocked) {
  struct Case {
    const char* settings;
    const char* url;
    bool cancelled;
    Texts log;
    Texts emails;
  };
  const Case cases[] = {
      {"[EMAIL]\nMailTo=1\n",
       "mailto:ann@example.org?subject=Hi",
       false,
       {"MailTo Requested"},
       {"1 ann@example.org?subject=Hi"}},
      {"[EMAIL]\nMailTo=1\n[PROTOCOLS]\nBlock0=mailto\n",
       "mailto:ann@example.org",
       true,
       {"MailTo Requested", "Blocked mailto Protocol - ann@example.org"},
       {"1 ann@example.org"}},
      {"[EMAIL]\nMailTo=0\n", "mailto:ann@example.org", false, {}, {}},
      {"[EMAIL]\nMailTo=1\n", "MAILTO:ann@example.org", false, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.settings) + c.url);
    emails_.clear();
    Start(c.settings);
    EXPECT_EQ(Navigate(c.url), c.cancelled);
    EXPECT_EQ(NewLog(), c.log);
    EXPECT_EQ(emails_, c.emails);
  }
}

// The external browser hands over what it may not load: only "tw-command" makes a command,
// of any word; "CLOSE" ends the browser (there only); the rest is a blocked protocol.
TEST_F(CommandTest, ExternalBrowserRequests) {
  struct Case {
    const char* settings;
    const char* url;
    Texts log;
    std::vector<KioskButton> clicks;
    int closes;
    Texts emails;
  };
  const Case cases[] = {
      {"", "tw-command:start?", {"Command - start"}, {KioskButton::kStart}, 0, {}},
      {"", "tw-command:close?", {"Command - close"}, {}, 1, {}},
      {"", "tw-command:nothing?", {"Command - nothing", "Unknown Command - nothing"}, {}, 0, {}},
      {"CommandPassword=Secret\n", "tw-command:start?x", {"Wrong Command Password - start - x"}, {}, 0, {}},
      // A command word in another protocol is no command on this path.
      {"", "http:START?", {"Blocked http Protocol - START?"}, {}, 0, {}},
      {"", "TW-COMMAND:START?", {"Blocked TW-COMMAND Protocol - START?"}, {}, 0, {}},
      {"[EMAIL]\nMailTo=1\n", "mailto:ann@example.org", {"MailTo Requested"}, {}, 0, {"1 ann@example.org"}},
      {"[EMAIL]\nMailTo=0\n", "mailto:ann@example.org", {"Blocked mailto Protocol - ann@example.org"}, {}, 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.settings) + c.url);
    buttons_.clicks.clear();
    emails_.clear();
    Start(c.settings);
    int closes = 0;
    interpreter_->close_browser = [&closes] {
      ++closes;
      return true;
    };
    interpreter_->ExternalRequest(c.url);
    EXPECT_EQ(NewLog(), c.log);
    std::vector<int> tags;
    for (KioskButton b : c.clicks) tags.push_back(ButtonTag(b));
    EXPECT_EQ(buttons_.clicks, tags);
    EXPECT_EQ(closes, c.closes);
    EXPECT_EQ(emails_, c.emails);
  }
}

TEST_F(CommandTest, ExecuteRunsTheListedProgramWithItsArgumentsInIdleMode) {
  Start();
  EXPECT_TRUE(Navigate("tw-command:EXECUTE?2#x-1 \"a -b\""));
  ASSERT_EQ(runner_->started.size(), 1u);
  EXPECT_EQ(runner_->started[0], (Texts{"/opt/my tool/run", "--kiosk", "x-1", "a -b"}));
  EXPECT_TRUE(runner_->idle_while_waiting);
  EXPECT_FALSE(controller_->activity().idle_mode());
  const std::string line = "\"/opt/my tool/run\" --kiosk x-1 \"a -b\"";
  EXPECT_EQ(NewLog(), (Texts{"Blocked tw-command Protocol - EXECUTE?2#x-1 \"a -b\"", "Started Program - " + line,
                             "Idle mode On", "Idle mode Off", "Program Terminated - " + line}));
}

TEST_F(CommandTest, ShutdownWhileAProgramRunsEndsItFirst) {
  Start();
  test::RecordingFrame frame;
  controller_->activity().SetFrame(&frame);
  std::vector<std::function<void()>> later;
  // The shutdown comes while the kiosk waits for the program; the wait returns after it.
  runner_->during_wait = [&] {
    launcher_->defer = [&](std::function<void()> run) { later.push_back(std::move(run)); };
    Navigate("http:EXECUTE?1#again");
    launcher_->EndRunningProgram();
    controller_->Shutdown();
  };
  Navigate("http:EXECUTE?1#x");
  for (auto& run : later) run();
  EXPECT_EQ(runner_->ended, 1);
  EXPECT_EQ(runner_->started.size(), 1u);
  EXPECT_EQ(NewLog(), (Texts{"Started Program - /bin/one x", "Idle mode On", "Idle mode Off",
                             "Program Terminated - /bin/one x", "Tarnwick Closing Down"}));
  EXPECT_EQ(frame.calls, (Texts{"cover on", "cover off"}));
}

TEST_F(CommandTest, DeferredRunHappensOnlyWhenCarriedOut) {
  Start();
  std::vector<std::function<void()>> later;
  launcher_->defer = [&](std::function<void()> run) { later.push_back(std::move(run)); };
  EXPECT_TRUE(Navigate("http:EXECUTE?1#now"));
  EXPECT_TRUE(runner_->started.empty());
  EXPECT_TRUE(NewLog().empty());
  ASSERT_EQ(later.size(), 1u);
  later[0]();
  EXPECT_EQ(runner_->started, (std::vector<std::vector<std::string>>{{"/bin/one", "now"}}));
  EXPECT_EQ(NewLog().back(), "Program Terminated - /bin/one now");
}

TEST_F(CommandTest, ProgramThatCannotStartLeavesIdleModeAlone) {
  Start();
  runner_->startable = false;
  Navigate("http:EXECUTE?1");
  EXPECT_EQ(NewLog(), (Texts{"Failed to Start Program - /bin/one "}));
  EXPECT_FALSE(controller_->activity().idle_mode());
}

TEST(CommandLineTest, SplitsWithoutAShell) {
  EXPECT_EQ(SplitCommandLine("/bin/one "), (Texts{"/bin/one"}));
  EXPECT_EQ(SplitCommandLine("a  \"b c\" d\"e f\"g ; rm -rf /"), (Texts{"a", "b c", "de fg", ";", "rm", "-rf", "/"}));
  EXPECT_EQ(SplitCommandLine("x \"\""), (Texts{"x", ""}));
  EXPECT_TRUE(SplitCommandLine("   ").empty());
}

TEST_F(CommandTest, FeedbackWritesOnePieceALineAndNeverReplacesAnEarlierOne) {
  Start();
  EXPECT_TRUE(Navigate("tw-command:FEEDBACK?name=Ann&rating=5"));
  EXPECT_TRUE(Navigate("http:feedback?name=Bob"));
  EXPECT_TRUE(Navigate("http:FEEDBACK"));
  EXPECT_EQ(FeedbackFiles(), (Texts{"FB261207090503-1.txt", "FB261207090503-2.txt", "FB261207090503.txt"}));
  EXPECT_EQ(Read(dir_.File("feedback/FB261207090503.txt")), "name=Ann\nrating=5\n");
  EXPECT_EQ(Read(dir_.File("feedback/FB261207090503-1.txt")), "name=Bob\n");
  EXPECT_EQ(Read(dir_.File("feedback/FB261207090503-2.txt")), "\n");
  // Feedback needs no password.
  EXPECT_EQ(NewLog().size(), 1u);
}

TEST_F(CommandTest, FeedbackIsRefusedBeyondTenAMinuteAndLoggedOncePerBurst) {
  Start();
  auto send = [&](int n) {
    for (int i = 0; i < n; ++i) EXPECT_TRUE(Navigate("http:FEEDBACK?x"));
  };
  send(12);
  clock_.Advance(59);
  send(1);
  EXPECT_EQ(FeedbackFiles().size(), 10u);
  // A minute after the first ten they no longer count: ten more, then the next burst.
  clock_.Advance(1);
  send(11);
  EXPECT_EQ(FeedbackFiles().size(), 20u);
  const std::string refused = "Feedback Refused - more than 10 a minute";
  EXPECT_EQ(NewLog(), (Texts{refused, refused}));
}

TEST(FeedbackTextTest, OnlyTheGivenTextWithoutControlCharacters) {
  EXPECT_EQ(FeedbackText("a=1&&b=2&"), "a=1\n\nb=2\n\n");
  EXPECT_EQ(FeedbackText(std::string("x\r\ny\x1b[2J\x7f\tz\0w", 14)), "xy[2Jzw\n");
  EXPECT_EQ(FeedbackText("name=J%C3%BCrgen&text=Gr\xc3\xbc\xc3\x9f"
                         "e"),
            "name=J%C3%BCrgen\ntext=Gr\xc3\xbc\xc3\x9f"
            "e\n");
}

TEST(FeedbackFileTest, LongFeedbackIsCutWithAMarkerLine) {
  test::TempDir dir;
  const LocalTime now = LocalTime::FromCivil({2026, 1, 2, 3, 4, 5});
  // Two-byte characters: the cut never splits one.
  std::string huge;
  for (int i = 0; i < 50000; ++i) huge += "\xc3\xa9";
  const std::string text = Read(WriteFeedbackFile(dir.path() + "/", now, huge));
  const std::string marker = "\n" + std::string(kFeedbackCutLine) + "\n";
  EXPECT_LE(text.size(), kFeedbackSizeLimit);
  EXPECT_GE(text.size(), kFeedbackSizeLimit - 1);
  ASSERT_TRUE(text.ends_with(marker));
  const std::string kept = text.substr(0, text.size() - marker.size());
  EXPECT_EQ(kept, huge.substr(0, kept.size()));
  EXPECT_EQ(kept.size() % 2, 0u);
  // One that fits is kept whole.
  const std::string fits(kFeedbackSizeLimit - 1, 'a');
  EXPECT_EQ(Read(WriteFeedbackFile(dir.path() + "/", now, fits)), fits + "\n");
}

TEST(FeedbackFileTest, UnwritableFolderIsAnError) {
  test::TempDir dir;
  EXPECT_THROW(WriteFeedbackFile(dir.File("missing/"), LocalTime::FromCivil({2026, 1, 2, 3, 4, 5}), "x"),
               std::runtime_error);
}

}  // namespace
}  // namespace tw
