// Journal entries sent to a socket of the test's own: what arrives is one datagram per
// entry in the journal's native format, line breaks in values length-prefixed; without
// a socket nothing is sent.
#include "platform/system_journal.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include "support/temp_dir.h"

namespace tw {
namespace {

TEST(SystemJournal, EntriesArriveInTheNativeFormat) {
  test::TempDir dir;
  const std::string path = dir.File("journal.socket");
  const int server = ::socket(AF_UNIX, SOCK_DGRAM, 0);
  ASSERT_GE(server, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
  ASSERT_EQ(::bind(server, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);

  SystemJournal journal(path);
  ASSERT_TRUE(journal.Available());
  ASSERT_TRUE(journal.Send("Page Loaded - http://x/", {{"TARNWICK_DIR", "/etc/tarnwick/"}}));
  ASSERT_TRUE(journal.Send("two\nlines", {}));
  char buffer[4096];
  ssize_t n = ::recv(server, buffer, sizeof(buffer), 0);
  EXPECT_EQ(std::string(buffer, static_cast<std::size_t>(n)),
            "MESSAGE=Page Loaded - http://x/\nPRIORITY=6\nSYSLOG_IDENTIFIER=tarnwick\nTARNWICK_DIR=/etc/tarnwick/\n");
  n = ::recv(server, buffer, sizeof(buffer), 0);
  static constexpr char kTwoLines[] = "MESSAGE\n\x09\0\0\0\0\0\0\0two\nlines\nPRIORITY=6\nSYSLOG_IDENTIFIER=tarnwick\n";
  EXPECT_EQ(std::string(buffer, static_cast<std::size_t>(n)), std::string(kTwoLines, sizeof(kTwoLines) - 1));
  ::close(server);

  SystemJournal absent(dir.File("no-journal"));
  EXPECT_FALSE(absent.Available());
  EXPECT_FALSE(absent.Send("lost", {}));
}

}  // namespace
}  // namespace tw
