#include "kiosk/browser/browser_loop.h"
#include "kiosk/browser/controller_loop_services.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "fakes/manual_clock.h"
#include "kiosk/browser/browser_dialog_rules.h"
#include "kiosk/core/log_lines.h"
#include "kiosk/core/recording_hooks.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

using Texts = std::vector<std::string>;

class FakeEngine : public BrowserEngine {
 public:
  BrowserTraits Traits() const override { return traits; }
  void Navigate(const std::string& url) override { calls.push_back("navigate " + url); }
  void RunOnPage(PageOperation operation) override {
    calls.push_back("page operation " + std::to_string(static_cast<int>(operation)));
  }
  void ShowOfflinePage() override { calls.push_back("offline page"); }
  BrowserTraits traits;
  Texts calls;
};

class FakeFrame : public BrowserFrame {
 public:
  PanelSizes CurrentPanelSizes() const override { return DesignPanelSizes(1.0); }
  void PlaceBrowserWindow(const BrowserPlacement& p) override { placement = p; }
  void ShowBrowserWindow() override { shown = true; }
  void SetBackEnabled(bool e) override { back = e; }
  void SetForwardEnabled(bool e) override { forward = e; }
  void SetStopEnabled(bool e) override { stop = e; }
  void ShowBusyMeter(int percent) override { meter = percent; }
  void HideBusyMeter() override { meter = -1; }
  void RaiseTopmostWindows() override { ++raises; }
  bool AskTransferNewWindow(std::function<void(bool)> answered) override {
    ++asked;
    if (question) return false;
    question = std::move(answered);
    return true;
  }
  void CloseNewWindowQuestion() override {}
  std::function<void(bool)> question;  // the open question's answer, given by the test
  BrowserPlacement placement;
  bool shown = false, back = false, forward = false, stop = false;
  int meter = -1, raises = 0, asked = 0;
};

class BrowserLoopTest : public ::testing::Test {
 protected:
  void Start(const std::string& ini) {
    std::ofstream(dir_.File("Tarnwick.ini")) << "[BROWSER]\nBrowser=1\n[URLS]\nStart=http://start/\n" << ini;
    controller_ = std::make_unique<KioskController>(dir_.path(), clock_, hooks_);
    controller_->Create(800);
    interpreter_ =
        std::make_unique<CommandInterpreter>(*controller_, controller_->settings().kiosk, controller_->keyboard(),
                                             clock_, controller_->paths().log.feedback_dir);
    loop_ = std::make_unique<BrowserLoop>(LoopServicesOf(*controller_, clock_), engine_, frame_, *interpreter_);
    loop_->BrowserStarted();
  }
  Texts Log() const { return test::LogTexts(dir_.File("log/TWCurrentLog.txt")); }

  test::TempDir dir_;
  test::ManualClock clock_;
  test::RecordingHooks hooks_;
  FakeEngine engine_;
  FakeFrame frame_;
  std::unique_ptr<KioskController> controller_;
  std::unique_ptr<CommandInterpreter> interpreter_;
  std::unique_ptr<BrowserLoop> loop_;
};

TEST_F(BrowserLoopTest, StartPlacesShowsAndQueuesTheStartPage) {
  Start("");
  EXPECT_EQ(frame_.placement.browser, (Rect{24, 59, 703, 486}));
  EXPECT_TRUE(frame_.shown);
  EXPECT_TRUE(controller_->browser_status().ready);
  EXPECT_TRUE(controller_->browser_status().attached);
  EXPECT_EQ(Log(), (Texts{"Log opened", "Initial Loading of Start - http://start/"}));
  EXPECT_TRUE(engine_.calls.empty());
  EXPECT_TRUE(loop_->Pass());
  EXPECT_EQ(engine_.calls, (Texts{"navigate http://start/"}));
}

TEST_F(BrowserLoopTest, OneQueuedURLPerPassInOrder) {
  Start("");
  loop_->Pass();
  engine_.calls.clear();
  controller_->GoToURL("http://a/", static_cast<NavigationReason>(3));
  controller_->GoToURL("http://b/", static_cast<NavigationReason>(4));
  controller_->GoToURL("tw-command:other?", static_cast<NavigationReason>(0));
  for (const char* expected : {"navigate http://a/", "navigate http://b/", "navigate http:other?"}) {
    loop_->Pass();
    ASSERT_FALSE(engine_.calls.empty());
    EXPECT_EQ(engine_.calls.back(), expected);
  }
  loop_->Pass();
  EXPECT_EQ(engine_.calls.size(), 3u);
  EXPECT_EQ(frame_.raises, 5);
}

