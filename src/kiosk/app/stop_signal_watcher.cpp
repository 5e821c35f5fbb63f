#include "kiosk/app/stop_signal_watcher.h"

#include <fcntl.h>
#include <unistd.h>

#include <csignal>

namespace tw {
namespace {

int g_pipe[2] = {-1, -1};

// Only async-signal-safe work here: hand the signal number to the event loop.
void OnSignal(int signal_number) {
  const unsigned char byte = static_cast<unsigned char>(signal_number);
  [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &byte, 1);
}

}  // namespace

StopSignalWatcher::StopSignalWatcher(QObject* parent) : QObject(parent) {
  if (g_pipe[0] < 0 && ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  notifier_ = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &StopSignalWatcher::OnReadable);
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

StopSignalWatcher::~StopSignalWatcher() {
  std::signal(SIGTERM, SIG_DFL);
  std::signal(SIGINT, SIG_DFL);
}

void StopSignalWatcher::OnReadable() {
  unsigned char byte = 0;
  while (::read(g_pipe[0], &byte, 1) == 1) emit StopRequested(byte);
}

}  // namespace tw
