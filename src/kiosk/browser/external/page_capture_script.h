// The scripts the external browser runs in every document and frame before the page's
// own. The browser hands addresses it cannot load itself (tw-command:, mailto:, other
// programs' schemes) to the desktop; the kiosk's guard stops every such navigation in the
// page (links, forms, scripts setting the location, refresh tags, new windows) and
// reports it to the kiosk instead.
//
// The guard runs in a world of the kiosk's own beside the page's: it sees the same
// document and events, but none of the page's scripts, so a page that replaces the
// built-ins (preventDefault, addEventListener, JSON, ...) changes nothing of it, and only
// the guard can reach the binding it reports through. What only the page's own world can
// catch (window.open, print, full screen, permission requests, a frame's address set by a
// script) is caught there by small messengers, made before any of the page's scripts run,
// which hand the question to the guard; the guard decides (a new window only within a
// visitor's click or key) and the browser itself remains the last line: its own pop-up
// blocker, its own refusal of local files for web pages.
#pragma once

#include <string>
#include <string_view>

namespace tw {

// The kiosk's world, and the binding only that world has; the payload is JSON:
// {"url": absolute address, "main": in the top document, "newWindow": asked for a new window,
//  "refused": a local file for a web page} or {"ask": "print"|"permission"|"fullscreen", "text": …}.
inline constexpr std::string_view kKioskWorld = "tarnwick";
inline constexpr std::string_view kPageCaptureBinding = "__twKioskNavigate";

// The guard, for the kiosk's world.
std::string PageCaptureScript();
// The messengers, for the page's own world.
std::string PageMessengerScript();

}  // namespace tw
