// The page's side of the high-contrast look, the same for both browsers: a style sheet
// of the kiosk's that forces white and yellow on black, added to each document from the
// kiosk's own script world, or taken away again.
#pragma once

#include <string>

namespace tw {

// Adds the style sheet to the document, now if its root element exists, else as soon as
// it does (before the page is first shown). Run it again and nothing changes.
std::string HighContrastOnScript();
// Takes the style sheet away from the document shown.
std::string HighContrastOffScript();

}  // namespace tw
