// Where the kiosk and the Setup Manager find their files.
#pragma once

#include <string>

namespace tw {

// The directory of the running executable, with a trailing "/".
std::string ExecutableDirectory();

}  // namespace tw
