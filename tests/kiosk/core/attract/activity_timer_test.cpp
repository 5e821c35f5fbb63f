#include "kiosk/core/attract/activity_timer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "fakes/manual_clock.h"
#include "kiosk/core/kiosk_controller.h"
#include "kiosk/core/commands/kiosk_topics.h"
#include "kiosk/core/log_lines.h"
#include "kiosk/core/recording_frame.h"
#include "kiosk/core/recording_hooks.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

using Texts = std::vector<std::string>;

struct Navigation {
  int second;
  std::string url;
  bool operator==(const Navigation&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Navigation& n) { return out << n.second << ":" << n.url; }

class ActivityTimerTest : public ::testing::Test {
 protected:
  // Starts the controller on these settings with the browser attached and the loop started.
  void Start(const std::string& ini) {
    std::ofstream(dir_.File("Tarnwick.ini"), std::ios::binary) << "[BROWSER]\nBrowser=1\n[URLS]\nStart=start\n" << ini;
    controller_ = std::make_unique<KioskController>(dir_.path(), clock_, hooks_);
    controller_->Create(800);
    controller_->activity().SetFrame(&frame_);
    controller_->activity().SetButtons(&buttons_);
    controller_->browser_status().SetReady();
  }
  // Runs ticks, one per simulated second, noting when each URL was queued.
  void Run(int seconds) {
    for (int i = 0; i < seconds; ++i) {
      clock_.Advance(1);
      ++second_;
      controller_->SecondTick();
      while (auto url = controller_->navigation().Take()) navigations_.push_back({second_, *url});
    }
  }
  void MoveDiagonally() { frame_.cursor = {frame_.cursor.x + 3, frame_.cursor.y + 2}; }
  int Count() const { return controller_->activity().idle_count(); }
  Texts Log() const { return test::LogTexts(dir_.File("log/TWCurrentLog.txt")); }
  bool Logged(const std::string& text) const {
    const Texts log = Log();
    return std::find(log.begin(), log.end(), text) != log.end();
  }

