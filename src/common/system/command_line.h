// A command line as the operator writes it in the settings, as program and arguments.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// Split at blanks; double quotes group a part that holds blanks (the quotes themselves
// are dropped). No shell is involved: nothing else is special.
std::vector<std::string> SplitCommandLine(std::string_view line);

// The program file a command's first word names, as starting it would find it: itself
// when it holds a "/", otherwise the first match on PATH. Only an executable regular file
// counts; none when there is no such file.
std::optional<std::string> FindProgram(const std::string& name);

}  // namespace tw
