#include "kiosk/core/kiosk_controller.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "fakes/manual_clock.h"
#include "kiosk/core/log_lines.h"
#include "kiosk/core/recording_hooks.h"
#include "common/geometry/screen_scale.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

using Texts = std::vector<std::string>;

class ControllerTest : public ::testing::Test {
 protected:
  void WriteIni(const std::string& text) { std::ofstream(dir_.File("Tarnwick.ini"), std::ios::binary) << text; }
  KioskController& Start(int screen_width = 800) {
    controller_ = std::make_unique<KioskController>(dir_.path(), clock_, hooks_);
    controller_->Create(screen_width);
    return *controller_;
  }
  Texts Log() const { return test::LogTexts(dir_.File("log/TWCurrentLog.txt")); }

  test::TempDir dir_;
  test::ManualClock clock_;
  test::RecordingHooks hooks_;
  std::unique_ptr<KioskController> controller_;
};

TEST_F(ControllerTest, MissingConfigurationGivesEveryDefault) {
  KioskController& c = Start();
  const KioskConfig& k = c.settings().kiosk;
  EXPECT_EQ(k.start_url, "NoURLStart");
  EXPECT_EQ(k.help_url, "NoURLHelp");
  EXPECT_EQ(k.logo_url, "NoURLLogo");
  EXPECT_EQ(k.browser.kind, 0);
  EXPECT_EQ(c.browser_status().engine, 1);  // the external browser asked for cannot run
  EXPECT_EQ(k.browser.file_name, "NoBrowserFile");
  EXPECT_EQ(k.browser.dde, "NoBrowserDDE");
  EXPECT_EQ(k.new_browser, 2);
  EXPECT_TRUE(k.attract.go_to_start);
  EXPECT_TRUE(k.key_block);
  EXPECT_FALSE(k.log.save_log);
  EXPECT_EQ(k.block_list, (Texts{"tw-command"}));
  EXPECT_DOUBLE_EQ(c.screen_scale(), 1.0);
  EXPECT_TRUE(std::filesystem::is_directory(dir_.File("feedback/sent")));
  EXPECT_EQ(Log(), (Texts{"Log opened", "External Browser Not Available - Embedded Browser Used"}));
  EXPECT_TRUE(hooks_.errors.empty());
  EXPECT_EQ(hooks_.calls, (Texts{"keys locked"}));
}

TEST_F(ControllerTest, BinaryConfigurationGivesDefaults) {
  std::string junk;
  for (int i = 0; i < 2000; ++i) junk.push_back(static_cast<char>((i * 131) % 256));
  WriteIni(junk);
  KioskController& c = Start();
  EXPECT_EQ(c.settings().kiosk.start_url, "NoURLStart");
  EXPECT_EQ(Log(), (Texts{"Log opened", "External Browser Not Available - Embedded Browser Used"}));
}

TEST_F(ControllerTest, ReadsListsAndLimitsShortSettings) {
  WriteIni("[PREFERENCES]\nemailfromaddress=" + std::string(300, 'a') + "\nPassword=" + std::string(260, 'B') +
           "\n[EMAILADDRESS]\nAddress0=op@example.org\nAddress1=x@example.org\n[EMAILNAME]\nName0=Operator\n"
           "[PROTOCOLS]\nBlock0=ftp\nBlock1=file\n[CAROUSELURLS]\nURL0=a\nURL1=b\nURL2=c\n"
           "[CAROUSELTIMES]\nTime0=30\nTime2=$10\n");
  KioskController& c = Start();
  const KioskConfig& k = c.settings().kiosk;
  EXPECT_EQ(k.log_mail.from_address.size(), 255u);
  EXPECT_EQ(k.password.size(), 255u);
  ASSERT_EQ(k.log_mail.recipients.size(), 2u);
  EXPECT_EQ(k.log_mail.recipients[0].name, "Operator");
  EXPECT_EQ(k.log_mail.recipients[1].name, "");
  EXPECT_EQ(c.log_mail().mail().recipients.size(), 2u);
  EXPECT_EQ(k.block_list, (Texts{"ftp", "file", "tw-command"}));
  // A page without a time is left out (see the activity timer's tests).
  EXPECT_EQ(k.attract.carousel_urls, (Texts{"a", "c"}));
  EXPECT_EQ(k.attract.carousel_times, (std::vector<int>{30, 16}));
}

