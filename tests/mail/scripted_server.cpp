#include "scripted_server.h"

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace tw::test {
namespace {

// No step waits longer than this for the client, so a broken test cannot hang.
constexpr int kStepLimitMs = 5000;

int ListenLoopback(std::uint16_t* port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address));
  ::listen(fd, 4);
  socklen_t len = sizeof(address);
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &len);
  *port = ntohs(address.sin_port);
  return fd;
}

}  // namespace

ScriptedServer::ScriptedServer(std::vector<Step> script, bool accept) {
  listen_fd_ = ListenLoopback(&port_);
  if (accept) {
    thread_ = std::thread([this, s = std::move(script)]() mutable { Run(std::move(s)); });
  } else {
    finished_ = true;
  }
}

ScriptedServer::~ScriptedServer() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  ::close(listen_fd_);
}

std::uint16_t ScriptedServer::UnusedPort() {
  std::uint16_t port = 0;
  const int fd = ListenLoopback(&port);
  ::close(fd);
  return port;
}

std::string ScriptedServer::Received() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return received_;
}

std::string ScriptedServer::Transcript() {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStepLimitMs);
  while (!finished_ && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return Received();
}

// Reads what is there (waiting one short slice); false when the client closed.
bool ScriptedServer::ReadSome(int fd) {
  pollfd p{fd, POLLIN, 0};
  if (::poll(&p, 1, 10) <= 0) return true;
  char buffer[4096];
  const ssize_t n = ::recv(fd, buffer, sizeof(buffer), 0);
  if (n <= 0) return false;
  std::lock_guard<std::mutex> lock(mutex_);
  received_.append(buffer, static_cast<std::size_t>(n));
  return true;
}

void ScriptedServer::Run(std::vector<Step> script) {
  int fd = -1;
  const auto start = std::chrono::steady_clock::now();
  while (!stop_ && fd < 0) {
    pollfd p{listen_fd_, POLLIN, 0};
    if (::poll(&p, 1, 10) > 0) fd = ::accept4(listen_fd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (std::chrono::steady_clock::now() - start > std::chrono::milliseconds(kStepLimitMs)) break;
  }
  if (fd < 0) {
    finished_ = true;
    return;
  }
  accepted_ = true;
  bool open = true;
  std::size_t consumed = 0;  // received bytes already matched by read steps
  for (const Step& step : script) {
    if (stop_ || !open) break;
    const auto step_start = std::chrono::steady_clock::now();
    auto expired = [&] {
      return stop_ || std::chrono::steady_clock::now() - step_start > std::chrono::milliseconds(kStepLimitMs);
    };
    switch (step.kind) {
      case Step::Kind::kSend:
        ::send(fd, step.text.data(), step.text.size(), MSG_NOSIGNAL);
        break;
      case Step::Kind::kReadLine:
      case Step::Kind::kReadUntil: {
        const std::string until = step.kind == Step::Kind::kReadLine ? "\n" : step.text;
        for (;;) {
          const std::string got = Received();
          const auto at = got.find(until, consumed);
          if (at != std::string::npos) {
            consumed = at + until.size();
            break;
          }
          if (!open || expired()) break;
          open = ReadSome(fd);
        }
        break;
      }
      case Step::Kind::kPause:
        while (std::chrono::steady_clock::now() - step_start < std::chrono::milliseconds(step.ms) && !stop_) {
          if (open) open = ReadSome(fd);
          else std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        break;
      case Step::Kind::kClose:
        ::close(fd);
        fd = -1;
        open = false;
        break;
      case Step::Kind::kReset: {
        linger l{1, 0};
        ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &l, sizeof(l));
        ::close(fd);
        fd = -1;
        open = false;
        break;
      }
    }
  }
  // Record whatever else the client sends until it closes.
  const auto tail_start = std::chrono::steady_clock::now();
  while (open && !stop_ &&
         std::chrono::steady_clock::now() - tail_start < std::chrono::milliseconds(kStepLimitMs)) {
    open = ReadSome(fd);
  }
  if (fd >= 0) ::close(fd);
  finished_ = true;
}

}  // namespace tw::test
