// The script the external browser runs in every document and frame before the page's own
// scripts. The browser hands addresses it cannot load itself (tw-command:, mailto:, other
// programs' schemes) to the desktop, after asking the visitor in a dialog of its own; the
// script stops every such navigation in the page (links, forms, scripts setting the
// location, refresh tags, new windows) and reports it to the kiosk instead.
#pragma once

#include <string>
#include <string_view>

namespace tw {

// The binding the script reports through; its payload is JSON:
// {"url": absolute address, "main": in the top document, "newWindow": asked for a new window}.
inline constexpr std::string_view kPageCaptureBinding = "__twKioskNavigate";

std::string PageCaptureScript();

}  // namespace tw
