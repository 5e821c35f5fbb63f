// Whole files as strings, for tests that write inputs and read results.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

namespace tw::test {

inline std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void Spit(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

}  // namespace tw::test
