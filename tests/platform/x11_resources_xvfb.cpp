// The X server's resource database on a real server (run under Xvfb): what is written is
// read back whole, by this connection and by xrdb, the tool operators use.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/x11qt/x11_resources.h"

namespace tw {
namespace {

std::string CommandOutput(const char* command) {
  std::string out;
  if (FILE* pipe = ::popen(command, "r")) {
    char buffer[512];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    ::pclose(pipe);
  }
  return out;
}

TEST(X11Resources, WrittenDatabaseIsWhatTheServerHolds) {
  const X11Display display;
  ASSERT_TRUE(display) << "no X display";
  const auto before = ReadServerResources(display);
  ASSERT_TRUE(before.has_value());
  const std::string database = "*background:\tgrey\nXft.dpi:\t120\n";
  ASSERT_TRUE(WriteServerResources(display, database));
  EXPECT_EQ(ReadServerResources(display).value_or("?"), database);
  // A second connection, as the kiosk's toolkit would open at its start, sees it too.
  EXPECT_NE(CommandOutput("xrdb -query 2>/dev/null").find("Xft.dpi:\t120"), std::string::npos);
  ASSERT_TRUE(WriteServerResources(display, *before));
  EXPECT_EQ(ReadServerResources(display).value_or("?"), *before);
}

}  // namespace
}  // namespace tw
