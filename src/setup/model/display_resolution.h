// The display's font resolution. Toolkits (Qt among them) scale every window by the X
// resource Xft.dpi over 96, so a kiosk laid out in screen pixels is drawn too large on a
// display set to more: the Setup Manager offers to set it back to 96 before it saves.
//
// The resource database is text, one "name:\tvalue" a line, as the root window's
// RESOURCE_MANAGER property and ~/.Xresources hold it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tw {

inline constexpr std::string_view kFontResolutionResource = "Xft.dpi";

// The value of `name` (the last line that sets it); nothing when no line does.
std::optional<std::string> ResourceValue(std::string_view database, std::string_view name);

// The database with `name` set to `value`: every line that sets it is replaced by one
// (where the first was), or the line is added at the end. Other lines stay as they are.
std::string WithResource(std::string_view database, std::string_view name, std::string_view value);

// True when the database sets a font resolution other than 96 (a value that is not a
// number counts as other).
bool ScalesTheKiosk(std::string_view database);

}  // namespace tw
