// The banner bar's and the side panels' presses as rules: the page each opens, the
// e-mail window hidden, the exit password fed, the clock's exit, the arrows driving the
// page scroll, the focus.
#include "kiosk/core/commands/panel_actions.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <optional>

#include "fakes/manual_clock.h"
#include "kiosk/core/kiosk_controller.h"
#include "kiosk/core/log_lines.h"
#include "kiosk/core/recording_hooks.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

using Texts = std::vector<std::string>;

class RecordingParts : public NoEmailWindow, public BrowserFocus, public PageScrolling, public ScrollArrows {
 public:
  void Hide() override { calls.push_back("hide email"); }
  void TakeFocus() override { calls.push_back("focus"); }
  void BringToFront() override { calls.push_back("front"); }
  void ScrollFocusedPage(std::optional<ScrollDirection> d, PageScrollAnswers&) override {
    calls.push_back(d ? "scroll " + std::to_string(static_cast<int>(*d)) : "look");
  }
  bool ScrollPending() const override { return false; }
  void SetArrowsEnabled(bool v, bool h) override {
    calls.push_back(std::string("arrows ") + (v ? "v" : "") + (h ? "h" : ""));
  }
  Texts calls;
};

class PanelActionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ofstream(dir_.File("Tarnwick.ini"))
        << "[BROWSER]\nBrowser=1\n[PREFERENCES]\nPasswordOn=1\nPassword=CB\nLogURLs=1\n"
           "[BUTTONS]\nCustom1URL=http://one/\nScrollOn=0\n";
    controller_.Create(800);
    scrolling_.emplace(false, 1.0, controller_.keyboard(), parts_, parts_, nullptr);
  }
  PanelActions Make(bool exit_buttons, std::string logo = "http://logo/") {
    PanelActions::Settings s;
    s.right = controller_.settings().right;
    s.logo_url = std::move(logo);
    s.exit_buttons_shown = exit_buttons;
    return PanelActions(controller_, parts_, parts_, *scrolling_, s);
  }
  Texts Queued() {
    Texts urls;
    while (const auto url = controller_.navigation().Take()) urls.push_back(*url);
    return urls;
  }

  test::TempDir dir_;
  test::ManualClock clock_;
  test::RecordingHooks hooks_;
  KioskController controller_{dir_.path(), clock_, hooks_};
  RecordingParts parts_;
  std::optional<PageScrollDriver> scrolling_;
};

TEST_F(PanelActionsTest, PressesOpenTheirPagesAndFeedThePassword) {
  struct Case {
    const char* name;
    std::function<void(PanelActions&)> press;
    Texts queued;
    Texts calls;
  };
  const Case cases[] = {
      {"banner", [](PanelActions& a) { a.BannerClicked("http://a/"); }, {"http://a/"}, {"hide email"}},
      {"banner without page", [](PanelActions& a) { a.BannerClicked(std::nullopt); }, {}, {}},
      {"logo", [](PanelActions& a) { a.LogoClicked(); }, {"http://logo/"}, {"hide email"}},
      {"page button 1", [](PanelActions& a) { a.PageButtonClicked(1); }, {"http://one/"}, {"hide email"}},
      {"page button 3, no page", [](PanelActions& a) { a.PageButtonClicked(3); }, {}, {}},
      {"arrow", [](PanelActions& a) { a.ArrowPressed(ScrollDirection::kDown); }, {}, {"focus"}},
      {"right panel", [](PanelActions& a) { a.BackgroundPressed(true); }, {}, {"focus"}},
      {"banner bar", [](PanelActions& a) { a.BackgroundPressed(false); }, {}, {"front"}},
  };
  PanelActions actions = Make(false);
  for (const Case& c : cases) {
    parts_.calls.clear();
    c.press(actions);
    EXPECT_EQ(Queued(), c.queued) << c.name;
    EXPECT_EQ(parts_.calls, c.calls) << c.name;
  }
  const Texts log = test::LogTexts(dir_.File("log/TWCurrentLog.txt"));
  EXPECT_NE(std::find(log.begin(), log.end(), "Banner Pressed - http://a/"), log.end());
  EXPECT_NE(std::find(log.begin(), log.end(), "Custom Button Pressed - http://one/"), log.end());
}

TEST_F(PanelActionsTest, TheClockEndsTheKioskOnlyWithTheExitButtonsAndEveryPressIsAPasswordLetter) {
  PanelActions without = Make(false);
  without.ClockClicked();
  EXPECT_FALSE(controller_.exit_requested());
  // The password "CB": the logo (tag 3), then the banner (tag 2), each through its press.
  without.LogoClicked();
  without.BannerClicked(std::nullopt);
  EXPECT_TRUE(controller_.exit_requested());
  PanelActionsTest::SetUp();
  PanelActions with = Make(true);
  with.ClockClicked();
  EXPECT_TRUE(controller_.exit_requested());
}

TEST_F(PanelActionsTest, PictureProblemsReachTheLogAndTheScreen) {
  PanelActions actions = Make(false);
  actions.BannerMissing("/k/gone.gif");
  actions.PictureError("Cannot read picture /k/bad.gif");
  const Texts log = test::LogTexts(dir_.File("log/TWCurrentLog.txt"));
  EXPECT_EQ(Texts(log.end() - 2, log.end()),
            (Texts{"Cannot Load Banner - /k/gone.gif", "Error - Cannot read picture /k/bad.gif"}));
  EXPECT_EQ(hooks_.errors, Texts{"Error - Cannot read picture /k/bad.gif"});
}

}  // namespace
}  // namespace tw
