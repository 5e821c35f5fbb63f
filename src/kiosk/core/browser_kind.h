// Which browser the kiosk runs: the embedded one in a window of its own, or a separate
// browser program it drives. The numbers are BROWSER/Browser's.
#pragma once

namespace tw {

enum class BrowserKind { kExternal = 0, kEmbedded = 1 };

}  // namespace tw
