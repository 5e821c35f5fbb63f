// The tool bar's buttons and their settings in Tarnwick.ini: which buttons exist, in
// which order they are created, where each one sits and how its font is scaled.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "common/config/setting_errors.h"
#include "common/config/toolbar_buttons.h"
#include "kiosk/core/commands/kiosk_buttons.h"

namespace tw {

class ProfileFile;

// Design sizes of the tool bar and its form.
inline constexpr int kToolbarHeight = 57;
inline constexpr int kBottomFormTop = 543;
inline constexpr int kBottomFormHeight = 271;
inline constexpr int kToolbarButtonTop = 8;
inline constexpr int kToolbarButtonHeight = 41;
inline constexpr int kToolbarFontHeight = -21;  // pixels, negative: the character height

// Where the slots are: BUTTONS/NumberOfButtons selects a row, compared as exact text.
struct ToolbarSlotGeometry {
  int first_left;
  int pitch;
  int width;
  bool operator==(const ToolbarSlotGeometry&) const = default;
};
ToolbarSlotGeometry SlotGeometryFor(std::string_view number_of_buttons);
int SlotLeft(const ToolbarSlotGeometry& geometry, int slot);

// A design font height (negative pixels) at the screen scale: rounded, and the heights
// -27 to -29 become -30.
int ScaledFontHeight(int design_height, double screen_scale);

struct ToolbarButtonConfig {
  std::string caption;
  std::string spoken_name;  // said for it while its caption is empty
  int glyph_count = 2;
  std::string glyph_file;  // GLYPH/<key>; used only when the file exists
  int sound = 0;           // a button sound source 0..7
  std::string custom_sound;
  std::string url;  // URLS/<text key>, for a button with a page of its own
  int slot = 1;
  bool visible = false;
  int left = 0;  // design pixels
  int width = 0;

  bool operator==(const ToolbarButtonConfig&) const = default;
};

struct ToolbarConfig {
  std::array<ToolbarButtonConfig, kToolbarButtonCount> buttons;
  std::string show_text = "Show";
  std::string hide_text = "Hide";
  std::string glyph_show;
  std::string glyph_hide;
  std::string bottom_graphic;  // GRAPHICS/Bottom, the tiled background
  std::string right_full;
  std::string right_half;
  std::string left_full;
  std::string left_half;
  ToolbarSlotGeometry slot_geometry = SlotGeometryFor("6");
  // The keyboard page's settings.
  bool exit_on = true;
  int default_keyboard = 0;
  int keyboard_sound = 0;
  std::string keyboard_custom_sound;
  bool debug = false;

  const ToolbarButtonConfig& button(ToolbarButtonId id) const { return buttons[static_cast<std::size_t>(id)]; }
  // Every button's own page, by button id ("" for buttons without one).
  std::array<std::string, kToolbarButtonCount> OwnPages() const {
    std::array<std::string, kToolbarButtonCount> urls;
    for (std::size_t i = 0; i < kToolbarButtonCount; ++i) urls[i] = buttons[i].url;
    return urls;
  }

  bool operator==(const ToolbarConfig&) const = default;
};

// Reads the tool bar's and the keyboard page's keys in the order the form is set up. A
// value that cannot be converted is recorded in `errors` and has its default.
ToolbarConfig ReadToolbarConfig(const ProfileFile& file, SettingErrors& errors);

}  // namespace tw