TEST_F(BrowserLoopTest, DownloadWithinOnePassLeavesStopDisabledAndMeterHidden) {
  Start("");
  loop_->DownloadBegin();
  loop_->DownloadComplete();
  loop_->Pass();
  EXPECT_FALSE(frame_.stop);
  EXPECT_EQ(frame_.meter, -1);
}

TEST_F(BrowserLoopTest, BusyMeterFollowsTheCosineWhileLoading) {
  EXPECT_EQ(BrowserLoop::BusyMeterValue(0), 100);
  EXPECT_EQ(BrowserLoop::BusyMeterValue(1), 100);
  EXPECT_EQ(BrowserLoop::BusyMeterValue(120), 50);
  EXPECT_EQ(BrowserLoop::BusyMeterValue(180), 0);
  EXPECT_EQ(BrowserLoop::BusyMeterValue(181), 0);
  EXPECT_EQ(BrowserLoop::BusyMeterValue(360), 100);
  EXPECT_EQ(BrowserLoop::BusyMeterValue(240), 49);  // |trunc(-0.4999..)| after rounding error
  Start("");
  loop_->DownloadBegin();
  EXPECT_TRUE(frame_.stop);
  std::vector<int> values;
  for (int i = 0; i < 4; ++i) {
    loop_->Pass();
    values.push_back(frame_.meter);
  }
  EXPECT_EQ(values, (std::vector<int>{100, 100, 99, 99}));
  loop_->DownloadComplete();
  loop_->Pass();
  EXPECT_EQ(frame_.meter, -1);
  EXPECT_EQ(loop_->busy_step(), 0);
}

TEST_F(BrowserLoopTest, WithoutTheBusyBarStopStillFollowsDownloads) {
  Start("[PREFERENCES]\nShowBusyBar=0\n");
  loop_->DownloadBegin();
  loop_->Pass();
  EXPECT_EQ(frame_.meter, -1);
  EXPECT_TRUE(frame_.stop);
  loop_->DownloadComplete();
  EXPECT_FALSE(frame_.stop);
}

TEST_F(BrowserLoopTest, BackAndForwardFollowCommandStates) {
  Start("");
  loop_->CommandStateChange(BrowserCommand::kBack, true);
  EXPECT_TRUE(frame_.back);
  EXPECT_FALSE(frame_.forward);
  loop_->CommandStateChange(BrowserCommand::kForward, true);
  loop_->CommandStateChange(BrowserCommand::kBack, false);
  EXPECT_FALSE(frame_.back);
  EXPECT_TRUE(frame_.forward);
}

TEST_F(BrowserLoopTest, LoadedPagesAreLoggedWhenSwitchedOn) {
  Start("");
  loop_->NavigateComplete("http://start/");
  EXPECT_EQ(Log().back(), "Page Loaded - http://start/");
  Start("[PREFERENCES]\nLogLoadedURLs=0\n");
  const std::size_t before = Log().size();
  loop_->NavigateComplete("http://x/");
  EXPECT_EQ(Log().size(), before);
}

TEST_F(BrowserLoopTest, NewWindowsNeverOpen) {
  struct Case {
    int new_browser;
    bool visitor_transfers;
    bool navigated;
    int asked;
  };
  const Case cases[] = {{1, false, true, 0}, {2, true, false, 0}, {3, false, false, 1}, {3, true, true, 1}};
  for (const Case& c : cases) {
    Start("[PREFERENCES]\nNewBrowser=" + std::to_string(c.new_browser) + "\n");
    engine_.calls.clear();
    frame_.asked = 0;
    frame_.question = nullptr;
    const std::size_t log_size = Log().size();
    bool cancel = false;
    loop_->NewWindow("http://popup/", cancel);
    EXPECT_TRUE(cancel);
    // The question does not hold the page's call: the answer comes later.
    EXPECT_TRUE(engine_.calls.empty() || c.asked == 0);
    if (frame_.question) frame_.question(c.visitor_transfers);
    EXPECT_EQ(engine_.calls, c.navigated ? Texts{"navigate http://popup/"} : Texts{}) << c.new_browser;
    EXPECT_EQ(frame_.asked, c.asked);
    EXPECT_EQ(Log().size(), log_size);  // nothing logged
  }
}