  test::TempDir dir_;
  test::ManualClock clock_;
  test::RecordingHooks hooks_;
  test::RecordingFrame frame_;
  test::RecordingButtons buttons_;
  std::unique_ptr<KioskController> controller_;
  std::vector<Navigation> navigations_;
  int second_ = 0;
};

constexpr char kCarousel[] =
    "[ATTRACT]\nTimeStart=60\nTimeCarousel=90\n"
    "[CAROUSELURLS]\nURL0=page0\nURL1=page1\n[CAROUSELTIMES]\nTime0=30\nTime1=45\n";

TEST_F(ActivityTimerTest, StartPageThenCarouselAtItsOwnTimes) {
  Start(kCarousel);
  Run(200);
  EXPECT_EQ(navigations_,
            (std::vector<Navigation>{{60, "start"}, {90, "page0"}, {120, "page1"}, {165, "page0"}, {195, "page1"}}));
  EXPECT_TRUE(Logged("Timed Start Activation - start"));
  EXPECT_TRUE(Logged("Timed Carousel Activation - page1"));
  EXPECT_EQ(frame_.banner_steps, 200);
}

TEST_F(ActivityTimerTest, CarouselKeepsItsRhythmOverHoursAndStartsOverAfterActivity) {
  Start(kCarousel);
  Run(3 * 3600);
  // After the start page every page follows the one before by that page's time, for hours.
  ASSERT_GT(navigations_.size(), 280u);
  for (std::size_t i = 2; i < navigations_.size(); ++i) {
    const bool after_page0 = navigations_[i - 1].url == "page0";
    EXPECT_EQ(navigations_[i].second - navigations_[i - 1].second, after_page0 ? 30 : 45) << i;
    EXPECT_EQ(navigations_[i].url, after_page0 ? "page1" : "page0") << i;
  }
  // A key press begins a new idle period: the carousel starts again with its first page.
  controller_->activity().ResetIdleCount();
  navigations_.clear();
  const int now = second_;
  Run(95);
  EXPECT_EQ(navigations_, (std::vector<Navigation>{{now + 60, "start"}, {now + 90, "page0"}}));
}

TEST_F(ActivityTimerTest, DiagonalMoveAfterCarouselReturnsToStartAndClearsTheSession) {
  Start(kCarousel + std::string("[PREFERENCES]\n"));
  Run(100);
  navigations_.clear();
  frame_.calls.clear();
  controller_->keyboard().Toggle(800, 60);
  MoveDiagonally();
  Run(1);
  EXPECT_EQ(navigations_, (std::vector<Navigation>{{101, "start"}}));
  EXPECT_TRUE(Logged("Automatic Return To Start - start"));
  EXPECT_EQ(Count(), 1);
  // The keyboard page closes through its own button; the session goes before the page loads.
  EXPECT_EQ(buttons_.clicks, (std::vector<int>{ButtonTag(KioskButton::kKeyboard)}));
  EXPECT_EQ(frame_.calls, (Texts{"email hidden", "keyboard reset", "session ended"}));
  const Texts log = Log();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(Texts(log.end() - 2, log.end()), (Texts{"Visitor Session Cleared", "Automatic Return To Start - start"}));
}

TEST_F(ActivityTimerTest, WhatCountsAsActivity) {
  struct Case {
    const char* name;
    CursorPoint move;
    bool key_press;
    bool resets;
    bool returns_to_start;
  };
  const Case cases[] = {
      {"diagonal", {5, 5}, false, true, true},
      {"horizontal only", {5, 0}, false, false, false},
      {"vertical only", {0, 5}, false, false, false},
      {"key press", {0, 0}, true, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    navigations_.clear();
    frame_.cursor = {};
    Start(kCarousel);
    Run(100);
    navigations_.clear();
    frame_.cursor = {c.move.x, c.move.y};
    if (c.key_press) controller_->activity().ResetIdleCount();
    Run(1);
    EXPECT_EQ(Count(), c.resets ? 1 : 101);
    EXPECT_EQ(!navigations_.empty() && navigations_[0].url == "start", c.returns_to_start);
  }
}

TEST_F(ActivityTimerTest, NoReturnToStartBeforeTheCarouselOrWithGoToStartOff) {
  for (const std::string extra : {"", "GoToStart=0\n"}) {
    SCOPED_TRACE(extra);
    navigations_.clear();
    Start(std::string("[ATTRACT]\nTimeCarousel=90\n") + extra);
    Run(extra.empty() ? 90 : 200);  // count 90 is not yet past the carousel time
    MoveDiagonally();
    Run(1);
    EXPECT_TRUE(navigations_.empty());
    EXPECT_EQ(Count(), 1);
  }
}

// The countdown from `from` seconds to 1, then the warning gone (0).
std::vector<int> Countdown(int from) {
  std::vector<int> shown;
  for (int left = from; left > 0; --left) shown.push_back(left);
  shown.push_back(0);
  return shown;
}

TEST_F(ActivityTimerTest, TheIdleWarningCountsDownToTheFirstTimedActionOnlyForAVisitor) {
  struct Case {
    const char* name;
    std::string ini;
    bool visitor;  // a diagonal move after three seconds
    std::vector<int> warnings;
  };
  const std::string carousel = "[CAROUSELURLS]\nURL0=page0\n[CAROUSELTIMES]\nTime0=30\n";
  const Case cases[] = {
      {"before the start page", "[ATTRACT]\nTimeStart=60\n", true, Countdown(20)},
      {"its own length", "[ATTRACT]\nTimeStart=60\nIdleWarningSeconds=5\n", true, Countdown(5)},
      {"short idle time: only its second half", "[ATTRACT]\nTimeStart=10\n", true, Countdown(5)},
      {"before the carousel when it comes first", "[ATTRACT]\nTimeStart=90\nTimeCarousel=50\n" + carousel, true,
       Countdown(20)},
      {"carousel time without pages", "[ATTRACT]\nTimeStart=90\nTimeCarousel=50\n", true, Countdown(20)},
      {"turned off", "[ATTRACT]\nTimeStart=60\nIdleWarningSeconds=0\n", true, {}},
      {"nobody used the kiosk", "[ATTRACT]\nTimeStart=60\n", false, {}},
      {"nothing timed", "", true, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    navigations_.clear();
    frame_.warnings.clear();
    // Wherever the pointer rests at the start is no move of a visitor's.
    frame_.cursor = {400, 300};
    Start(c.ini);
    const std::size_t mark = Log().size();
    Run(3);
    if (c.visitor) MoveDiagonally();
    Run(200);
    EXPECT_EQ(frame_.warnings, c.warnings);
    const Texts log = Log();
    EXPECT_EQ(std::count(log.begin() + static_cast<std::ptrdiff_t>(mark), log.end(), "Idle Warning Shown"),
              c.warnings.empty() ? 0 : 1);
  }
}

TEST_F(ActivityTimerTest, ATouchDuringTheIdleWarningKeepsThePage) {
  Start("[ATTRACT]\nTimeStart=60\n");
  Run(1);
  MoveDiagonally();
  Run(46);  // the warning is up, 14 seconds left
  ASSERT_TRUE(controller_->activity().idle_warning_shown());
  controller_->activity().VisitorActivity();
  Run(1);
  EXPECT_FALSE(controller_->activity().idle_warning_shown());
  EXPECT_EQ(frame_.warnings.back(), 0);
  Run(45);
  EXPECT_TRUE(navigations_.empty());
  Run(15);  // a new idle period's full warning, then the start page
  EXPECT_EQ(navigations_, (std::vector<Navigation>{{107, "start"}}));
  Texts warning_lines;
  for (const std::string& line : Log()) {
    if (line.starts_with("Idle Warning") || line == "Visitor Session Cleared") warning_lines.push_back(line);
  }
  EXPECT_EQ(warning_lines,
            (Texts{"Idle Warning Shown", "Idle Warning Answered", "Idle Warning Shown", "Visitor Session Cleared"}));
}

TEST_F(ActivityTimerTest, WithoutAttachedBrowserTheCountNeverPassesOne) {
  Start("[ATTRACT]\nTimeStart=60\nTimeVideo=2\n");
  controller_->browser_status().attached = false;
  int highest = 0;
  for (int i = 0; i < 600; ++i) {
    Run(1);
    highest = std::max(highest, Count());
  }
  EXPECT_EQ(highest, 1);
  EXPECT_TRUE(navigations_.empty());
  EXPECT_FALSE(controller_->activity().video_playing());
}

TEST_F(ActivityTimerTest, IdleModeHoldsTheCountAndFiresNothingTwice) {
  Start(
      "[ATTRACT]\nTimeStart=60\nTimeVideo=60\nTimeCarousel=60\n"
      "[CAROUSELURLS]\nURL0=page0\n[CAROUSELTIMES]\nTime0=0\n");
  Run(59);
  controller_->activity().IdleModeOn();
  Run(10);
  EXPECT_EQ(Count(), 59);
  controller_->activity().IdleModeOff();
  Run(1);  // 60: start page, carousel, video
  controller_->activity().IdleModeOn();
  navigations_.clear();
  frame_.calls.clear();
  const int banner_steps = frame_.banner_steps;
  Run(120);
  EXPECT_EQ(Count(), 60);
  EXPECT_TRUE(navigations_.empty());
  EXPECT_TRUE(frame_.calls.empty());
  EXPECT_EQ(frame_.banner_steps, banner_steps);
  // A mouse move resets the held count to 0, which is no idle time: nothing fires.
  MoveDiagonally();
  Run(30);
  EXPECT_EQ(Count(), 0);
  EXPECT_TRUE(navigations_.empty());
}

TEST_F(ActivityTimerTest, VideoAtItsTimeStoppedByTheStartPageTime) {
  Start(
      "[ATTRACT]\nTimeVideo=30\nTimeStart=100\nTimeCarousel=40\n"
      "[CAROUSELURLS]\nURL0=page0\nURL1=page1\n[CAROUSELTIMES]\nTime0=20\nTime1=20\n");
  Run(30);
  EXPECT_TRUE(controller_->activity().video_playing());
  EXPECT_EQ(navigations_, (std::vector<Navigation>{{30, "start"}}));
  // The carousel goes on behind the video without loading pages.
  Run(50);
  EXPECT_EQ(navigations_.size(), 1u);
  EXPECT_EQ(controller_->activity().carousel_index(), 1);
  Run(20);
  EXPECT_FALSE(controller_->activity().video_playing());
  const Texts log = Log();
  const auto starting = std::find(log.begin(), log.end(), "Starting Video");
  ASSERT_NE(starting, log.end());
  EXPECT_EQ(*(starting + 2), "Automatic Return To Start - start");
  const auto stopping = std::find(log.begin(), log.end(), "Stopping Video");
  ASSERT_NE(stopping, log.end());
  EXPECT_EQ(*(stopping + 2), "Timed Start Activation - start");
  EXPECT_EQ(frame_.calls.front(), "video start");
  EXPECT_NE(std::find(frame_.calls.begin(), frame_.calls.end(), "video stop"), frame_.calls.end());
}

TEST_F(ActivityTimerTest, APageWithoutAUsableTimeIsSkippedAndReportedOnceAtStart) {
  struct Case {
    const char* time1;  // nullptr: Time1 missing
  };
  for (const Case& c : {Case{"soon"}, Case{""}, Case{nullptr}}) {
    const std::string time1 = c.time1 ? c.time1 : "";
    SCOPED_TRACE(c.time1 ? "'" + time1 + "'" : "missing");
    std::filesystem::remove_all(dir_.File("log"));
    hooks_.errors.clear();
    navigations_.clear();
    second_ = 0;
    Start(
        "[ATTRACT]\nTimeCarousel=10\n[CAROUSELURLS]\nURL0=page0\nURL1=page1\nURL2=page2\n"
        "[CAROUSELTIMES]\nTime0=5\n" +
        (c.time1 ? "Time1=" + time1 + "\n" : std::string()) + "Time2=7\n");
    Run(60);
    EXPECT_EQ(navigations_, (std::vector<Navigation>{{10, "page0"},
                                                     {15, "page2"},
                                                     {22, "page0"},
                                                     {27, "page2"},
                                                     {34, "page0"},
                                                     {39, "page2"},
                                                     {46, "page0"},
                                                     {51, "page2"},
                                                     {58, "page0"}}));
    const std::string line = "Setting [CAROUSELTIMES] Time1=" + time1 + " in Tarnwick.ini: '" + time1 +
                             "' is not a valid integer value - the carousel page is skipped";
    const Texts log = Log();
    EXPECT_EQ(std::count(log.begin(), log.end(), line), 1);
    EXPECT_EQ(hooks_.errors, (Texts{"Error - 1 bad setting in Tarnwick.ini - see log"}));
  }
}

TEST_F(ActivityTimerTest, MarkerFilesSwitchTheModes) {
  Start("");
  ActivityTimer& a = controller_->activity();
  std::ofstream(dir_.File("idle.txt")) << "x";
  a.CheckMarkerFiles();
  a.CheckMarkerFiles();
  EXPECT_TRUE(a.idle_mode());
  std::filesystem::remove(dir_.File("idle.txt"));
  a.CheckMarkerFiles();
  EXPECT_FALSE(a.idle_mode());
  std::ofstream(dir_.File("active.txt")) << "x";
  a.CheckMarkerFiles();
  EXPECT_TRUE(a.active_mode());
  std::filesystem::remove(dir_.File("active.txt"));
  a.CheckMarkerFiles();
  EXPECT_FALSE(a.active_mode());
  // Switched on from elsewhere: a file that was never there does not switch it off.
  a.IdleModeOn();
  a.ActiveModeOn();
  a.CheckMarkerFiles();
  EXPECT_TRUE(a.idle_mode());
  EXPECT_TRUE(a.active_mode());
  EXPECT_EQ(frame_.calls, (Texts{"cover on", "cover off", "cover on"}));
  const Texts log = Log();
  EXPECT_EQ(Texts(log.begin() + 1, log.end()), (Texts{"Idle mode On", "Idle mode Off", "Active mode On",
                                                      "Active mode Off", "Idle mode On", "Active mode On"}));
}

TEST_F(ActivityTimerTest, DiagnosticsShowTheCountAndTheNextPasswordLetter) {
  Start("[PREFERENCES]\nPassword=RS\nPasswordOn=1\n");
  Run(7);
  EXPECT_EQ(frame_.shown_count, 7);
  EXPECT_EQ(frame_.shown_code, 'R');
  controller_->CheckExitPassword(ButtonTag(KioskButton::kStart));
  Run(1);
  EXPECT_EQ(frame_.shown_code, 'S');
}

TEST_F(ActivityTimerTest, ActiveModeIgnoresTheMouse) {
  Start(kCarousel);
  controller_->activity().ActiveModeOn();
  Run(100);
  MoveDiagonally();
  Run(1);
  EXPECT_EQ(Count(), 101);
  EXPECT_FALSE(Logged("Automatic Return To Start - start"));
}

TEST_F(ActivityTimerTest, TopicsFromOtherPrograms) {
  Start("[PREFERENCES]\nDebug=1\n");
  KioskController& c = *controller_;
  const KioskTopicTargets t{c, c.activity(), c.settings().kiosk};
  EXPECT_TRUE(PokeKioskTopic(t, "TW_IdleOn", "any", ""));
  EXPECT_TRUE(c.activity().idle_mode());
  EXPECT_TRUE(PokeKioskTopic(t, "TW_ActiveOn", "", "x"));
  EXPECT_TRUE(c.activity().active_mode());
  EXPECT_TRUE(PokeKioskTopic(t, "TW_IdleOff", "", ""));
  EXPECT_TRUE(PokeKioskTopic(t, "TW_ActiveOff", "", ""));
  EXPECT_FALSE(c.activity().idle_mode());
  EXPECT_FALSE(c.activity().active_mode());
  EXPECT_TRUE(PokeKioskTopic(t, "TW_SendURL", "http://example.org/", ""));
  EXPECT_EQ(c.navigation().Take(), "http://example.org/");
  EXPECT_FALSE(PokeKioskTopic(t, "tw_idleon", "", ""));
  EXPECT_FALSE(c.activity().idle_mode());
  const Texts log = Log();
  EXPECT_EQ(Texts(log.end() - 2, log.end()),
            (Texts{"TW_SendURL - http://example.org/", "DDE SendURL Received - http://example.org/"}));
  // A browser's echo of a loaded page: logged for a document, with its raw text under Debug.
  EXPECT_TRUE(PokeKioskTopic(t, "WWW_URLEcho", "\"http://a.org/x,y\",\"internal/parser\",\"\"", ""));
  EXPECT_TRUE(PokeKioskTopic(t, "WWW_URLEcho", "\"http://a.org/p.png\",\"image/png\"", ""));
  const Texts echoed = Log();
  EXPECT_EQ(Texts(echoed.end() - 3, echoed.end()),
            (Texts{"URL Echo - \"http://a.org/x,y\",\"internal/parser\",\"\"", "Page Loaded - http://a.org/x,y",
                   "URL Echo - \"http://a.org/p.png\",\"image/png\""}));
}

TEST(QuotedItemURL, UpToTheQuoteCommaQuote) {
  EXPECT_EQ(QuotedItemURL("\"tw-command:start?\",\"\",0xFFFFFFFF,0x0"), "tw-command:start?");
  EXPECT_EQ(QuotedItemURL("\"mailto:a@b\",\"x\""), "mailto:a@b");
  EXPECT_EQ(QuotedItemURL("\"http://a/\""), "http://a/");
  EXPECT_EQ(QuotedItemURL("x"), "");
}

}  // namespace
}  // namespace tw
