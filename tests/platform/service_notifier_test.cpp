// systemd's notifications received on a socket of the test's own, as systemd would:
// ready, the watchdog's keep-alive and its interval; nothing without NOTIFY_SOCKET.
#include "platform/service_notifier.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "support/datagram_listener.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

TEST(ServiceNotifier, ReadyAndKeepAliveReachTheServiceManager) {
  test::TempDir dir;
  const test::DatagramListener systemd(dir.File("notify.socket"));
  ASSERT_TRUE(systemd.ok());
  auto next = [&] { return systemd.Next(); };

  ::setenv("NOTIFY_SOCKET", systemd.path().c_str(), 1);
  ::setenv("WATCHDOG_USEC", "3000000", 1);
  ::setenv("WATCHDOG_PID", std::to_string(::getpid()).c_str(), 1);
  ServiceNotifier notifier;
  EXPECT_TRUE(notifier.Active());
  EXPECT_EQ(notifier.KeepAliveInterval().count(), 1500);
  notifier.Ready();
  EXPECT_EQ(next(), "READY=1");
  notifier.KeepAlive();
  EXPECT_EQ(next(), "WATCHDOG=1");

  // The service's main process started us (xinit): its watchdog is ours to feed; one
  // meant for any other process is not.
  ::setenv("WATCHDOG_PID", std::to_string(::getppid()).c_str(), 1);
  EXPECT_EQ(ServiceNotifier().KeepAliveInterval().count(), 1500);
  ::setenv("WATCHDOG_PID", "999999999", 1);
  EXPECT_EQ(ServiceNotifier().KeepAliveInterval().count(), 0);

  ::unsetenv("NOTIFY_SOCKET");
  ::unsetenv("WATCHDOG_USEC");
  ::unsetenv("WATCHDOG_PID");
  ServiceNotifier outside;
  EXPECT_FALSE(outside.Active());
  outside.Ready();
  EXPECT_EQ(next(), "");
}

}  // namespace
}  // namespace tw
