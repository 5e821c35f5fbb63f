// The side panels' settings: the left panel's busy meter and background, the right
// panel's ten page buttons and four scroll arrows.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "common/config/profile_file.h"
#include "common/config/setting_errors.h"
#include "kiosk/core/frame/frame_layout.h"

namespace tw {

struct SidePanelButtonConfig {
  std::string caption;
  std::string spoken_name;  // said for it while its caption is empty
  int glyph_count = 1;
  std::string glyph_file;
  int sound = 0;
  std::string custom_sound;
  std::string url;  // page buttons only

  bool operator==(const SidePanelButtonConfig&) const = default;
};

struct LeftPanelConfig {
  std::string background;                 // GRAPHICS/LeftFull
  std::uint32_t top_colour = 0x8000000D;  // the meter's fore colour
  std::uint32_t bottom_colour = 0x8000000E;
  std::string meter_graphic;  // BUSYBAR/Graphic

  bool operator==(const LeftPanelConfig&) const = default;
};

struct RightPanelConfig {
  std::array<SidePanelButtonConfig, kSidePanelCustomCount> custom;
  std::array<SidePanelButtonConfig, 4> arrows;  // Up, Down, Left, Right
  bool arrows_visible = true;                   // BUTTONS/ScrollOn
  std::string background;                       // GRAPHICS/RightFull

  // Page button n (0-based) is shown exactly when it has a URL.
  std::array<bool, kSidePanelCustomCount> CustomHasURL() const;

  bool operator==(const RightPanelConfig&) const = default;
};

// Both read their keys in order; a value that is not a number is recorded in `errors`
// and has its default.
void ReadLeftPanelConfig(const ProfileFile& ini, LeftPanelConfig& config, SettingErrors& errors);
void ReadRightPanelConfig(const ProfileFile& ini, RightPanelConfig& config, SettingErrors& errors);

}  // namespace tw
