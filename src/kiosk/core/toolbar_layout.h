// The tool bar's buttons and their settings in Tarnwick.ini: which buttons exist, in
// which order they are created, where each one sits and how its font is scaled.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "common/setting_errors.h"
#include "kiosk/core/kiosk_buttons.h"

namespace tw {

class ProfileFile;

// The tool bar's buttons in creation order: a later button lies on top of an earlier
// one in the same slot and receives the clicks.
enum class ToolbarButtonId {
  kStart,
  kBack,
  kForward,
  kHelp,
  kPrint,
  kEmail,
  kStop,
  kReload,
  kKeyboard,
  kBack2,  // the e-mail window's previous-message button, on Back's slot
  kForward2,
  kCustom1,
  kCustom2,
  kCustom3,
  kCustom4,
  kCustom5,
};

inline constexpr std::size_t kToolbarButtonCount = 16;
inline constexpr std::size_t kToolbarCustomCount = 5;

// Design sizes of the tool bar and its form.
inline constexpr int kToolbarHeight = 57;
inline constexpr int kBottomFormTop = 543;
inline constexpr int kBottomFormHeight = 271;
inline constexpr int kToolbarButtonTop = 8;
inline constexpr int kToolbarButtonHeight = 41;
inline constexpr int kToolbarFontHeight = -21;  // pixels, negative: the character height

struct ToolbarButtonInfo {
  ToolbarButtonId id;
  std::string_view name;         // "BStart": the control's name
  KioskButton object;            // what the exit password sees (its tag)
  std::string_view text_key;     // TEXT/<key>, also GLYPH/<key> (the Keyboard button: "Show")
  std::string_view caption;      // default caption
  std::string_view glyph_count_key;  // GLYPHNUM/<key>
  std::string_view setting;      // SOUNDS/<setting>Source, <setting>Wav; BUTTONS/<setting>On
};

// All buttons in creation order.
std::span<const ToolbarButtonInfo> ToolbarButtons();
const ToolbarButtonInfo& ToolbarButton(ToolbarButtonId id);
// The tool-bar button that a tagged kiosk button names (Start .. Keyboard), if any.
std::optional<ToolbarButtonId> ToolbarButtonFor(KioskButton button);

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
  int glyph_count = 2;
  std::string glyph_file;  // GLYPH/<key>; used only when the file exists
  int sound = 0;           // a button sound source 0..7
  std::string custom_sound;
  int slot = 1;
  bool visible = false;
  int left = 0;  // design pixels
  int width = 0;

  bool operator==(const ToolbarButtonConfig&) const = default;
};

struct ToolbarConfig {
  std::array<ToolbarButtonConfig, kToolbarButtonCount> buttons;
  std::array<std::string, kToolbarCustomCount> custom_urls;
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

  bool operator==(const ToolbarConfig&) const = default;
};

// Reads the tool bar's and the keyboard page's keys in the order the form is set up. A
// value that cannot be converted is recorded in `errors` and has its default.
ToolbarConfig ReadToolbarConfig(const ProfileFile& file, SettingErrors& errors);

}  // namespace tw
