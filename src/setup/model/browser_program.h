// The external browser's program as BROWSER/FileName names it: where it is, what it says
// it is, and where else one of the family the kiosk drives can be found.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// The oldest major version the kiosk is known to work with. The page control asks the
// browser to run its capture script at once in pages already open, which the protocol
// gained between versions 110 and 118; 120 leaves a margin and is still far below the
// version the tests run against.
inline constexpr int kMinimumBrowserVersion = 120;

// The names the browsers of the family are installed under, in the order they are tried.
inline constexpr std::string_view kUsualBrowserNames[] = {"chromium", "chromium-browser", "google-chrome",
                                                          "google-chrome-stable"};

struct ResolvedProgram {
  std::string path;   // absolute when found on PATH; empty when not found
  std::string error;  // why not, for the operator
};

// The first word of `file_name`: a path with "/" must be an executable file; a bare name
// is looked up on PATH.
ResolvedProgram ResolveBrowserProgram(std::string_view file_name);

// The first of the usual names on PATH whose program is not `other_than`; empty when none.
std::string FindUsualBrowser(std::string_view other_than = {});

struct BrowserIdentity {
  std::string name;  // "Chromium", "Google Chrome"
  int major = 0;
};

// A "--version" line of the family ("Chromium 156.0.8078.129 built on Debian ..."); other
// lines (a wrapper's warnings) are skipped. Nothing for any other program.
std::optional<BrowserIdentity> ParseBrowserVersion(std::string_view output);

// `file_name` with its program replaced by `program` and the operator's arguments kept.
std::string WithProgram(std::string_view file_name, std::string_view program);

}  // namespace tw
