#include "common/toolbar_buttons.h"

#include <array>
#include <cstddef>

namespace tw {
namespace {

using Id = ToolbarButtonId;
using Obj = PasswordObject;

// Back2 and Forward2 share Back's and Forward's caption, picture, sound and slot.
constexpr std::array<ToolbarButtonInfo, kToolbarButtonCount> kButtons = {{
    {Id::kStart, "BStart", Obj::kStart, "Start", "Start", "Start", "Start", "Start", false},
    {Id::kBack, "BBack", Obj::kBack, "Back", "Back", "Back", "Back", "Back", false},
    {Id::kForward, "BForward", Obj::kForward, "Forward", "Forward", "Forward", "Forward", "Forward", false},
    {Id::kHelp, "BHelp", Obj::kHelp, "Help", "Help", "Help", "Help", "Help", false},
    {Id::kPrint, "BPrint", Obj::kPrint, "Print", "Print", "Print", "Print", "Print", false},
    {Id::kEmail, "BEmail", Obj::kEmail, "Email", "Email", "Email", "Email", "Email", false},
    {Id::kStop, "BStop", Obj::kStop, "Stop", "Stop", "Stop", "Stop", "Stop", false},
    {Id::kReload, "BReload", Obj::kReload, "Reload", "Reload", "Reload", "Reload", "Reload", false},
    {Id::kKeyboard, "BKeyboard", Obj::kKeyboard, "Show", "Show", "Keyboard", "Keyboard", "", false},
    {Id::kBack2, "BBack2", Obj::kBack, "Back", "Back", "Back", "Back", std::nullopt, false},
    {Id::kForward2, "BForward2", Obj::kForward, "Forward", "Forward", "Forward", "Forward", std::nullopt, false},
    // The custom page buttons report the Help button's tag to the exit password.
    {Id::kCustom1, "BCustom1", Obj::kHelp, "BCustom1", "Custom 1", "BCustom1", "BCustom1", "Custom Button 1", true},
    {Id::kCustom2, "BCustom2", Obj::kHelp, "BCustom2", "Custom 2", "BCustom2", "BCustom2", "Custom Button 2", true},
    {Id::kCustom3, "BCustom3", Obj::kHelp, "BCustom3", "Custom 3", "BCustom3", "BCustom3", "Custom Button 3", true},
    {Id::kCustom4, "BCustom4", Obj::kHelp, "BCustom4", "Custom 4", "BCustom4", "BCustom4", "Custom Button 4", true},
    {Id::kCustom5, "BCustom5", Obj::kHelp, "BCustom5", "Custom 5", "BCustom5", "BCustom5", "Custom Button 5", true},
}};

}  // namespace

std::span<const ToolbarButtonInfo> ToolbarButtons() { return kButtons; }

const ToolbarButtonInfo& ToolbarButton(ToolbarButtonId id) { return kButtons[static_cast<std::size_t>(id)]; }

std::optional<ToolbarButtonId> ToolbarButtonFor(PasswordObject button) {
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

}  // namespace tw
