// The keyboard's frame and the page scrolling it sets off, as plain rules: what a toggle
// gives the windows and the browser, and what the arrows and the caret ask of the page,
// pass by pass.
#include "kiosk/core/frame/keyboard_frame.h"

#include <gtest/gtest.h>

#include "kiosk/core/frame/page_scroll_driver.h"

namespace tw {
namespace {

using Texts = std::vector<std::string>;

TEST(KeyboardFrame, ToggleMovesTheBrowserFirstAndComesBackToTheSameFrame) {
  std::array<bool, kSidePanelCustomCount> with_url{};
  with_url[0] = true;
  KeyboardFrame frame(1.0, with_url);
  const FrameLayout lowered = frame.layout();
  const KeyboardFrame::Change up = frame.Toggle(800, 60);
  EXPECT_TRUE(up.shown);
  EXPECT_TRUE(frame.caret_scroll_request());  // the page follows the caret into sight
  EXPECT_EQ(up.layout.bottom_form.top, 329);
  EXPECT_FALSE(up.layout.custom_visible[0]);
  // Raising: the browser fits the smaller hole; lowering: it takes the full hole while
  // the frame is still small.
  EXPECT_EQ(up.browser_sizes, PanelSizesOf(up.layout, 800, 60));
  const KeyboardFrame::Change down = frame.Toggle(800, 60);
  EXPECT_FALSE(down.shown);
  EXPECT_EQ(down.browser_sizes, PanelSizesOf(up.layout, 800, 60));
  EXPECT_EQ(down.layout, lowered);
  EXPECT_TRUE(down.layout.custom_visible[0]);
}

class RecordingPage : public PageScrolling, public ScrollArrows {
 public:
  void ScrollFocusedPage(std::optional<ScrollDirection> d, PageScrollAnswers& answers) override {
    commands.push_back(d ? "line " + std::to_string(static_cast<int>(*d)) : "look");
    pending = &answers;
  }
  bool ScrollPending() const override { return false; }
  void SetArrowsEnabled(bool v, bool) override { arrows = v; }
  void Answer(std::optional<int> caret) { pending->PageScrollAnswered({caret, true, false}); }
  Texts commands;
  PageScrollAnswers* pending = nullptr;
  bool arrows = false;
};

TEST(PageScrollDriver, StepModePressesAndTheCaretScrollBecomePageCommandsPassByPass) {
  KeyboardFrame keyboard(1.0, {});
  RecordingPage page;
  PageScrollDriver driver(/*hold_mode=*/false, 1.0, keyboard, page, page, nullptr);
  // Step mode: one press scrolls six lines, one a pass.
  driver.ArrowPressed(ScrollDirection::kDown);
  driver.ArrowReleased(ScrollDirection::kDown);
  for (int pass = 0; pass < 8; ++pass) driver.Step();
  EXPECT_EQ(page.commands, (Texts{"line 1", "line 1", "line 1", "line 1", "line 1", "line 1", "line 1"}));
  // The keyboard goes up: the page first looks where the caret is, then follows it down
  // while it is low and still moving, and stops once it is near the top.
  page.commands.clear();
  keyboard.Toggle(800, 60);
  driver.Step();
  page.Answer(300);
  driver.Step();
  page.Answer(280);
  driver.Step();
  page.Answer(90);
  driver.Step();
  EXPECT_EQ(page.commands, (Texts{"look", "line 1", "line 1"}));
  EXPECT_FALSE(keyboard.caret_scroll_request());
  EXPECT_TRUE(page.arrows);
  // The Up arrow ends the automatic scroll at once.
  keyboard.SetCaretScroll(true);
  driver.ArrowPressed(ScrollDirection::kUp);
  EXPECT_FALSE(keyboard.caret_scroll_request());
}

}  // namespace
}  // namespace tw
