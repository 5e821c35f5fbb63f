// The side panels' settings.
#include "kiosk/core/side_panel_config.h"

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
};

TEST_F(SidePanelConfigTest, PageButtonsAreShownExactlyWhereTheyHaveAURL) {
  RightPanelConfig c;
  ReadRightPanelConfig(Write("[BUTTONS]\nCustom1URL=http://a/\nCustom1Text=News\nCustom3URL=\nCustom10URL=x\n"), c);
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
  ReadRightPanelConfig(Write(""), c);
  EXPECT_TRUE(c.arrows_visible);
  EXPECT_EQ(c.arrows[0].caption, "Up");
  EXPECT_EQ(c.arrows[3].caption, "Right");
  EXPECT_EQ(c.arrows[2].glyph_count, 2);

  RightPanelConfig off;
  // PREFERENCES/ScrollOn is the scrolling mode, not the arrows' visibility.
  ReadRightPanelConfig(Write("[PREFERENCES]\nScrollOn=1\n[BUTTONS]\nScrollOn=0\n[TEXT]\nUp=Hoch\n"), off);
  EXPECT_FALSE(off.arrows_visible);
  EXPECT_EQ(off.arrows[0].caption, "Hoch");
}

TEST_F(SidePanelConfigTest, SoundThatIsNotANumberStopsReadingAndKeepsWhatWasRead) {
  RightPanelConfig c;
  EXPECT_THROW(ReadRightPanelConfig(Write("[BUTTONS]\nCustom2URL=http://b/\n[SOUNDS]\nCustom1Source=loud\n"
                                          "[GRAPHICS]\nRightFull=r.bmp\n"),
                                    c),
               ConversionError);
  EXPECT_EQ(c.custom[1].url, "http://b/");
  EXPECT_EQ(c.background, "");  // read after the sounds
}

TEST_F(SidePanelConfigTest, BusyBarColoursHexadecimalOrDecimal) {
  LeftPanelConfig c;
  ReadLeftPanelConfig(Write(""), c);
  EXPECT_EQ(c.top_colour, 0x8000000Du);
  EXPECT_EQ(c.bottom_colour, 0x8000000Eu);
  ReadLeftPanelConfig(Write("[BUSYBAR]\nTopColour=$00FFFFFF\nBottomColour=16\n"), c);
  EXPECT_EQ(c.top_colour, 0xFFFFFFu);
  EXPECT_EQ(c.bottom_colour, 16u);
}

}  // namespace
}  // namespace tw
