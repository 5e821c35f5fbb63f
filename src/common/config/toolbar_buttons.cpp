#include "common/config/toolbar_buttons.h"

#include <array>
#include <cstddef>

#include "common/texts/log_texts.h"

namespace tw {
namespace {

using Id = ToolbarButtonId;
using Obj = PasswordObject;

using A = ButtonAction;
using Op = PageOperation;
using Email = WithEmailWindow;
namespace text = log_text;

// Back2 and Forward2 share Back's and Forward's caption, picture, sound and slot.
constexpr std::array<ToolbarButtonInfo, kToolbarButtonCount> kButtons = {{
    // id, name, tag, text key, caption, spoken name, GLYPHNUM key, setting, Setup Manager label, own page, action, log,
    // slot,
    // operation on the page
    {Id::kStart, "BStart", Obj::kStart, "Start", "Start", "Start page", "Start", "Start", "Start", false, A::kStartPage,
     "", "1"},
    {Id::kBack, "BBack", Obj::kBack, "Back", "Back", "Back", "Back", "Back", "Back", false, A::kOnPage,
     text::kBackButtonPressed, "2", PagePress{Op::kBack, Email::kHideAfter}},
    {Id::kForward, "BForward", Obj::kForward, "Forward", "Forward", "Forward", "Forward", "Forward", "Forward", false,
     A::kOnPage, text::kForwardButtonPressed, "3", PagePress{Op::kForward, Email::kHideAfter}},
    {Id::kHelp, "BHelp", Obj::kHelp, "Help", "Help", "Help", "Help", "Help", "Help", false, A::kHelpPage, "", "4"},
    {Id::kPrint, "BPrint", Obj::kPrint, "Print", "Print", "Print", "Print", "Print", "Print", false, A::kOnPage,
     text::kPrintButtonPressed, "5", PagePress{Op::kPrint, Email::kPrintItsText}},
    {Id::kEmail, "BEmail", Obj::kEmail, "Email", "Email", "E-mail", "Email", "Email", "Email", false, A::kEmail,
     text::kEmailButtonPressed},
    {Id::kStop, "BStop", Obj::kStop, "Stop", "Stop", "Stop", "Stop", "Stop", "Stop", false, A::kOnPage,
     text::kStopButtonPressed, "0", PagePress{Op::kStop}},
    {Id::kReload, "BReload", Obj::kReload, "Reload", "Reload", "Reload", "Reload", "Reload", "Reload", false,
     A::kOnPage, text::kReloadButtonPressed, "0", PagePress{Op::kReload}},
    // Logs whether the keyboard is now shown or hidden.
    {Id::kKeyboard, "BKeyboard", Obj::kKeyboard, "Show", "Show", "Keyboard", "Keyboard", "Keyboard", "", false,
     A::kKeyboard, "", "7"},
    {Id::kBack2, "BBack2", Obj::kBack, "Back", "Back", "Previous message", "Back", "Back", std::nullopt, false,
     A::kPreviousMessage, text::kBackButtonPressed},
    {Id::kForward2, "BForward2", Obj::kForward, "Forward", "Forward", "Next message", "Forward", "Forward",
     std::nullopt, false, A::kNextMessage, text::kForwardButtonPressed},
    // The custom page buttons report the Help button's tag to the exit password.
    {Id::kCustom1, "BCustom1", Obj::kHelp, "BCustom1", "Custom 1", "Custom button 1", "BCustom1", "BCustom1",
     "Custom Button 1", true, A::kOwnPage},
    {Id::kCustom2, "BCustom2", Obj::kHelp, "BCustom2", "Custom 2", "Custom button 2", "BCustom2", "BCustom2",
     "Custom Button 2", true, A::kOwnPage},
    {Id::kCustom3, "BCustom3", Obj::kHelp, "BCustom3", "Custom 3", "Custom button 3", "BCustom3", "BCustom3",
     "Custom Button 3", true, A::kOwnPage},
    {Id::kCustom4, "BCustom4", Obj::kHelp, "BCustom4", "Custom 4", "Custom button 4", "BCustom4", "BCustom4",
     "Custom Button 4", true, A::kOwnPage},
    {Id::kCustom5, "BCustom5", Obj::kHelp, "BCustom5", "Custom 5", "Custom button 5", "BCustom5", "BCustom5",
     "Custom Button 5", true, A::kOwnPage},
    // The visitor's page zoom; like the custom buttons, they report Help's tag.
    {Id::kZoomIn, "BZoomIn", Obj::kHelp, "ZoomIn", "Zoom In", "Zoom in", "ZoomIn", "ZoomIn", "Zoom In", false,
     A::kOnPage, text::kZoomInPressed, "0", PagePress{Op::kZoomIn}},
    {Id::kZoomOut, "BZoomOut", Obj::kHelp, "ZoomOut", "Zoom Out", "Zoom out", "ZoomOut", "ZoomOut", "Zoom Out", false,
     A::kOnPage, text::kZoomOutPressed, "0", PagePress{Op::kZoomOut}},
    // Logs whether the look is now on or off.
    {Id::kHighContrast, "BHighContrast", Obj::kHelp, "HighContrast", "Contrast", "High contrast", "HighContrast",
     "HighContrast", "High Contrast", false, A::kHighContrast},
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
