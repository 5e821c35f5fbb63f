// The tool bar's settings, slots and font rule, and the frame's reshaping when the
// keyboard is raised and lowered.
#include "kiosk/core/frame/toolbar_layout.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "common/config/profile_file.h"
#include "kiosk/core/frame/frame_layout.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

ToolbarConfig ReadFrom(const std::string& text, SettingErrors* errors = nullptr) {
  test::TempDir dir;
  std::ofstream(dir.File("Tarnwick.ini"), std::ios::binary) << text;
  SettingErrors none;
  ToolbarConfig c = ReadToolbarConfig(ProfileFile(dir.File("Tarnwick.ini")), errors ? *errors : none);
  EXPECT_TRUE(errors || none.empty()) << none.list().front().Text();
  return c;
}

TEST(ToolbarSlots, NumberOfButtonsIsComparedAsExactText) {
  struct Case {
    const char* number;
    ToolbarSlotGeometry expected;
  };
  const Case cases[] = {
      {"5", {10, 161, 137}}, {"6", {10, 132, 121}}, {"7", {9, 113, 105}}, {"8", {9, 99, 89}},
      {"06", {6, 132, 121}}, {" 6", {6, 132, 121}}, {"9", {6, 132, 121}}, {"", {6, 132, 121}},
  };
  for (const Case& c : cases) EXPECT_EQ(SlotGeometryFor(c.number), c.expected) << '"' << c.number << '"';
}

TEST(ToolbarSlots, SixSlotsCoverTheDesignWidth) {
  const ToolbarSlotGeometry g = SlotGeometryFor("6");
  EXPECT_EQ(SlotLeft(g, 1), 10);
  EXPECT_EQ(SlotLeft(g, 6) + g.width, 791);
}

TEST(ToolbarConfigReading, SlotVisibilityAndWidthFollowTheButtonsSection) {
  // The profile reader keeps "5" as it is written; the slot rows compare that text.
  const ToolbarConfig c = ReadFrom(
      "[BUTTONS]\nNumberOfButtons=5\nStartOn=3\nBackOn=0\nForwardOn=2\nKeyboardOn=5\nBCustom2On=4\n"
      "[URLS]\nBCustom2=http://x/\n[TEXT]\nStart=Home\nShow=Keys\n");
  const ToolbarButtonConfig& start = c.button(ToolbarButtonId::kStart);
  EXPECT_TRUE(start.visible);
  EXPECT_EQ(start.left, 332);
  EXPECT_EQ(start.width, 137);
  EXPECT_EQ(start.caption, "Home");
  EXPECT_FALSE(c.button(ToolbarButtonId::kBack).visible) << "On = 0 hides";
  EXPECT_FALSE(c.button(ToolbarButtonId::kHelp).visible) << "a missing On key hides";
  EXPECT_EQ(c.button(ToolbarButtonId::kHelp).left, 10) << "default slot 1";
  // Back2 and Forward2 take Back's and Forward's slot and start hidden.
  EXPECT_EQ(c.button(ToolbarButtonId::kForward2).left, c.button(ToolbarButtonId::kForward).left);
  EXPECT_TRUE(c.button(ToolbarButtonId::kForward).visible);
  EXPECT_FALSE(c.button(ToolbarButtonId::kForward2).visible);
  EXPECT_EQ(c.button(ToolbarButtonId::kKeyboard).caption, "Keys");
  EXPECT_EQ(c.show_text, "Keys");
  EXPECT_EQ(c.button(ToolbarButtonId::kCustom2).caption, "Custom 2");
  EXPECT_EQ(c.button(ToolbarButtonId::kCustom2).url, "http://x/");
}

TEST(ToolbarConfigReading, ALaterButtonOnTheSameSlotIsCreatedLater) {
  const ToolbarConfig c = ReadFrom("[BUTTONS]\nStartOn=2\nReloadOn=2\n");
  EXPECT_EQ(c.button(ToolbarButtonId::kStart).left, c.button(ToolbarButtonId::kReload).left);
  const auto buttons = ToolbarButtons();
  std::size_t start_at = 0, reload_at = 0;
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    if (buttons[i].id == ToolbarButtonId::kStart) start_at = i;
    if (buttons[i].id == ToolbarButtonId::kReload) reload_at = i;
  }
  EXPECT_LT(start_at, reload_at);
}

