#include "common/texts/log_texts.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace tw {
namespace {

// The operators' list (docs/LOG_LINES.md) says what the kiosk writes: the same texts as the
// header, each once, none a stray of an old version.
TEST(LogTexts, TheOperatorsListIsTheHeaders) {
  std::ifstream doc(std::string(TARNWICK_SOURCE_DIR) + "/docs/LOG_LINES.md");
  ASSERT_TRUE(doc) << "docs/LOG_LINES.md is missing";
  std::vector<std::string> listed;
  for (std::string line; std::getline(doc, line);) {
    if (!line.starts_with("| `")) continue;
    const auto end = line.find("` |", 3);
    ASSERT_NE(end, std::string::npos) << line;
    listed.push_back(line.substr(3, end - 3));
  }
  std::vector<std::string> header;
  std::set<std::string> seen;
  for (const log_text::Entry& entry : log_text::kAll) {
    EXPECT_TRUE(seen.insert(std::string(entry.text)).second) << "twice: " << entry.text;
    EXPECT_FALSE(entry.meaning.empty()) << entry.text;
    header.emplace_back(entry.text);
  }
  EXPECT_EQ(listed, header);
}

}  // namespace
}  // namespace tw
