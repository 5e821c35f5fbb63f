// URL schemes the web engine must hand to the kiosk instead of dropping or launching
// them outside: the command scheme and the operator's blocked protocols.
#pragma once

#include <string>
#include <vector>

namespace tw {

// Registers the schemes; must run before the application object exists. Schemes the
// engine handles itself (http, file, ...) and malformed names are skipped.
void RegisterKioskSchemes(const std::vector<std::string>& blocked_protocols);

// Schemes that would otherwise leave the kiosk for another program (mail, telephone, ...).
const std::vector<std::string>& ExternalSchemes();

// The schemes registered above. Each profile gives them a handler that refuses every
// request: only then does the engine offer a page's links to them to before-navigate
// (without one it replaces the page by a blank one and says nothing).
const std::vector<std::string>& RegisteredKioskSchemes();

}  // namespace tw
