// The kiosk's profile folder for the external browser (<program folder>/browser-profile/):
// the kiosk makes it afresh at every start of the browser, so what can stand in its way is
// a folder it cannot create or write, or a browser still holding it.
#pragma once

#include <string>

namespace tw {

inline constexpr const char* kBrowserProfileFolder = "browser-profile";

struct ProfileFolderState {
  enum Kind {
    kUsable,         // there and writable, or can be made
    kNotWritable,    // cannot be created or written: Setup Manager cannot change that
    kHeldByBrowser,  // a running browser holds it (its lock names a live process here)
    kStaleLock,      // a lock left by a browser that is gone
  };
  Kind kind = kUsable;
  std::string detail;
};

// `program_dir` ends with "/". Writes nothing that stays: a folder that does not exist yet
// is tried by making it and removing it again.
ProfileFolderState CheckProfileFolder(const std::string& program_dir);

// Creates the folder and removes a stale lock (and the socket and cookie links that go with
// it). Empty when done, otherwise why not.
std::string RepairProfileFolder(const std::string& program_dir);

}  // namespace tw
