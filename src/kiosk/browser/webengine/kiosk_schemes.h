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

}  // namespace tw
