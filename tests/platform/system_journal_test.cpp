// Journal entries sent to a socket of the test's own: what arrives is one datagram per
// entry in the journal's native format, line breaks in values length-prefixed; without
// a socket nothing is sent.
#include "platform/system_journal.h"

#include <gtest/gtest.h>

#include "support/datagram_listener.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

TEST(SystemJournal, EntriesArriveInTheNativeFormat) {
  test::TempDir dir;
  const test::DatagramListener journald(dir.File("journal.socket"));
  ASSERT_TRUE(journald.ok());

  SystemJournal journal(journald.path());
  ASSERT_TRUE(journal.Available());
  ASSERT_TRUE(journal.Send("Page Loaded - http://x/", {{"TARNWICK_DIR", "/etc/tarnwick/"}}));
  ASSERT_TRUE(journal.Send("two\nlines", {}));
  EXPECT_EQ(journald.Next(),
            "MESSAGE=Page Loaded - http://x/\nPRIORITY=6\nSYSLOG_IDENTIFIER=tarnwick\nTARNWICK_DIR=/etc/tarnwick/\n");
  static constexpr char kTwoLines[] = "MESSAGE\n\x09\0\0\0\0\0\0\0two\nlines\nPRIORITY=6\nSYSLOG_IDENTIFIER=tarnwick\n";
  EXPECT_EQ(journald.Next(), std::string(kTwoLines, sizeof(kTwoLines) - 1));

  SystemJournal absent(dir.File("no-journal"));
  EXPECT_FALSE(absent.Available());
  EXPECT_FALSE(absent.Send("lost", {}));
}

}  // namespace
}  // namespace tw
