// Names of keyboard layouts, so that the layout file named like the machine's own
// keyboard can be chosen, and the file name proposed for a customised layout.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tw {

inline constexpr std::string_view kUnknownKeyboardLayout = "Unknown keyboard layout";

// The numeric value of a layout identifier written as hexadecimal digits
// ("00000809" is 2057). Any character that is not a hexadecimal digit, an empty
// text or more than eight digits give 0, which names no layout.
std::uint32_t KeyboardLayoutIdentifierValue(std::string_view identifier);

// The layout's name, or kUnknownKeyboardLayout when the value is not in the table.
std::string_view KeyboardLayoutName(std::uint32_t identifier_value);

// Whether KeyboardLayoutName gives a real name (and so whether matching is possible).
bool IsKnownKeyboardLayout(std::uint32_t identifier_value);

// The name of the X server's layout as XKB names it: the layout, optionally with its
// variant in parentheses ("gb", "de(nodeadkeys)", "ch(fr)"); only the first of several
// comma-separated layouts counts. kUnknownKeyboardLayout when not in the table.
std::string_view KeyboardLayoutNameOfXkb(std::string_view xkb_layout);

// The file name under which a customised keyboard is proposed for saving:
// "Custom " + name + ".ini"; a name already beginning with "Custom " keeps it, and
// with no layout chosen (empty name) the proposal is "Custom Keyboard.ini".
std::string CustomLayoutFileName(std::string_view layout_name);

}  // namespace tw
