#include "kiosk/core/settings/side_panel_config.h"

#include "common/config/config_reader.h"
#include "common/texts/button_names.h"

namespace tw {
namespace {

constexpr std::array<const char*, 4> kArrowNames{"Up", "Down", "Left", "Right"};
static_assert(kSidePanelCustomCount == kSidePanelPageButtons, "every page button has its spoken name");

}  // namespace

std::array<bool, kSidePanelCustomCount> RightPanelConfig::CustomHasURL() const {
  std::array<bool, kSidePanelCustomCount> result{};
  for (std::size_t i = 0; i < custom.size(); ++i) result[i] = !custom[i].url.empty();
  return result;
}

void ReadLeftPanelConfig(const ProfileFile& ini, LeftPanelConfig& c, SettingErrors& errors) {
  const ConfigReader read(ini, errors);
  const auto colour = [&](const char* key) { return static_cast<std::uint32_t>(read.Integer("BUSYBAR", key)); };
  c.background = read.String("GRAPHICS", "LeftFull");
  c.top_colour = colour("TopColour");
  c.bottom_colour = colour("BottomColour");
  c.meter_graphic = read.String("BUSYBAR", "Graphic");
}

void ReadRightPanelConfig(const ProfileFile& ini, RightPanelConfig& c, SettingErrors& errors) {
  const ConfigReader read(ini, errors);
  for (std::size_t i = 0; i < kArrowNames.size(); ++i) {
    c.arrows[i].caption = read.String("TEXT", kArrowNames[i]);
  }
  c.arrows_visible = read.Bool("BUTTONS", "ScrollOn");
  for (std::size_t i = 0; i < kArrowNames.size(); ++i) {
    c.arrows[i].glyph_count = read.Integer("GLYPHNUM", kArrowNames[i]);
  }
  for (std::size_t i = 0; i < c.custom.size(); ++i) {
    const std::string n = "Custom" + std::to_string(i + 1);
    c.custom[i].caption = read.String("BUTTONS", n + "Text");
    c.custom[i].glyph_count = read.Integer("BUTTONS", n + "Number");
    c.custom[i].url = read.String("BUTTONS", n + "URL");
  }
  for (std::size_t i = 0; i < c.custom.size(); ++i) {
    c.custom[i].glyph_file = read.String("BUTTONS", "Custom" + std::to_string(i + 1) + "Glyph");
  }
  for (std::size_t i = 0; i < kArrowNames.size(); ++i) c.arrows[i].glyph_file = read.String("GLYPH", kArrowNames[i]);
  for (std::size_t i = 0; i < c.custom.size(); ++i) {
    const std::string n = "Custom" + std::to_string(i + 1);
    c.custom[i].sound = read.Integer("SOUNDS", n + "Source");
    c.custom[i].custom_sound = read.String("SOUNDS", n + "Wav");
  }
  for (std::size_t i = 0; i < kArrowNames.size(); ++i) {
    const std::string n = kArrowNames[i];
    c.arrows[i].sound = read.Integer("SOUNDS", n + "Source");
    c.arrows[i].custom_sound = read.String("SOUNDS", n + "Wav");
  }
  c.background = read.String("GRAPHICS", "RightFull");
}

}  // namespace tw
