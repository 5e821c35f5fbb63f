#include "kiosk/core/toolbar_layout.h"

#include <cmath>

#include "common/profile_file.h"

namespace tw {
namespace {

using Id = ToolbarButtonId;
using Obj = KioskButton;

// Back2 and Forward2 share Back's and Forward's caption, picture, sound and slot.
constexpr std::array<ToolbarButtonInfo, kToolbarButtonCount> kButtons = {{
    {Id::kStart, "BStart", Obj::kStart, "Start", "Start", "Start", "Start"},
    {Id::kBack, "BBack", Obj::kBack, "Back", "Back", "Back", "Back"},
    {Id::kForward, "BForward", Obj::kForward, "Forward", "Forward", "Forward", "Forward"},
    {Id::kHelp, "BHelp", Obj::kHelp, "Help", "Help", "Help", "Help"},
    {Id::kPrint, "BPrint", Obj::kPrint, "Print", "Print", "Print", "Print"},
    {Id::kEmail, "BEmail", Obj::kEmail, "Email", "Email", "Email", "Email"},
    {Id::kStop, "BStop", Obj::kStop, "Stop", "Stop", "Stop", "Stop"},
    {Id::kReload, "BReload", Obj::kReload, "Reload", "Reload", "Reload", "Reload"},
    {Id::kKeyboard, "BKeyboard", Obj::kKeyboard, "Show", "Show", "Keyboard", "Keyboard"},
    {Id::kBack2, "BBack2", Obj::kBack, "Back", "Back", "Back", "Back"},
    {Id::kForward2, "BForward2", Obj::kForward, "Forward", "Forward", "Forward", "Forward"},
    // The custom page buttons report the Help button's tag to the exit password.
    {Id::kCustom1, "BCustom1", Obj::kHelp, "BCustom1", "Custom 1", "BCustom1", "BCustom1"},
    {Id::kCustom2, "BCustom2", Obj::kHelp, "BCustom2", "Custom 2", "BCustom2", "BCustom2"},
    {Id::kCustom3, "BCustom3", Obj::kHelp, "BCustom3", "Custom 3", "BCustom3", "BCustom3"},
    {Id::kCustom4, "BCustom4", Obj::kHelp, "BCustom4", "Custom 4", "BCustom4", "BCustom4"},
    {Id::kCustom5, "BCustom5", Obj::kHelp, "BCustom5", "Custom 5", "BCustom5", "BCustom5"},
}};

std::string Key(std::string_view a, std::string_view b) { return std::string(a) + std::string(b); }

}  // namespace

std::span<const ToolbarButtonInfo> ToolbarButtons() { return kButtons; }

const ToolbarButtonInfo& ToolbarButton(ToolbarButtonId id) { return kButtons[static_cast<std::size_t>(id)]; }

std::optional<ToolbarButtonId> ToolbarButtonFor(KioskButton button) {
  switch (button) {
    case Obj::kStart: return Id::kStart;
    case Obj::kBack: return Id::kBack;
    case Obj::kForward: return Id::kForward;
    case Obj::kHelp: return Id::kHelp;
    case Obj::kPrint: return Id::kPrint;
    case Obj::kStop: return Id::kStop;
    case Obj::kReload: return Id::kReload;
    case Obj::kEmail: return Id::kEmail;
    case Obj::kKeyboard: return Id::kKeyboard;
    default: return std::nullopt;
  }
}

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
  ToolbarConfig c;
  auto& buttons = c.buttons;
  for (std::size_t i = 0; i < kToolbarCustomCount; ++i) {
    c.custom_urls[i] = f.ReadString("URLS", "BCustom" + std::to_string(i + 1), "");
  }
  for (const ToolbarButtonInfo& b : kButtons) {
    buttons[static_cast<std::size_t>(b.id)].caption = f.ReadString("TEXT", b.text_key, b.caption);
  }
  c.show_text = f.ReadString("TEXT", "Show", "Show");
  c.hide_text = f.ReadString("TEXT", "Hide", "Hide");
  buttons[static_cast<std::size_t>(Id::kKeyboard)].caption = c.show_text;
  for (const ToolbarButtonInfo& b : kButtons) {
    buttons[static_cast<std::size_t>(b.id)].glyph_count = errors.Integer(f, "GLYPHNUM", b.glyph_count_key, 2);
  }
  for (const ToolbarButtonInfo& b : kButtons) {
    buttons[static_cast<std::size_t>(b.id)].glyph_file = f.ReadString("GLYPH", b.text_key, "");
  }
  c.bottom_graphic = f.ReadString("GRAPHICS", "Bottom", "");
  for (const ToolbarButtonInfo& b : kButtons) {
    ToolbarButtonConfig& button = buttons[static_cast<std::size_t>(b.id)];
    button.sound = errors.Integer(f, "SOUNDS", Key(b.setting, "Source"), 0);
    button.custom_sound = f.ReadString("SOUNDS", Key(b.setting, "Wav"), "");
  }
  c.right_full = f.ReadString("GRAPHICS", "RightFull", "");
  c.right_half = f.ReadString("GRAPHICS", "RightHalf", "");
  c.left_full = f.ReadString("GRAPHICS", "LeftFull", "");
  c.left_half = f.ReadString("GRAPHICS", "LeftHalf", "");
  c.glyph_show = f.ReadString("GLYPH", "Show", "");
  c.glyph_hide = f.ReadString("GLYPH", "Hide", "");
  c.slot_geometry = SlotGeometryFor(f.ReadString("BUTTONS", "NumberOfButtons", "6"));
  for (const ToolbarButtonInfo& b : kButtons) {
    ToolbarButtonConfig& button = buttons[static_cast<std::size_t>(b.id)];
    const std::string slot_key = Key(b.setting, "On");
    button.width = c.slot_geometry.width;
    button.slot = errors.Integer(f, "BUTTONS", slot_key, 1);
    button.left = SlotLeft(c.slot_geometry, button.slot);
    button.visible = b.id != Id::kBack2 && b.id != Id::kForward2 && f.ReadBool("BUTTONS", slot_key, false);
  }
  c.exit_on = f.ReadBool("BUTTONS", "ExitOn", true);
  c.default_keyboard = errors.Integer(f, "PREFERENCES", "DefaultKeyboard", 0);
  c.keyboard_sound = errors.Integer(f, "SOUNDS", "Keyboard", 0);
  c.keyboard_custom_sound = f.ReadString("SOUNDS", "KBCustomSound", "");
  c.debug = f.ReadBool("PREFERENCES", "Debug", false);
  return c;
}

}  // namespace tw
