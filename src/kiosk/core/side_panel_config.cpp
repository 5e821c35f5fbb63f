#include "kiosk/core/side_panel_config.h"

namespace tw {
namespace {

constexpr std::array<const char*, 4> kArrowNames{"Up", "Down", "Left", "Right"};

}  // namespace

std::array<bool, kSidePanelCustomCount> RightPanelConfig::CustomHasURL() const {
  std::array<bool, kSidePanelCustomCount> result{};
  for (std::size_t i = 0; i < custom.size(); ++i) result[i] = !custom[i].url.empty();
  return result;
}

void ReadLeftPanelConfig(const ProfileFile& ini, LeftPanelConfig& c, SettingErrors& errors) {
  const auto colour = [&](const char* key, std::uint32_t default_value) {
    return static_cast<std::uint32_t>(errors.Integer(ini, "BUSYBAR", key, static_cast<int>(default_value)));
  };
  c.background = ini.ReadString("GRAPHICS", "LeftFull", "");
  c.top_colour = colour("TopColour", 0x8000000D);
  c.bottom_colour = colour("BottomColour", 0x8000000E);
  c.meter_graphic = ini.ReadString("BUSYBAR", "Graphic", "");
}

void ReadRightPanelConfig(const ProfileFile& ini, RightPanelConfig& c, SettingErrors& errors) {
  for (std::size_t i = 0; i < kArrowNames.size(); ++i) {
    c.arrows[i].caption = ini.ReadString("TEXT", kArrowNames[i], kArrowNames[i]);
  }
  c.arrows_visible = ini.ReadBool("BUTTONS", "ScrollOn", true);
  for (std::size_t i = 0; i < kArrowNames.size(); ++i) {
    c.arrows[i].glyph_count = errors.Integer(ini, "GLYPHNUM", kArrowNames[i], 2);
  }
  for (std::size_t i = 0; i < c.custom.size(); ++i) {
    const std::string n = "Custom" + std::to_string(i + 1);
    c.custom[i].caption = ini.ReadString("BUTTONS", n + "Text", "");
    c.custom[i].glyph_count = errors.Integer(ini, "BUTTONS", n + "Number", 1);
    c.custom[i].url = ini.ReadString("BUTTONS", n + "URL", "");
  }
  for (std::size_t i = 0; i < c.custom.size(); ++i) {
    c.custom[i].glyph_file = ini.ReadString("BUTTONS", "Custom" + std::to_string(i + 1) + "Glyph", "");
  }
  for (std::size_t i = 0; i < kArrowNames.size(); ++i)
    c.arrows[i].glyph_file = ini.ReadString("GLYPH", kArrowNames[i], "");
  for (std::size_t i = 0; i < c.custom.size(); ++i) {
    const std::string n = "Custom" + std::to_string(i + 1);
    c.custom[i].sound = errors.Integer(ini, "SOUNDS", n + "Source", 0);
    c.custom[i].custom_sound = ini.ReadString("SOUNDS", n + "Wav", "");
  }
  for (std::size_t i = 0; i < kArrowNames.size(); ++i) {
    const std::string n = kArrowNames[i];
    c.arrows[i].sound = errors.Integer(ini, "SOUNDS", n + "Source", 0);
    c.arrows[i].custom_sound = ini.ReadString("SOUNDS", n + "Wav", "");
  }
  c.background = ini.ReadString("GRAPHICS", "RightFull", "");
}

}  // namespace tw