// A new window's address passes the rule of every navigation: the kiosk itself never
// takes a page where its own links could not go.
TEST_F(BrowserLoopTest, ATransferredWindowOrAQueuedPageMeetsTheSameRule) {
  Start("[PREFERENCES]\nNewBrowser=1\n");
  loop_->Pass();
  loop_->NavigateComplete("http://start/");
  const std::string own_page = "file://" + dir_.File("pages/help.htm");
  struct Case {
    std::string url;
    std::string line;  // "" = navigated
  };
  const Case cases[] = {
      {"view-source:file:///etc/passwd", "Blocked view-source Protocol - file:///etc/passwd"},
      {"chrome://settings", "Blocked chrome Protocol - //settings"},
      {"file:///etc/passwd", "Blocked file Protocol - ///etc/passwd"},
      {own_page, "Blocked file Protocol - " + own_page.substr(5)},  // not from a web page
      {"http://popup/", ""},
  };
  for (const Case& c : cases) {
    engine_.calls.clear();
    bool cancel = false;
    loop_->NewWindow(c.url, cancel);
    EXPECT_EQ(engine_.calls, c.line.empty() ? Texts{"navigate " + c.url} : Texts{}) << c.url;
    if (!c.line.empty()) {
      EXPECT_EQ(Log().back(), c.line);
    }
  }
  // A local page of the kiosk's may open another in its place.
  loop_->NavigateComplete(own_page);
  engine_.calls.clear();
  bool cancel = false;
  loop_->NewWindow(own_page, cancel);
  EXPECT_EQ(engine_.calls, Texts{"navigate " + own_page});
  // The same for pages the kiosk queues (another program's SendURL, a button, a setting).
  engine_.calls.clear();
  controller_->GoToURL("view-source:http://x/", NavigationReason::kRemoteSendURL);
  controller_->GoToURL("file:///etc/shadow", NavigationReason::kRemoteSendURL);
  controller_->GoToURL(own_page, NavigationReason::kRemoteSendURL);
  for (int i = 0; i < 3; ++i) loop_->Pass();
  EXPECT_EQ(engine_.calls, Texts{"navigate " + own_page});
  const Texts log = Log();
  EXPECT_NE(std::find(log.begin(), log.end(), "Blocked view-source Protocol - http://x/"), log.end());
  EXPECT_NE(std::find(log.begin(), log.end(), "Blocked file Protocol - ///etc/shadow"), log.end());
}

TEST_F(BrowserLoopTest, QueuedCommandsReachBeforeNavigateAsTheyAre) {
  Start("[PREFERENCES]\nDebug=1\n[PROTOCOLS]\nBlock0=ftp\n");
  loop_->Pass();
  engine_.calls.clear();
  bool cancel = false;
  loop_->BeforeNavigate("http://anything/", true, cancel);
  EXPECT_FALSE(cancel);
  loop_->BeforeNavigate("ftp://x/", true, cancel);
  EXPECT_TRUE(cancel);
  const std::size_t before = Log().size();
  controller_->GoToURL("tw-command:start?", NavigationReason::kCustomButton);
  controller_->GoToURL("tw-command:nothing?", NavigationReason::kCustomButton);
  controller_->GoToURL("http://host/start?", NavigationReason::kCustomButton);
  loop_->Pass();
  loop_->Pass();
  loop_->Pass();
  // The command was cancelled before the engine saw it; the others went on.
  const Texts log = Log();
  const Texts seen(log.begin() + static_cast<std::ptrdiff_t>(before), log.end());
  EXPECT_NE(std::find(seen.begin(), seen.end(), "Before Navigate - http:start?"), seen.end());
  EXPECT_NE(std::find(seen.begin(), seen.end(), "Command - start"), seen.end());
  EXPECT_NE(std::find(seen.begin(), seen.end(), "Before Navigate - http:nothing?"), seen.end());
  EXPECT_EQ(engine_.calls, (Texts{"navigate http:nothing?", "navigate http://host/start?"}));
}