TEST(ToolbarConfigReading, ANonNumberCostsOnlyThatKey) {
  struct Case {
    const char* ini;
    const char* key;
    const char* value;
    std::function<void(const ToolbarConfig&)> check;
  };
  const Case cases[] = {
      // The Start button's slot: it keeps slot 1 and stays hidden; the Keyboard button
      // after it is where the operator put it.
      {"[BUTTONS]\nStartOn=5a\nBackOn=2\nKeyboardOn=6\nExitOn=0\n[PREFERENCES]\nDefaultKeyboard=1\n", "StartOn", "5a",
       [](const ToolbarConfig& c) {
         EXPECT_FALSE(c.button(ToolbarButtonId::kStart).visible);
         EXPECT_EQ(c.button(ToolbarButtonId::kStart).left, 10);
         EXPECT_TRUE(c.button(ToolbarButtonId::kBack).visible);
         EXPECT_TRUE(c.button(ToolbarButtonId::kKeyboard).visible);
         EXPECT_EQ(c.button(ToolbarButtonId::kKeyboard).left, SlotLeft(c.slot_geometry, 6));
         EXPECT_FALSE(c.exit_on);
         EXPECT_EQ(c.default_keyboard, 1);
       }},
      // Back's glyph count, shared with the e-mail window's Back2 (reported once).
      {"[TEXT]\nBack=Zurück\n[GLYPHNUM]\nBack=two\nForward=3\n[GLYPH]\nBack=back.bmp\n[BUTTONS]\nBackOn=1\n"
       "[SOUNDS]\nKeyboard=7\n",
       "Back", "two",
       [](const ToolbarConfig& c) {
         EXPECT_EQ(c.button(ToolbarButtonId::kBack).caption, "Zurück");
         EXPECT_EQ(c.button(ToolbarButtonId::kBack).glyph_count, 2);
         EXPECT_EQ(c.button(ToolbarButtonId::kForward).glyph_count, 3);
         EXPECT_EQ(c.button(ToolbarButtonId::kBack).glyph_file, "back.bmp");
         EXPECT_TRUE(c.button(ToolbarButtonId::kBack).visible);
         EXPECT_EQ(c.keyboard_sound, 7);
       }},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.key);
    SettingErrors errors;
    k.check(ReadFrom(k.ini, &errors));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors.list()[0].key, k.key);
    EXPECT_EQ(errors.list()[0].value, k.value);
  }
}

TEST(ToolbarConfigReading, KeyboardPageSettings) {
  const ToolbarConfig c = ReadFrom(
      "[BUTTONS]\nExitOn=0\n[PREFERENCES]\nDefaultKeyboard=1\nDebug=1\n[SOUNDS]\nKeyboard=7\nKBCustomSound=k.wav\n"
      "StartSource=2\nStartWav=s.wav\n");
  EXPECT_FALSE(c.exit_on);
  EXPECT_EQ(c.default_keyboard, 1);
  EXPECT_TRUE(c.debug);
  EXPECT_EQ(c.keyboard_sound, 7);
  EXPECT_EQ(c.keyboard_custom_sound, "k.wav");
  EXPECT_EQ(c.button(ToolbarButtonId::kStart).sound, 2);
  EXPECT_EQ(c.button(ToolbarButtonId::kStart).custom_sound, "s.wav");
}

TEST(ToolbarFonts, HeightsJustBelowThirtyBecomeThirty) {
  EXPECT_EQ(ScaledFontHeight(-21, 1.0), -21);
  EXPECT_EQ(ScaledFontHeight(-21, 1.28), -30);  // -26.88 rounds to -27
  EXPECT_EQ(ScaledFontHeight(-21, 1.6), -34);
  EXPECT_EQ(ScaledFontHeight(-21, 1.25), -26);
  EXPECT_EQ(ScaledFontHeight(-29, 1.0), -30);
  EXPECT_EQ(ScaledFontHeight(-30, 1.0), -30);
  EXPECT_EQ(ScaledFontHeight(-31, 1.0), -31);
}

constexpr std::array<bool, kSidePanelCustomCount> kUrls{true, false, true};

TEST(FrameLayoutToggle, DesignSizeSpansTheDescribedRows) {
  FrameLayout l = InitialFrameLayout(1.0, kUrls);
  EXPECT_EQ(l.bottom_form.top, 543);
  EXPECT_EQ(l.bottom_form.bottom(), 814);
  ShowKeyboardLayout(l, 1.0);
  EXPECT_EQ(l.bottom_form.top, 329);
  EXPECT_EQ(l.bottom_form.bottom(), 600);
  EXPECT_EQ(l.left_panel.height, 269);
  EXPECT_EQ(l.right_panel.height, 269);
  EXPECT_EQ(l.busy_meter.height, 469 - 214);
  EXPECT_EQ(l.arrows[0].top, 296 - 214);
  EXPECT_EQ(l.custom_visible, (std::array<bool, kSidePanelCustomCount>{}));
  // The browser's hole ends where the raised form begins (plus the overlap).
  const BrowserPlacement p = ComputeBrowserPlacement(PanelSizesOf(l, 800, 60), true, 1.0);
  EXPECT_EQ(p.browser.bottom(), 331);
}

TEST(FrameLayoutToggle, TwoTogglesRestoreEveryRectangleAtEveryScale) {
  for (double scale : {0.8, 1.0, 1.28, 1.6, 2.0}) {
    const FrameLayout initial = InitialFrameLayout(scale, kUrls);
    FrameLayout l = initial;
    ShowKeyboardLayout(l, scale);
    EXPECT_NE(l, initial);
    HideKeyboardLayout(l, scale, kUrls);
    EXPECT_EQ(l, initial) << scale;
    const BrowserPlacement before = ComputeBrowserPlacement(PanelSizesOf(initial, 800, 60), false, scale);
    const BrowserPlacement after = ComputeBrowserPlacement(PanelSizesOf(l, 800, 60), l.keyboard_shown, scale);
    EXPECT_EQ(before.browser, after.browser);
  }
}

TEST(FrameLayoutToggle, TravelIsTheFormLessItsToolBar) {
  const FrameLayout l = InitialFrameLayout(1.28, kUrls);
  EXPECT_EQ(l.bottom_form.height, 347);
  EXPECT_EQ(KeyboardTravel(l, 1.28), 347 - 73);
}

}  // namespace
}  // namespace tw
