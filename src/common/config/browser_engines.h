// The browsers a kiosk can run, one line each: BROWSER/Browser's number, the name the
// Setup Manager offers, and the function (in the engine's own folder) that says whether
// it can run and makes it. The first is the one every kiosk can run: it takes over when
// the one chosen cannot.
//
// A new engine is a folder under src/kiosk/browser (its CMakeLists.txt calls
// tarnwick_browser_engine) and one line here.
#pragma once

#include <array>

#define TW_BROWSER_ENGINES(X)                     \
  X(1, "Embedded browser", EmbeddedBrowserEngine) \
  X(0, "External browser", ExternalBrowserEngine)

namespace tw {

#define TW_BROWSER_ENGINE_NUMBER(number, caption, entry) number,
inline constexpr std::array kBrowserEngineNumbers = {TW_BROWSER_ENGINES(TW_BROWSER_ENGINE_NUMBER)};
#undef TW_BROWSER_ENGINE_NUMBER

// The browser that takes over from one that cannot run.
inline constexpr int kFallbackBrowserEngine = kBrowserEngineNumbers.front();

}  // namespace tw
