// The X server's resource database: the root window's RESOURCE_MANAGER property, which
// xrdb edits and toolkits read when a program starts.
#pragma once

#include <optional>
#include <string>

#include "platform/x11qt/x11_display.h"

namespace tw {

// The database's text ("" when none is set); nothing when it cannot be read.
std::optional<std::string> ReadServerResources(const X11Display& display);

// Replaces the database; false when the server refused.
bool WriteServerResources(const X11Display& display, const std::string& database);

}  // namespace tw
