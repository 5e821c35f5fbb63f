// The banner bar's settings and the banner rotation, driven one second at a time.
#include "kiosk/core/attract/banner_rotation.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "support/temp_dir.h"

namespace tw {
namespace {

BannerBarConfig ReadFrom(const std::string& text, SettingErrors* errors = nullptr) {
  test::TempDir dir;
  std::ofstream(dir.File("Tarnwick.ini"), std::ios::binary) << text;
  BannerBarConfig config;
  SettingErrors none;
  ReadBannerBarConfig(ProfileFile(dir.File("Tarnwick.ini")), config, errors ? *errors : none);
  EXPECT_TRUE(errors || none.empty()) << none.list().front().Text();
  return config;
}

// Seconds after which the rotation changed the banner, and to which one, over `seconds`.
std::vector<std::pair<int, std::size_t>> RunSeconds(BannerRotation& rotation, int seconds) {
  std::vector<std::pair<int, std::size_t>> changes;
  for (int s = 1; s <= seconds; ++s) {
    if (const auto index = rotation.Advance()) changes.emplace_back(s, *index);
  }
  return changes;
}

TEST(BannerBarConfigReading, CountsBannerKeysOfAnyNameAndReadsNumberedEntries) {
  const BannerBarConfig c = ReadFrom(
      "[BANNERGRAPHICS]\nfirst=a.gif\nsecond=b.gif\nthird=c.gif\nGraphic0=x.gif\nGraphic1=y.gif\n"
      "[BANNERURLS]\nURL0=http://a/\nURL2=http://c/\n[BANNERTIMES]\nTime0=5\nTime1=7\nTime2=1\nTime3=2\nTime4=9\n");
  // Five keys: Graphic0..Graphic4 are read, whatever the keys are called.
  EXPECT_EQ(c.graphics, (std::vector<std::string>{"x.gif", "y.gif", "", "", ""}));
  EXPECT_EQ(c.urls, (std::vector<std::string>{"http://a/", "", "http://c/", "", ""}));
  EXPECT_EQ(c.times, (std::vector<int>{5, 7, 1, 2, 9}));
}

TEST(BannerBarConfigReading, ClockDefaultsAndHexadecimalOrDecimalColours) {
  const BannerBarConfig defaults = ReadFrom("");
  EXPECT_TRUE(defaults.show_clock);
  EXPECT_EQ(defaults.back_colour, 0x8000000Fu);
  EXPECT_EQ(defaults.face_colour, 0x80000005u);
  EXPECT_EQ(defaults.tick_colour, 0x80000006u);
  EXPECT_EQ(defaults.shape, 0);
  EXPECT_TRUE(defaults.graphics.empty());

  const BannerBarConfig c =
      ReadFrom("[PREFERENCES]\nShowClock=0\n[CLOCK]\nBackColour=$00FF0000\nFaceColour=255\nShape=1\nShowSeconds=0\n");
  EXPECT_FALSE(c.show_clock);
  EXPECT_EQ(c.back_colour, 0x00FF0000u);
  EXPECT_EQ(c.face_colour, 255u);
  EXPECT_EQ(c.shape, 1);
  EXPECT_FALSE(c.show_seconds);
}

TEST(BannerBarConfigReading, ANonNumberCostsOnlyThatKeyOrThatBanner) {
  struct Case {
    const char* ini;
    const char* key;
    const char* value;
    std::function<void(const BannerBarConfig&)> check;
  };
  const Case cases[] = {
      {"[CLOCK]\nBackColour=white\nFaceColour=255\nShape=1\nShowSeconds=0\n", "BackColour", "white",
       [](const BannerBarConfig& c) {
         EXPECT_EQ(c.back_colour, 0x8000000Fu);
         EXPECT_EQ(c.face_colour, 255u);
         EXPECT_EQ(c.shape, 1);
         EXPECT_FALSE(c.show_seconds);
       }},
      // A banner whose time is not a number is skipped; the others rotate.
      {"[BANNERGRAPHICS]\nGraphic0=a.gif\nGraphic1=b.gif\nGraphic2=c.gif\n[BANNERURLS]\nURL1=http://b/\n"
       "URL2=http://c/\n[BANNERTIMES]\nTime0=2\nTime1=ten\nTime2=3\n[GRAPHICS]\nTop=top.bmp\n",
       "Time1", "ten",
       [](const BannerBarConfig& c) {
         EXPECT_EQ(c.graphics, (std::vector<std::string>{"a.gif", "c.gif"}));
         EXPECT_EQ(c.urls, (std::vector<std::string>{"", "http://c/"}));
         BannerRotation rotation(c);
         EXPECT_EQ(RunSeconds(rotation, 10),
                   (std::vector<std::pair<int, std::size_t>>{{2, 1}, {5, 0}, {7, 1}, {10, 0}}));
         EXPECT_EQ(c.background, "top.bmp");
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

TEST(BannerRotation, OneBannerWithTimeFiveIsShownAgainEveryFiveSeconds) {
  BannerBarConfig c;
  c.graphics = {"a.gif"};
  c.urls = {"http://a/"};
  c.times = {5};
  BannerRotation rotation(c);
  EXPECT_EQ(RunSeconds(rotation, 16), (std::vector<std::pair<int, std::size_t>>{{5, 0}, {10, 0}, {15, 0}}));
  EXPECT_EQ(rotation.shown_seconds(), 1);
}

TEST(BannerRotation, ThreeBannersFollowEachOtherInOrderEndlessly) {
  BannerBarConfig c;
  c.graphics = {"a", "b", "c"};
  c.urls = {"", "", ""};
  c.times = {2, 3, 1};
  BannerRotation rotation(c);
  EXPECT_EQ(RunSeconds(rotation, 12),
            (std::vector<std::pair<int, std::size_t>>{{2, 1}, {5, 2}, {6, 0}, {8, 1}, {11, 2}, {12, 0}}));
}

TEST(BannerRotation, TimeOfZeroOrBelowNeverRotatesAndNoBannersCountOnly) {
  for (const int time : {0, -3}) {
    BannerBarConfig c;
    c.graphics = {"a", "b"};
    c.urls = {"", ""};
    c.times = {time, 1};
    BannerRotation rotation(c);
    EXPECT_TRUE(RunSeconds(rotation, 50).empty()) << time;
    EXPECT_EQ(rotation.index(), 0u);
  }
  BannerRotation none{BannerBarConfig{}};
  EXPECT_TRUE(RunSeconds(none, 5).empty());
  EXPECT_EQ(none.shown_seconds(), 5);
  EXPECT_EQ(none.ClickURL(), std::nullopt);
}

TEST(BannerRotation, ClickURLSkipsNoneAndEmptyButNotOtherSpellings) {
  struct Case {
    const char* url;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {"none", std::nullopt}, {"", std::nullopt}, {"None", "None"}, {"NONE", "NONE"}, {"http://x/", "http://x/"}};
  for (const Case& k : cases) {
    BannerBarConfig c;
    c.graphics = {"a"};
    c.urls = {k.url};
    c.times = {1};
    EXPECT_EQ(BannerRotation(c).ClickURL(), k.expected) << k.url;
  }
}

TEST(BannerRotation, ClickURLFollowsTheCurrentBanner) {
  BannerBarConfig c;
  c.graphics = {"a", "b"};
  c.urls = {"http://a/", "http://b/"};
  c.times = {1, 1};
  BannerRotation rotation(c);
  rotation.Advance();
  EXPECT_EQ(rotation.ClickURL(), "http://b/");
  EXPECT_EQ(CannotLoadBannerText("/x/b.gif"), "Cannot Load Banner - /x/b.gif");
}

}  // namespace
}  // namespace tw
