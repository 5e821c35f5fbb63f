#include "pipe_channel.h"

#include <poll.h>
#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace tw {
namespace {

// write() to a pipe whose reader is gone raises SIGPIPE, which would end the kiosk; keep
// the signal blocked for this thread around the call and swallow the one it raised.
ssize_t WriteWithoutSigpipe(int fd, const char* data, std::size_t size) {
  sigset_t pipe_signal;
  sigemptyset(&pipe_signal);
  sigaddset(&pipe_signal, SIGPIPE);
  sigset_t old;
  pthread_sigmask(SIG_BLOCK, &pipe_signal, &old);
  const ssize_t written = ::write(fd, data, size);
  const int error = errno;
  if (written < 0 && error == EPIPE) {
    const timespec now{0, 0};
    while (sigtimedwait(&pipe_signal, nullptr, &now) < 0 && errno == EINTR) {
    }
  }
  pthread_sigmask(SIG_SETMASK, &old, nullptr);
  errno = error;
  return written;
}

}  // namespace

PipeChannel::PipeChannel(const PipedChild& child)
    : to_child_(child.to_child),
      from_child_(child.from_child),
      connection_([this](std::string_view bytes) { Queue(bytes); }) {}

PipeChannel::~PipeChannel() {
  if (to_child_ >= 0) ::close(to_child_);
  if (from_child_ >= 0) ::close(from_child_);
}

void PipeChannel::Lost(std::string_view why) {
  outgoing_.clear();
  connection_.Close(why);
}

void PipeChannel::Queue(std::string_view bytes) {
  outgoing_.append(bytes);
  OnWritable();
}

void PipeChannel::OnWritable() {
  while (!outgoing_.empty()) {
    const ssize_t written = WriteWithoutSigpipe(to_child_, outgoing_.data(), outgoing_.size());
    if (written > 0) {
      outgoing_.erase(0, static_cast<std::size_t>(written));
    } else if (written < 0 && errno == EINTR) {
      continue;
    } else if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      return;
    } else {
      Lost("the browser's control pipe is closed");
      return;
    }
  }
}

void PipeChannel::OnReadable() {
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(from_child_, buffer, sizeof buffer);
    if (got > 0) {
      if (!connection_.Receive(std::string_view(buffer, static_cast<std::size_t>(got)))) {
        outgoing_.clear();
        return;
      }
    } else if (got < 0 && errno == EINTR) {
      continue;
    } else if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      return;
    } else {
      Lost(got == 0 ? "the browser closed its control pipe" : "reading the browser's control pipe failed");
      return;
    }
  }
}

bool PipeChannel::WaitOnce(DevToolsConnection::Clock::time_point until) {
  const auto now = DevToolsConnection::Clock::now();
  connection_.ExpireCalls(now);
  if (now >= until) return false;
  auto wake = until;
  if (const auto deadline = connection_.NextDeadline()) wake = std::min(wake, *deadline);
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(wake - now).count();
  pollfd fds[2] = {{from_child_, POLLIN, 0}, {to_child_, POLLOUT, 0}};
  const int ready = ::poll(fds, WantsWrite() ? 2 : 1, static_cast<int>(std::max<long long>(left, 0)));
  if (ready <= 0) return true;  // time or a signal: the loop looks again
  if (fds[0].revents != 0) OnReadable();
  if (WantsWrite() && fds[1].revents != 0) OnWritable();
  return true;
}

}  // namespace tw
