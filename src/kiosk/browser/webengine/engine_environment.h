// Start-up settings of the web engine that must be made before the application object
// exists: the kiosk's URL schemes, no back doors (remote debugging) into the engine, the
// page's accessibility tree for screen readers, and software drawing for the whole kiosk
// when the engine runs without its GPU.
#pragma once

#include <string>
#include <vector>

namespace tw {

void PrepareWebEngine(const std::vector<std::string>& blocked_protocols);

}  // namespace tw
