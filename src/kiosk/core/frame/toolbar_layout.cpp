#include "kiosk/core/frame/toolbar_layout.h"

#include "common/config/config_reader.h"

#include <cmath>

#include "common/config/profile_file.h"

namespace tw {
namespace {

using Id = ToolbarButtonId;

std::string Key(std::string_view a, std::string_view b) { return std::string(a) + std::string(b); }

}  // namespace

ToolbarSlotGeometry SlotGeometryFor(std::string_view number_of_buttons) {
  if (number_of_buttons == "5") return {10, 161, 137};
  if (number_of_buttons == "6") return {10, 132, 121};
  if (number_of_buttons == "7") return {9, 113, 105};
  if (number_of_buttons == "8") return {9, 99, 89};
  return {6, 132, 121};
}

int SlotLeft(const ToolbarSlotGeometry& geometry, int slot) {
  return geometry.first_left + geometry.pitch * (slot - 1);
}

int ScaledFontHeight(int design_height, double screen_scale) {
  const int height = static_cast<int>(std::nearbyint(design_height * screen_scale));
  // Heights just below 30 pixels render poorly in the legends' font: use 30.
  if (height >= -29 && height <= -27) return -30;
  return height;
}

ToolbarConfig ReadToolbarConfig(const ProfileFile& f, SettingErrors& errors) {
  const ConfigReader read(f, errors);
  ToolbarConfig c;
  auto& buttons = c.buttons;
  for (const ToolbarButtonInfo& b : ToolbarButtons()) {
    if (b.has_url) buttons[static_cast<std::size_t>(b.id)].url = read.String("URLS", b.text_key);
  }
  for (const ToolbarButtonInfo& b : ToolbarButtons()) {
    buttons[static_cast<std::size_t>(b.id)].caption = read.String("TEXT", b.text_key);
  }
  c.show_text = read.String("TEXT", "Show");
  c.hide_text = read.String("TEXT", "Hide");
  buttons[static_cast<std::size_t>(Id::kKeyboard)].caption = c.show_text;
  for (const ToolbarButtonInfo& b : ToolbarButtons()) {
    buttons[static_cast<std::size_t>(b.id)].glyph_count = read.Integer("GLYPHNUM", b.glyph_count_key);
  }
  for (const ToolbarButtonInfo& b : ToolbarButtons()) {
    buttons[static_cast<std::size_t>(b.id)].glyph_file = read.String("GLYPH", b.text_key);
  }
  c.bottom_graphic = read.String("GRAPHICS", "Bottom");
  for (const ToolbarButtonInfo& b : ToolbarButtons()) {
    ToolbarButtonConfig& button = buttons[static_cast<std::size_t>(b.id)];
    button.sound = read.Integer("SOUNDS", Key(b.setting, "Source"));
    button.custom_sound = read.String("SOUNDS", Key(b.setting, "Wav"));
  }
  c.right_full = read.String("GRAPHICS", "RightFull");
  c.right_half = read.String("GRAPHICS", "RightHalf");
  c.left_full = read.String("GRAPHICS", "LeftFull");
  c.left_half = read.String("GRAPHICS", "LeftHalf");
  c.glyph_show = read.String("GLYPH", "Show");
  c.glyph_hide = read.String("GLYPH", "Hide");
  c.slot_geometry = SlotGeometryFor(read.String("BUTTONS", "NumberOfButtons"));
  for (const ToolbarButtonInfo& b : ToolbarButtons()) {
    ToolbarButtonConfig& button = buttons[static_cast<std::size_t>(b.id)];
    const std::string slot_key = Key(b.setting, "On");
    button.width = c.slot_geometry.width;
    button.slot = errors.Integer(f, "BUTTONS", slot_key, 1);
    button.left = SlotLeft(c.slot_geometry, button.slot);
    button.visible = b.id != Id::kBack2 && b.id != Id::kForward2 && f.ReadBool("BUTTONS", slot_key, false);
  }
  c.exit_on = read.Bool("BUTTONS", "ExitOn");
  c.default_keyboard = read.Integer("PREFERENCES", "DefaultKeyboard");
  c.keyboard_sound = read.Integer("SOUNDS", "Keyboard");
  c.keyboard_custom_sound = read.String("SOUNDS", "KBCustomSound");
  c.debug = read.Bool("PREFERENCES", "Debug");
  return c;
}

}  // namespace tw
