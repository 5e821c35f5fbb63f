#include "kiosk/browser/browser_engine_entry.h"

#include <utility>

namespace tw {

const BrowserEngineEntry* FindBrowserEngine(int number) {
#define TW_BROWSER_ENGINE_ROW(engine_number, caption, entry) {engine_number, entry()},
  static const std::pair<int, BrowserEngineEntry> engines[] = {TW_BROWSER_ENGINES(TW_BROWSER_ENGINE_ROW)};
#undef TW_BROWSER_ENGINE_ROW
  for (const auto& [engine_number, entry] : engines) {
    if (engine_number == number) return &entry;
  }
  return nullptr;
}

}  // namespace tw
