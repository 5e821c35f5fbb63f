// Where the kiosk finds its files.
#pragma once

#include <string>

namespace tw {

// The directory of the running executable, with a trailing "/".
std::string ExecutableDirectory();

}  // namespace tw
