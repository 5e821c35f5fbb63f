// A complete default configuration: every key with the value the Setup Manager shows
// when the key is absent, sections in the order of a freshly written file. Lists are
// empty, and an empty list leaves its sections absent.
#pragma once

#include <string>

#include "common/config/profile_file.h"

namespace tw {

// Saves the default configuration onto a file, as the Setup Manager's save does: keys
// already present are rewritten where they stand, new keys go to the end of their
// section, and every list section is erased. Keys that no one writes (PREFERENCES/Debug)
// are left as they are. Throws ProfileWriteError when the file cannot be written.
void WriteDefaultConfig(ProfileFile& file);

// The text of a fresh default Tarnwick.ini ("\n" line endings).
std::string DefaultConfigText();

}  // namespace tw
