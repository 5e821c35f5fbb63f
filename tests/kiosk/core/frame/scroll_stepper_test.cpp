// The arrows' hold and step modes and the automatic scroll after the keyboard is raised.
#include "kiosk/core/frame/scroll_stepper.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

using D = ScrollDirection;

// Passes until nothing scrolls any more; counts the lines scrolled down.
int LinesUntilStill(ScrollStepper& s, int limit = 1000) {
  int lines = 0;
  for (int pass = 0; pass < limit; ++pass) {
    const auto d = s.Step(false);
    if (!d) break;
    if (*d == D::kDown) ++lines;
  }
  return lines;
}

TEST(ScrollStepperStepMode, OnePressScrollsSevenLinesAtScaleOne) {
  ScrollStepper s(false, 1.0);
  bool caret = false;
  s.Press(D::kDown, caret);
  s.Release(D::kDown);  // release does nothing in step mode
  EXPECT_EQ(LinesUntilStill(s), 7);
  EXPECT_FALSE(s.held(D::kDown));
  EXPECT_EQ(s.pending(D::kDown), 0);
}

TEST(ScrollStepperStepMode, LinesPerPressFollowTheScale) {
  const std::pair<double, int> cases[] = {{0.8, 6}, {1.28, 9}, {1.6, 11}, {2.0, 13}};
  for (const auto& [scale, lines] : cases) {
    ScrollStepper s(false, scale);
    bool caret = false;
    s.Press(D::kDown, caret);
    EXPECT_EQ(LinesUntilStill(s), lines) << scale;
  }
}

TEST(ScrollStepperStepMode, TwoQuickPressesGiveThirteenOrFourteenLines) {
  // The second press after k passes: while the first press's direction is still active
  // the counts add up to 13; once it has ended each press gives its own 7.
  for (int passes_between = 0; passes_between <= 8; ++passes_between) {
    ScrollStepper s(false, 1.0);
    bool caret = false;
    s.Press(D::kDown, caret);
    int lines = 0;
    for (int p = 0; p < passes_between; ++p) lines += s.Step(false) == D::kDown;
    s.Press(D::kDown, caret);
    lines += LinesUntilStill(s);
    EXPECT_EQ(lines, passes_between >= 7 ? 14 : 13) << passes_between;
  }
}

TEST(ScrollStepperHoldMode, ScrollsOneLinePerPassWhileHeld) {
  ScrollStepper s(true, 1.0);
  bool caret = false;
  s.Press(D::kLeft, caret);
  for (int p = 0; p < 30; ++p) EXPECT_EQ(s.Step(false), D::kLeft);
  EXPECT_EQ(s.pending(D::kLeft), 0);
  s.Release(D::kLeft);
  EXPECT_EQ(s.Step(false), std::nullopt);
}

TEST(ScrollStepper, OneDirectionPerPassInOrderOfPreference) {
  ScrollStepper s(true, 1.0);
  bool caret = false;
  s.Press(D::kRight, caret);
  EXPECT_EQ(s.Step(false), D::kRight);
  s.Press(D::kLeft, caret);
  EXPECT_EQ(s.Step(false), D::kLeft);
  EXPECT_EQ(s.Step(true), D::kDown);  // the automatic scroll goes before left and right
  s.Press(D::kDown, caret);
  s.Press(D::kUp, caret);
  EXPECT_EQ(s.Step(true), D::kUp);
}

TEST(ScrollStepper, UpEndsTheAutomaticScrollOtherArrowsDoNot) {
  ScrollStepper s(true, 1.0);
  bool caret = true;
  s.Press(D::kDown, caret);
  EXPECT_TRUE(caret);
  s.Press(D::kUp, caret);
  EXPECT_FALSE(caret);
}

TEST(CaretScroll, GoesOnWhileTheCaretIsLowAndStillMoving) {
  struct Case {
    bool request;
    std::optional<int> caret, previous;
    bool expected;
  };
  const Case cases[] = {
      {true, 400, std::nullopt, true},  {true, 400, 420, true},   {true, 101, 140, true},
      {true, 100, 140, false},          {true, 30, 60, false},    {true, 400, 400, false},
      {true, std::nullopt, 300, false}, {false, 400, 420, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ContinueCaretScroll(c.request, c.caret, c.previous), c.expected)
        << c.request << ' ' << c.caret.value_or(-1) << ' ' << c.previous.value_or(-1);
  }
}

}  // namespace
}  // namespace tw