TEST_F(ControllerTest, ABadIntegerCostsOnlyThatKeyAndIsShownOnceAfterStartUp) {
  struct Case {
    const char* ini;
    const char* section;
    const char* key;
    const char* value;
    std::function<void(const KioskConfig&)> check;
  };
  constexpr char kLater[] =
      "[URLS]\nStart=http://start/\n[PROTOCOLS]\nBlock0=ftp\n[PROGRAMS]\nProgram0=/bin/calc\n"
      "[CHILDSTRINGS]\nChildString0=Save As\n[BROWSER]\nBrowser=1\n";
  const Case cases[] = {
      {"[ATTRACT]\nTimeStart=60s\nTimeCarousel=90\n[PREFERENCES]\nCommandPassword=pw\nLogURLs=0\n", "ATTRACT",
       "TimeStart", "60s",
       [](const KioskConfig& k) {
         EXPECT_EQ(k.attract.time_start, 0);
         EXPECT_EQ(k.attract.time_carousel, 90);
         EXPECT_EQ(k.commands.password, "pw");
         EXPECT_FALSE(k.log_switches.log_urls);
       }},
      {"[PREFERENCES]\nNewBrowser=three\nSaveLog=1\nLogHour=$0A\nCommandPassword=pw\n", "PREFERENCES", "NewBrowser",
       "three",
       [](const KioskConfig& k) {
         EXPECT_EQ(k.new_browser, 2);
         EXPECT_TRUE(k.log.save_log);
         EXPECT_EQ(k.log.log_hour, 10);
         EXPECT_EQ(k.commands.password, "pw");
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    std::filesystem::remove_all(dir_.File("log"));
    hooks_.errors.clear();
    WriteIni(std::string(c.ini) + kLater);
    KioskController& k = Start();
    c.check(k.settings().kiosk);
    EXPECT_EQ(k.settings().kiosk.start_url, "http://start/");
    EXPECT_EQ(k.settings().kiosk.block_list, (Texts{"ftp", "tw-command"}));
    EXPECT_EQ(k.settings().kiosk.commands.programs, (Texts{"/bin/calc"}));
    EXPECT_EQ(k.settings().kiosk.child_strings, (Texts{"Save As"}));
    const std::string line = std::string("Setting [") + c.section + "] " + c.key + "=" + c.value +
                             " in Tarnwick.ini: '" + c.value + "' is not a valid integer value - the default is used";
    // Another reader's report of the same value is not logged again. The visitor sees
    // one message, on the first tick, and none after it.
    SettingErrors again;
    again.Integer(ProfileFile(dir_.File("Tarnwick.ini")), c.section, c.key, 0);
    k.ReportSettingErrors(again);
    EXPECT_TRUE(hooks_.errors.empty());
    k.SecondTick();
    k.SecondTick();
    // What the visitor sees is logged once too, by the controller.
    EXPECT_EQ(Log(), (Texts{"Log opened", line, "Error - 1 bad setting in Tarnwick.ini - see log"}));
    EXPECT_EQ(hooks_.errors, (Texts{"Error - 1 bad setting in Tarnwick.ini - see log"}));
  }
}

TEST_F(ControllerTest, BlankIntegerMeansNotSet) {
  WriteIni("[PREFERENCES]\nLogHour=\nLogMinute= \n[URLS]\nStart=http://start/\n[ATTRACT]\nTimeStart=60\n");
  KioskController& c = Start();
  EXPECT_EQ(c.settings().kiosk.log.log_hour, 0);
  EXPECT_EQ(c.settings().kiosk.attract.time_start, 60);
  EXPECT_EQ(c.settings().kiosk.start_url, "http://start/");
  EXPECT_TRUE(hooks_.errors.empty());
}

TEST_F(ControllerTest, ScreenModes) {
  struct Case {
    const char* mode;
    int width;
    double scale;
  };
  const Case cases[] = {{"A", 1024, 1.28}, {"A", 640, 0.8},  {"0", 1920, 0.8}, {"1", 1024, 1.0},
                        {"2", 800, 1.28},  {"3", 800, 1.44}, {"4", 800, 1.6},  {"5", 800, 2.0}};
  for (const Case& c : cases) {
    EXPECT_NEAR(*ScreenScaleForMode(c.mode, c.width), c.scale, 1e-12) << c.mode;
  }
  EXPECT_FALSE(ScreenScaleForMode("a", 800));
  EXPECT_FALSE(ScreenScaleForMode("6", 800));
  EXPECT_FALSE(ScreenScaleForMode("", 800));
}

TEST_F(ControllerTest, UnknownScreenModeUsesTheAutomaticScaleAndSaysSo) {
  WriteIni("[PREFERENCES]\nScreenMode=9\n[BROWSER]\nBrowser=1\n");
  KioskController& c = Start(1280);
  EXPECT_DOUBLE_EQ(c.screen_scale(), 1.6);
  EXPECT_EQ(Log(), (Texts{"Log opened", "ScreenMode \"9\" is not known - automatic scale used"}));
}

TEST_F(ControllerTest, SplashBoundsAt1024) {
  EXPECT_EQ(SplashFormBounds(*ScreenScaleForMode("A", 1024), false), (Rect{32, 77, 896, 618}));
  EXPECT_EQ(SplashFormBounds(1.0, true), (Rect{25, 60, 700, 242}));
}

TEST_F(ControllerTest, GoToURLLogsByReasonAndSwitches) {
  struct Case {
    int reason;
    const char* ini;
    bool logged;
  };
  const Case cases[] = {
      {0, "", true},
      {3, "LogURLs=0", false},
      {5, "LogTimeURLs=0", false},
      {5, "LogCarouselURLs=0", true},
      {6, "LogCarouselURLs=0", false},
      {7, "LogCarouselURLs=0", false},
      {7, "LogTimeURLs=0", true},
      {8, "LogTimeURLs=0", false},
      {9, "LogTimeURLs=0\nLogCarouselURLs=0", true},
      {10, "", false},
      {-1, "", false},
  };
  for (const Case& c : cases) {
    std::filesystem::remove_all(dir_.File("log"));
    WriteIni(std::string("[BROWSER]\nBrowser=1\n[PREFERENCES]\n") + c.ini + "\n");
    KioskController& k = Start();
    k.GoToURL("http://x/", static_cast<NavigationReason>(c.reason));
    const Texts log = Log();
    EXPECT_EQ(log.size(), c.logged ? 2u : 1u) << "reason " << c.reason << " with " << c.ini;
    if (c.logged && log.size() == 2) {
      EXPECT_EQ(log[1], std::string(NavigationReasonText(c.reason)) + " - http://x/");
    }
    EXPECT_EQ(k.navigation().size(), 1u);
  }
}

TEST_F(ControllerTest, URLsAreQueuedAsGivenInOrder) {
  WriteIni("[BROWSER]\nBrowser=1\n");
  KioskController& k = Start();
  k.keyboard().SetCaretScroll(true);
  k.GoToURL("tw-command:start?", static_cast<NavigationReason>(0));
  k.GoToURL("http://a/", static_cast<NavigationReason>(3));
  k.GoToURL("http://b/", static_cast<NavigationReason>(4));
  EXPECT_FALSE(k.keyboard().caret_scroll_request());
  EXPECT_EQ(k.navigation().Take(), "tw-command:start?");
  EXPECT_EQ(k.navigation().Take(), "http://a/");
  EXPECT_EQ(k.navigation().Take(), "http://b/");
  EXPECT_EQ(k.navigation().Take(), std::nullopt);
}

TEST_F(ControllerTest, BrowserRectangleBetweenThePanels) {
  // Panels at design size, scale 1: top 800 x 96, left 55 x 449, right 112 wide.
  const PanelSizes panels{800, 96, 55, 449, 112};
  const BrowserPlacement hidden = ComputeBrowserPlacement(panels, false, 1.0);
  EXPECT_EQ(hidden.browser, (Rect{54, 95, 800 - 112 + 2 - 54, 545 - 95}));
  EXPECT_EQ(hidden.browser.bottom(), 545);
  EXPECT_EQ(hidden.email, (Rect{55, 96, hidden.browser.width - 3, hidden.browser.height - 2}));
  const BrowserPlacement shown = ComputeBrowserPlacement(panels, true, 1.0);
  EXPECT_EQ(shown.browser.bottom(), 96 + 449 + 2);
  EXPECT_EQ(shown.browser.right(), 800 - 112 + 2);
  EXPECT_EQ(ComputeBrowserPlacement(panels, false, 1.28).browser.bottom(), 768 - 73 + 2);
}

TEST_F(ControllerTest, AnUnusableBrowserKindFallsBackToTheEmbeddedBrowser) {
  struct Case {
    int kind;
    const char* log;  // the line after "Log opened", if any
  };
  const Case cases[] = {{0, "External Browser Not Available - Embedded Browser Used"},
                        {1, nullptr},
                        {7, "Browser Kind 7 Not Known - Embedded Browser Used"},
                        {-1, "Browser Kind -1 Not Known - Embedded Browser Used"}};
  for (const Case& c : cases) {
    std::filesystem::remove_all(dir_.File("log"));
    WriteIni("[BROWSER]\nBrowser=" + std::to_string(c.kind) + "\n");
    KioskController& k = Start();
    EXPECT_EQ(k.browser_status().engine, 1) << c.kind;
    EXPECT_EQ(Log(), (c.log ? Texts{"Log opened", c.log} : Texts{"Log opened"})) << c.kind;
    k.SecondTick();
    EXPECT_TRUE(k.loop_running()) << c.kind;
  }
  // An engine that can run is kept; a number no engine has is not asked about.
  std::vector<int> asked;
  const auto can_run = [&](int engine) {
    asked.push_back(engine);
    return true;
  };
  EXPECT_EQ(ChooseBrowser(0, can_run).engine, 0);
  EXPECT_EQ(ChooseBrowser(0, can_run).reason, "");
  EXPECT_EQ(ChooseBrowser(2, can_run).engine, 1);
  EXPECT_EQ(ChooseBrowser(1, can_run).engine, 1);
  EXPECT_EQ(asked, (std::vector<int>{0, 0}));
}

TEST_F(ControllerTest, ShutdownWritesTheLastLineAndGivesTheDesktopBack) {
  WriteIni("[PREFERENCES]\nHideTaskBar=1\n[BROWSER]\nBrowser=1\n");
  KioskController& k = Start();
  EXPECT_TRUE(k.RunPass());
  k.RequestExit();
  EXPECT_FALSE(k.RunPass());
  k.Shutdown();
  k.Shutdown();
  EXPECT_EQ(Log(), (Texts{"Log opened", "Tarnwick Closing Down"}));
  EXPECT_EQ(hooks_.calls, (Texts{"keys locked", "taskbar hidden", "taskbar shown", "keys unlocked"}));
}

TEST_F(ControllerTest, GuardedWorkReportsErrorsAndCarriesOn) {
  KioskController& k = Start();
  k.Guarded([] { throw std::runtime_error("disk full"); });
  k.Guarded([&] { k.WriteLog("still here"); });
  // Shown once and written to the log once, by the controller (the view only shows it).
  EXPECT_EQ(hooks_.errors, (Texts{"Error - disk full"}));
  const Texts log = Log();
  EXPECT_EQ(Texts(log.end() - 2, log.end()), (Texts{"Error - disk full", "still here"}));
}

TEST_F(ControllerTest, ExitPasswordSequence) {
  struct Case {
    const char* ini;
    std::vector<int> presses;
    bool exits;
  };
  // Password "ACAC": clock, logo, clock, logo (tags 1 and 3).
  const Case cases[] = {
      {"PasswordOn=1\nPassword=ACAC", {1, 3, 1, 3}, true},
      {"PasswordOn=1\nPassword=ACAC", {1, 3, 1}, false},
      {"PasswordOn=1\nPassword=ACAC", {1, 3, 2, 1, 3, 1, 3}, true},  // a wrong press starts again
      {"PasswordOn=1\nPassword=ACAC", {1, 1, 3, 1, 3}, false},       // the wrong press is not a new first letter
      {"PasswordOn=0\nPassword=ACAC", {1, 3, 1, 3}, false},
      {"PasswordOn=1\nPassword=", {1, 2, 3}, false},
      {"PasswordOn=1\nPassword=Z", {26}, true},
      {"PasswordOn=1\nPassword=A1", {1, 1, 2, 3, 26}, false},  // a digit is no button
  };
  for (const Case& c : cases) {
    std::filesystem::remove_all(dir_.File("log"));
    WriteIni(std::string("[PREFERENCES]\n") + c.ini + "\n");
    KioskController& k = Start();
    for (int tag : c.presses) k.CheckExitPassword(tag);
    EXPECT_EQ(k.exit_requested(), c.exits) << c.ini;
  }
}

class RecordingSender : public LogMailSender {
 public:
  void Send(const LogMail& mail) override {
    if (fail) throw std::runtime_error("server down");
    sent.push_back(mail);
  }
  bool fail = false;
  std::vector<LogMail> sent;
};

TEST_F(ControllerTest, PendingLogMailIsSentWhenTheBrowserIsReady) {
  WriteIni("[PREFERENCES]\nEMailLog=1\nEMailFeedback=1\n[EMAILADDRESS]\nAddress0=op@example.org\n");
  KioskController& k = Start();
  RecordingSender sender;
  k.log_mail().SetSender(&sender);
  std::ofstream(dir_.File("feedback/FB1.txt")) << "hello";
  k.log().RollOverLog();
  k.RunPass();
  EXPECT_TRUE(sender.sent.empty());  // browser not ready yet
  k.browser_status().SetReady();
  sender.fail = true;
  k.Guarded([&] { k.RunPass(); });
  EXPECT_TRUE(k.log_mail().mail().pending);  // kept for a later try
  EXPECT_TRUE(hooks_.errors.empty());        // logged, not shown
  sender.fail = false;
  k.RunPass();
  EXPECT_TRUE(sender.sent.empty());  // the retry waits
  clock_.Advance(LogMailDelivery::kFirstRetryDelay);
  k.RunPass();
  ASSERT_EQ(sender.sent.size(), 1u);
  EXPECT_EQ(sender.sent[0].attachments.size(), 1u);
  EXPECT_FALSE(k.log_mail().mail().pending);
  EXPECT_TRUE(k.log_mail().mail().attachments.empty());
  EXPECT_TRUE(k.log_mail().mail().body.empty());
}

}  // namespace
}  // namespace tw
