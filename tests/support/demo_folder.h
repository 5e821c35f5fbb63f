// A program folder holding the demo configuration, its paths pointing into that folder.
#pragma once

#include <string>

#include "support/file_text.h"
#include "support/temp_dir.h"

namespace tw::test {

inline void CopyDemo(const TempDir& dir) {
  const std::string demo = std::string(TARNWICK_SOURCE_DIR) + "/demo/";
  for (const char* name : {"Tarnwick.ini", "TWLang.ini"}) {
    std::string text = Slurp(demo + name);
    const std::string mark = "@DEMO_DIR@";
    for (auto at = text.find(mark); at != std::string::npos; at = text.find(mark, at + dir.path().size())) {
      text.replace(at, mark.size(), dir.path());
    }
    Spit(dir.File(name), text);
  }
}

}  // namespace tw::test
