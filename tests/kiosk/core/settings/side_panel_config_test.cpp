// The side panels' settings.
#include "kiosk/core/settings/side_panel_config.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/temp_dir.h"

namespace tw {
namespace {

class SidePanelConfigTest : public ::testing::Test {
 protected:
  ProfileFile Write(const std::string& text) {
    std::ofstream(dir_.File("Tarnwick.ini"), std::ios::binary) << text;
    return ProfileFile(dir_.File("Tarnwick.ini"));
  }
  test::TempDir dir_;
  SettingErrors errors_;
};

TEST_F(SidePanelConfigTest, PageButtonsAreShownExactlyWhereTheyHaveAURL) {
  RightPanelConfig c;
  ReadRightPanelConfig(Write("[BUTTONS]\nCustom1URL=http://a/\nCustom1Text=News\nCustom3URL=\nCustom10URL=x\n"), c,
                       errors_);
  const auto shown = c.CustomHasURL();
  EXPECT_TRUE(shown[0]);
  EXPECT_FALSE(shown[1]);
  EXPECT_FALSE(shown[2]);
  EXPECT_TRUE(shown[9]);
  EXPECT_EQ(c.custom[0].caption, "News");
  EXPECT_EQ(c.custom[0].glyph_count, 1);
}

TEST_F(SidePanelConfigTest, ArrowsDefaultsAndTheirOwnSwitch) {
  RightPanelConfig c;
  ReadRightPanelConfig(Write(""), c, errors_);
  EXPECT_TRUE(c.arrows_visible);
  EXPECT_EQ(c.arrows[0].caption, "Up");
  EXPECT_EQ(c.arrows[3].caption, "Right");
  EXPECT_EQ(c.arrows[2].glyph_count, 2);

  RightPanelConfig off;
  // PREFERENCES/ScrollOn is the scrolling mode, not the arrows' visibility.
  ReadRightPanelConfig(Write("[PREFERENCES]\nScrollOn=1\n[BUTTONS]\nScrollOn=0\n[TEXT]\nUp=Hoch\n"), off, errors_);
  EXPECT_FALSE(off.arrows_visible);
  EXPECT_EQ(off.arrows[0].caption, "Hoch");
}

TEST_F(SidePanelConfigTest, ANonNumberCostsOnlyThatKey) {
  RightPanelConfig right;
  ReadRightPanelConfig(Write("[GLYPHNUM]\nUp=x\nDown=3\n[BUTTONS]\nCustom2URL=http://b/\nCustom2Number=4\n"
                             "[SOUNDS]\nCustom1Source=loud\nCustom2Source=5\n[GRAPHICS]\nRightFull=r.bmp\n"),
                       right, errors_);
  LeftPanelConfig left;
  ReadLeftPanelConfig(Write("[BUSYBAR]\nTopColour=red\nBottomColour=16\nGraphic=m.bmp\n"), left, errors_);
  EXPECT_EQ(right.arrows[0].glyph_count, 2);
  EXPECT_EQ(right.arrows[1].glyph_count, 3);
  EXPECT_EQ(right.custom[0].sound, 0);
  EXPECT_EQ(right.custom[1].sound, 5);
  EXPECT_EQ(right.custom[1].glyph_count, 4);
  EXPECT_EQ(right.custom[1].url, "http://b/");
  EXPECT_EQ(right.background, "r.bmp");
  EXPECT_EQ(left.top_colour, 0x8000000Du);
  EXPECT_EQ(left.bottom_colour, 16u);
  EXPECT_EQ(left.meter_graphic, "m.bmp");
  std::vector<std::string> named;
  for (const SettingError& e : errors_.list()) named.push_back(e.section + "/" + e.key + "=" + e.value);
  EXPECT_EQ(named, (std::vector<std::string>{"GLYPHNUM/Up=x", "SOUNDS/Custom1Source=loud", "BUSYBAR/TopColour=red"}));
}

TEST_F(SidePanelConfigTest, BusyBarColoursHexadecimalOrDecimal) {
  LeftPanelConfig c;
  ReadLeftPanelConfig(Write(""), c, errors_);
  EXPECT_EQ(c.top_colour, 0x8000000Du);
  EXPECT_EQ(c.bottom_colour, 0x8000000Eu);
  ReadLeftPanelConfig(Write("[BUSYBAR]\nTopColour=$00FFFFFF\nBottomColour=16\n"), c, errors_);
  EXPECT_EQ(c.top_colour, 0xFFFFFFu);
  EXPECT_EQ(c.bottom_colour, 16u);
  EXPECT_TRUE(errors_.empty());
}

}  // namespace
}  // namespace tw