TEST_F(BrowserLoopTest, ACommandReachesTheKioskAsTheBrowserHandsItOver) {
  // A browser of its own hands kept protocols over; one inside the kiosk offers every
  // navigation, and a queued command is written so that its engine offers it too.
  for (const bool hands_over : {false, true}) {
    engine_.traits.hands_over_kept_protocols = hands_over;
    Start("[PREFERENCES]\nDebug=1\n");
    loop_->Pass();
    engine_.calls.clear();
    const std::size_t before = Log().size();
    controller_->GoToURL("tw-command:start?", NavigationReason::kCustomButton);
    for (int pass = 0; pass < 4; ++pass) loop_->Pass();
    const Texts log = Log();
    const Texts seen(log.begin() + static_cast<std::ptrdiff_t>(before), log.end());
    const std::string offered = hands_over ? "Before Navigate - tw-command:start?" : "Before Navigate - http:start?";
    EXPECT_NE(std::find(seen.begin(), seen.end(), offered), seen.end()) << hands_over;
    EXPECT_NE(std::find(seen.begin(), seen.end(), "Command - start"), seen.end()) << hands_over;
    EXPECT_EQ(engine_.calls, Texts{}) << hands_over;  // the engine never sees a command
    // Another program's address is taken only by a browser that hands addresses over.
    EXPECT_EQ(loop_->QueueProtocolRequest("tw-command:back?"), hands_over);
  }
}

TEST_F(BrowserLoopTest, OnlyAllowedSchemesPassAndRefusalsAreLogged) {
  Start("[ALLOWEDPROTOCOLS]\nAllow0=Data\nAllow1=zoommtg\n[PROTOCOLS]\nBlock0=telnet\n");
  struct Case {
    const char* url;
    bool main_frame;
    bool cancelled;
    const char* line;  // "" = none
  };
  const Case cases[] = {
      {"https://x/", true, false, ""},
      {"file:///k/a.htm", true, true, "Blocked file Protocol - ///k/a.htm"},
      {"about:blank", true, false, ""},
      {"about:srcdoc", false, false, ""},
      {"data:text/html,x", false, false, ""},
      {"data:text/html,x", true, false, ""},  // allowed by the operator
      {"foo:bar", true, true, "Blocked foo Protocol - bar"},
      {"VNC://127.0.0.1", true, true, "Blocked VNC Protocol - //127.0.0.1"},
      {"zoommtg://meet", true, true,
       "Blocked zoommtg Protocol - //meet"},  // allowed, but only another program could open it
      {"mailto:a@b.c", true, true, "Blocked mailto Protocol - a@b.c"},
      {"about:version", true, true, "Blocked about Protocol - version"},
      {"view-source:http://x/", true, true, "Blocked view-source Protocol - http://x/"},
      {"blob:http://x/1", true, true, "Blocked blob Protocol - http://x/1"},
      {"telnet:x", true, true, "Blocked telnet Protocol - x"},  // the block list's own line, once
  };
  for (const Case& c : cases) {
    const std::size_t before = Log().size();
    bool cancel = false;
    loop_->BeforeNavigate(c.url, c.main_frame, cancel);
    EXPECT_EQ(cancel, c.cancelled) << c.url;
    const Texts log = Log();
    EXPECT_EQ(Texts(log.begin() + static_cast<std::ptrdiff_t>(before), log.end()), *c.line ? Texts{c.line} : Texts{})
        << c.url;
  }
  // Addresses the engine refuses by itself are logged the same way, a few, then a count.
  const std::size_t before_refusals = Log().size();
  for (int i = 0; i < 20; ++i) loop_->NavigationRefused("file:///etc/passwd");
  EXPECT_EQ(Log().size(), before_refusals + BrowserLoop::kDialogsPerWindow);
  EXPECT_EQ(Log().back(), "Blocked file Protocol - ///etc/passwd");
  clock_.Advance(BrowserLoop::kDialogWindow);
  loop_->Pass();
  EXPECT_EQ(Log().back(), "Too Many Blocked Addresses - 15 more refused");
  // "mailto" is for the e-mail window when that is on: refused without a blocked line.
  Start("[EMAIL]\nMailTo=1\n");
  bool cancel = false;
  loop_->BeforeNavigate("mailto:a@b.c", true, cancel);
  EXPECT_TRUE(cancel);
  EXPECT_EQ(Log().back(), "MailTo Requested");
}

