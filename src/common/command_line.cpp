#include "common/command_line.h"

namespace tw {

std::vector<std::string> SplitCommandLine(std::string_view line) {
  std::vector<std::string> parts;
  std::string part;
  bool in_part = false;
  bool quoted = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
      in_part = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (in_part) parts.push_back(std::move(part));
      part.clear();
      in_part = false;
    } else {
      part += c;
      in_part = true;
    }
  }
  if (in_part) parts.push_back(std::move(part));
  return parts;
}

}  // namespace tw
