#include "kiosk/browser/external/browser_error_lines.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

// The browser's own words for why it would not start, found among the noise of a normal
// start and whatever way the output was cut.
TEST(BrowserErrorLines, TheLineThatSaysWhy) {
  const std::string fatal =
      "[29802:29802:1209/075400.923557:FATAL:chrome/browser/process_singleton_posix.cc:315] Socket path too long: "
      "/tmp/x/SingletonSocket.\n";
  const std::string noise =
      "/usr/bin/chromium: 9: [: 25276125184: unexpected operator\n"
      "[1209/075400.973371:ERROR:third_party/crashpad/file_io_posix.cc:145] open /sys/x: No such file (2)\n"
      "[29822:29822:0100/000000.205188:WARNING:zygote_linux.cc:662] write: Broken pipe (32)\n";
  struct Case {
    std::string output;
    std::size_t cut;  // where the output arrives in two pieces
    std::string reason;
  };
  const Case cases[] = {
      {noise + fatal + noise, 7, "Socket path too long: /tmp/x/SingletonSocket."},
      {fatal + noise, fatal.size() - 3, "Socket path too long: /tmp/x/SingletonSocket."},
      {noise, 100, "open /sys/x: No such file (2)"},
      {"plain words\r\n\n", 3, "plain words"},
      {"cut off without an end", 5, "cut off without an end"},
      {"", 0, ""},
  };
  for (const Case& c : cases) {
    BrowserErrorLines lines;
    lines.Add(std::string_view(c.output).substr(0, c.cut));
    lines.Add(std::string_view(c.output).substr(std::min(c.cut, c.output.size())));
    EXPECT_EQ(lines.Reason(), c.reason) << c.output;
    lines.Clear();
    EXPECT_EQ(lines.Reason(), "");
  }
  BrowserErrorLines endless;
  endless.Add(std::string(100000, 'x'));
  EXPECT_EQ(endless.Reason().size(), BrowserErrorLines::kMaxLine);
}

}  // namespace
}  // namespace tw