TEST_F(BrowserLoopTest, AFloodOfDialogsIsAnsweredUnseenAndSummedUp) {
  Start("[CHILDSTRINGS]\nChildString0=Please note\n");
  const std::size_t before = Log().size();
  std::vector<BrowserDialogAnswer> answers;
  for (int i = 0; i < 100; ++i) answers.push_back(loop_->BrowserDialog(BrowserDialogKind::kScriptAlert, "Please note"));
  // The first few are left to the visitor, the rest answered without showing them.
  const auto shown = std::count(answers.begin(), answers.end(), BrowserDialogAnswer::kShowVisitor);
  EXPECT_EQ(shown, BrowserLoop::kDialogsPerWindow);
  // The kiosk's own change of page is never held by a page that would rather stay.
  EXPECT_EQ(loop_->BrowserDialog(BrowserDialogKind::kLeavePage, "Leave?"), BrowserDialogAnswer::kOk);
  for (int i = 0; i < 50; ++i) loop_->BrowserDialog(BrowserDialogKind::kScriptAlert, "You won");
  EXPECT_EQ(Log().size(), before);
  loop_->Pass();
  EXPECT_EQ(Log().size(), before);
  clock_.Advance(BrowserLoop::kDialogWindow);
  loop_->Pass();
  EXPECT_EQ(Log().back(), "Too Many Dialog Boxes - 146 more canceled");
  EXPECT_EQ(loop_->BrowserDialog(BrowserDialogKind::kLeavePage, "Leave?"), BrowserDialogAnswer::kOk);
  const Texts log = Log();
  EXPECT_EQ(Texts(log.end() - 2, log.end()),
            (Texts{"'Microsoft Internet Explorer' Dialog Box OKed", "Dialog Message - Leave?"}));
}

TEST_F(BrowserLoopTest, AnUnreachableKioskPageShowsTheOfflinePageAndIsRetried) {
  Start("");
  loop_->Pass();  // the start page goes to the engine
  engine_.calls.clear();
  loop_->NavigateError("http://start/", "Connection refused");
  EXPECT_EQ(engine_.calls, Texts{"offline page"});
  const std::string outage = "Page Unreachable - http://start/ - Connection refused - Offline Page Shown";
  EXPECT_EQ(Log().back(), outage);
  engine_.calls.clear();
  // Tried again after 5, 10, 30 seconds, then every minute, each failing again.
  std::vector<int> waited;
  for (int tries = 0; tries < 5; ++tries) {
    int seconds = 0;
    while (engine_.calls.empty() && seconds < 100) {
      clock_.Advance(1);
      ++seconds;
      loop_->Pass();
    }
    waited.push_back(seconds);
    EXPECT_EQ(engine_.calls, Texts{"navigate http://start/"});
    if (tries < 4) loop_->NavigateError("http://start/", "Connection refused");
    engine_.calls.clear();
  }
  EXPECT_EQ(waited, (std::vector<int>{5, 10, 30, 60, 60}));
  const Texts log = Log();
  EXPECT_EQ(std::count(log.begin(), log.end(), outage), 1);  // one line for the whole outage
  loop_->NavigateComplete("http://start/");
  EXPECT_EQ(Log().back(), "Page Reachable Again - http://start/");
  // A page the visitor followed shows the engine's own error page.
  loop_->NavigateError("http://elsewhere/", "Host not found");
  EXPECT_TRUE(engine_.calls.empty());
  EXPECT_EQ(Log().back(), "Page Reachable Again - http://start/");
}

TEST_F(BrowserLoopTest, ACrashedPageBringsTheStartPageBackUnlessItKeepsCrashing) {
  Start("");
  loop_->Pass();
  engine_.calls.clear();
  for (int crash = 1; crash <= BrowserLoop::kCrashesPerWindow; ++crash) {
    loop_->PageCrashed("http://heavy/", "killed");
    EXPECT_EQ(Log().back(), "Browser Page Crashed - http://heavy/ - killed");
    loop_->Pass();
    EXPECT_EQ(engine_.calls.back(), "navigate http://start/");
  }
  engine_.calls.clear();
  loop_->PageCrashed("http://start/", "crashed");
  EXPECT_EQ(engine_.calls, Texts{"offline page"});
  EXPECT_EQ(Log().back(),
            "Page Unreachable - http://start/ - the page crashed 4 times within 60 seconds - Offline "
            "Page Shown");
}

TEST_F(BrowserLoopTest, PassStopsOnceQuitIsRequested) {
  Start("");
  EXPECT_TRUE(loop_->Pass());
  std::ofstream(dir_.File("idle.txt")) << "";
  controller_->RequestExit();
  EXPECT_FALSE(loop_->Pass());
  // Nothing more of the pass ran: the marker file was not looked at.
  EXPECT_FALSE(controller_->activity().idle_mode());
}

