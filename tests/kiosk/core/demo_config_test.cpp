// The bundled demo must stay complete and readable as the configuration grows.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "common/config/config_keys.h"
#include "common/config/profile_file.h"
#include "kiosk/core/attract/banner_rotation.h"
#include "kiosk/core/settings/kiosk_config.h"
#include "kiosk/core/settings/side_panel_config.h"
#include "kiosk/core/frame/toolbar_layout.h"
#include "support/file_text.h"

namespace tw {
namespace {

const std::string kDemo = std::string(TARNWICK_SOURCE_DIR) + "/demo/";

// A key the demo lacks takes its default, so a new key need not be added here; a key it
// holds must be one the table knows (a misspelt or dropped one would be ignored).
TEST(DemoConfiguration, HoldsOnlyKnownKeysAndReadsWithoutErrors) {
  const ProfileFile ini(kDemo + "Tarnwick.ini");
  for (const std::string& section : ProfileText(test::Slurp(kDemo + "Tarnwick.ini")).SectionNames()) {
    ASSERT_TRUE(ConfigSectionIndex(section).has_value()) << section;
    if (FindConfigList(section) != nullptr) continue;
    for (const std::string& key : ini.ReadSection(section)) {
      EXPECT_NE(FindConfigKey(section, key), nullptr) << section << "/" << key;
    }
  }
  const KioskConfigResult read = ReadKioskConfig(ini);
  // Every plain reader of the file, not only the kiosk's own settings.
  SettingErrors errors = read.errors;
  ReadToolbarConfig(ini, errors);
  BannerBarConfig banner;
  ReadBannerBarConfig(ini, banner, errors);
  LeftPanelConfig left;
  ReadLeftPanelConfig(ini, left, errors);
  RightPanelConfig right;
  ReadRightPanelConfig(ini, right, errors);
  for (const SettingError& e : errors.list()) ADD_FAILURE() << e.Text();
  EXPECT_EQ(read.config.browser.kind, 1);
  EXPECT_EQ(read.config.attract.carousel_urls.size(), read.config.attract.carousel_times.size());
  EXPECT_FALSE(read.config.attract.carousel_urls.empty());
}

// The demo shows the e-mail window: its button sits in a slot of its own on the tool bar,
// and mailto links open it.
TEST(DemoConfiguration, OffersEmailOnTheToolbarAndThroughLinks) {
  const ProfileFile ini(kDemo + "Tarnwick.ini");
  SettingErrors errors;
  const ToolbarConfig toolbar = ReadToolbarConfig(ini, errors);
  EXPECT_TRUE(toolbar.button(ToolbarButtonId::kEmail).visible);
  const int slots = std::stoi(ini.ReadString("BUTTONS", "NumberOfButtons", ""));
  std::set<int> taken;
  for (const ToolbarButtonInfo& b : ToolbarButtons()) {
    const ToolbarButtonConfig& button = toolbar.button(b.id);
    if (!button.visible) continue;
    EXPECT_TRUE(button.slot >= 1 && button.slot <= slots) << b.name << " in slot " << button.slot;
    EXPECT_TRUE(taken.insert(button.slot).second) << b.name << " shares slot " << button.slot;
  }
  EXPECT_TRUE(ReadKioskConfig(ini).config.mail_to);
}

TEST(DemoConfiguration, EveryLocalFileItNamesIsShipped) {
  const ProfileFile ini(kDemo + "Tarnwick.ini");
  const std::string placeholder = "@DEMO_DIR@/";
  int checked = 0;
  for (const char* section :
       {"PREFERENCES", "URLS", "BUTTONS", "BUSYBAR", "CAROUSELURLS", "BANNERGRAPHICS", "BANNERURLS", "EMAIL"}) {
    for (const std::string& key : ini.ReadSection(section)) {
      const std::string value = ini.ReadString(section, key, "");
      const auto at = value.find(placeholder);
      if (at == std::string::npos) continue;
      const std::string relative = value.substr(at + placeholder.size());
      EXPECT_TRUE(std::filesystem::is_regular_file(kDemo + relative)) << section << "/" << key << " = " << value;
      ++checked;
    }
  }
  EXPECT_GT(checked, 10);
}

}  // namespace
}  // namespace tw
