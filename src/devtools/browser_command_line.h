// How the kiosk starts its external browser: the operator's program (BROWSER/FileName, with
// any arguments of their own) and the kiosk's flags after them. The Setup Manager's check
// starts it the same way, so what it proves holds for the kiosk.
#pragma once

#include <string>
#include <vector>

namespace tw {

struct BrowserStart {
  std::string file_name;    // BROWSER/FileName as the operator wrote it
  std::string profile_dir;  // the throw-away profile, made and removed by the caller
  // Its sockets and temporary files: a short private folder (MakeBrowserTempDir), since
  // a socket's path may not be longer than about a hundred bytes. Empty: in the profile.
  std::string temp_dir;
  bool headless = false;  // no window: for checks, never for visitors
};

// The empty document the browser's window opens with, before the kiosk's first page: not
// part of the visitor's history.
inline constexpr const char* kBrowserFirstDocument = "data:text/html,";

// The whole argument list (program first). Empty when the file name holds no program.
std::vector<std::string> BrowserArguments(const BrowserStart& start);

// What the browser's environment has over the kiosk's: its home and its configuration,
// cache, data and temporary folders inside the profile, so that nothing it writes lands
// outside it (and nothing of the account's own settings reaches it), and the profile's
// own program folder first on its PATH (see WriteBrowserHelpers).
std::vector<std::string> BrowserEnvironment(const BrowserStart& start);

// Writes the desktop helpers the browser asks about an address it would hand to another
// program into the profile's program folder: asked whether it is that address's handler
// itself, it is told yes (so it hands the address to nobody and asks nobody), and opening
// anything with another program fails. False when they could not be written.
bool WriteBrowserHelpers(const std::string& profile_dir);

// Writes the profile's preferences before its first start: nothing prepared ahead of the
// visitor (no prerendered pages), PDF files taken as downloads (which are refused) rather
// than shown in the browser's own viewer, no private windows, no offers to translate,
// save passwords or fill forms. False when they could not be written.
bool WriteBrowserPreferences(const std::string& profile_dir);

// Makes a private folder (mode 0700) for the browser's sockets and temporary files: under
// XDG_RUNTIME_DIR when that is set and short, else under /tmp. Empty when none could be made.
std::string MakeBrowserTempDir();

}  // namespace tw