TEST_F(BrowserLoopTest, DialogsAreAnsweredAndLogged) {
  Start("[CHILDSTRINGS]\nChildString0=Please note\n");
  struct Case {
    BrowserDialogKind kind;
    std::string text;
    BrowserDialogAnswer answer;
    Texts lines;
  };
  const Case cases[] = {
      {BrowserDialogKind::kScriptAlert, "Please note: closing at 5", BrowserDialogAnswer::kShowVisitor, {}},
      {BrowserDialogKind::kScriptAlert,
       "You won a prize",
       BrowserDialogAnswer::kCancel,
       {"'Microsoft Internet Explorer' Dialog Box Canceled", "Dialog Message - You won a prize"}},
      {BrowserDialogKind::kScriptConfirm,
       "please note",
       BrowserDialogAnswer::kCancel,
       {"'Microsoft Internet Explorer' Dialog Box Canceled", "Dialog Message - please note"}},
      {BrowserDialogKind::kAuthentication,
       "http://x/",
       BrowserDialogAnswer::kCancel,
       {"'Enter Network Password' Dialog Box Canceled"}},
      {BrowserDialogKind::kDownload,
       "http://x/a.zip",
       BrowserDialogAnswer::kCancel,
       {"'File Download' Dialog Box Canceled"}},
      {BrowserDialogKind::kFileChooser, "", BrowserDialogAnswer::kCancel, {"'Save As' Dialog Box Canceled"}},
      {BrowserDialogKind::kPrintRequest, "", BrowserDialogAnswer::kOk, {"'Print' Dialog Box OKed"}},
      {BrowserDialogKind::kCertificateError,
       "https://bad/ expired",
       BrowserDialogAnswer::kCancel,
       {"Certificate Error Refused - https://bad/ expired"}},
      {BrowserDialogKind::kPermissionRequest,
       "camera",
       BrowserDialogAnswer::kCancel,
       {"Permission Request Refused - camera"}},
      {BrowserDialogKind::kFullScreenRequest,
       "http://v/",
       BrowserDialogAnswer::kCancel,
       {"Full Screen Request Refused - http://v/"}},
  };
  for (const Case& c : cases) {
    clock_.Advance(BrowserLoop::kDialogWindow);  // one at a time, never a flood
    const std::size_t before = Log().size();
    EXPECT_EQ(loop_->BrowserDialog(c.kind, c.text), c.answer) << c.text;
    const Texts log = Log();
    EXPECT_EQ(Texts(log.begin() + static_cast<std::ptrdiff_t>(before), log.end()), c.lines) << c.text;
  }
}

TEST(DialogRules, TitlesAndChildStrings) {
  const Texts children = {"Keep me", ""};
  const Texts none;
  struct Case {
    const char* title;
    const char* text;
    const Texts& children;
    DialogButton button;
    Texts lines;
  };
  const Case cases[] = {
      {"Microsoft Internet Explorer", "Keep me open", children, DialogButton::kNone, {}},
      {"Microsoft Internet Explorer",
       "This Location (URL) is not recognized: x",
       none,
       DialogButton::kCancel,
       {"Protocol Blocking could have failed", "'Microsoft Internet Explorer' Dialog Box Canceled",
        "Dialog Message - This Location (URL) is not recognized: x"}},
      {"Security Update", "", none, DialogButton::kNo, {"'Security Update' Dialog Box OKed"}},
      {"Security Information", "", none, DialogButton::kOk, {"'Security Information' Dialog Box OKed"}},
      {"Internet Explorer", "", none, DialogButton::kCancel, {"'Internet Explorer' Dialog Box Canceled"}},
      {"print", "", none, DialogButton::kNone, {}},  // titles compare exactly
      {"Notepad", "", none, DialogButton::kNone, {}},
  };
  for (const Case& c : cases) {
    const DialogDecision d = EmbeddedDialogRule(c.title, c.text, c.children);
    EXPECT_EQ(d.button, c.button) << c.title;
    EXPECT_EQ(d.log_lines, c.lines) << c.title;
  }
  // An empty child string matches every text.
  Texts lines;
  EXPECT_TRUE(MatchesChildString("anything", children, lines));
}

}  // namespace
}  // namespace tw
