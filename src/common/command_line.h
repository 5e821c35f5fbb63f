// A command line as the operator writes it in the settings, as program and arguments.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tw {

// Split at blanks; double quotes group a part that holds blanks (the quotes themselves
// are dropped). No shell is involved: nothing else is special.
std::vector<std::string> SplitCommandLine(std::string_view line);

}  // namespace tw
