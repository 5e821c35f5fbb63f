// Reading an activity log back as its event texts, without the time stamps.
#pragma once

#include <fstream>
#include <string>
#include <vector>

namespace tw::test {

inline std::vector<std::string> LogTexts(const std::string& path) {
  std::vector<std::string> texts;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    const auto mark = line.find(" --- ");
    texts.push_back(mark == std::string::npos ? "<malformed> " + line : line.substr(mark + 5));
  }
  return texts;
}

}  // namespace tw::test
