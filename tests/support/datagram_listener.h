// A Unix datagram socket bound to a path, as the system's journal or service manager
// listens: what a test's program sends there is read back one datagram at a time.
#pragma once

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <string>

namespace tw::test {

class DatagramListener {
 public:
  explicit DatagramListener(std::string path) : path_(std::move(path)) {
    fd_ = ::socket(AF_UNIX, SOCK_DGRAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path_.c_str(), sizeof(address.sun_path) - 1);
    if (fd_ >= 0 && ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
      ::close(fd_);
      fd_ = -1;
    }
  }
  ~DatagramListener() {
    if (fd_ >= 0) ::close(fd_);
  }
  DatagramListener(const DatagramListener&) = delete;
  DatagramListener& operator=(const DatagramListener&) = delete;

  bool ok() const { return fd_ >= 0; }
  const std::string& path() const { return path_; }
  // The next datagram, or "" when none is waiting.
  std::string Next() const {
    char buffer[4096];
    const ssize_t n = ::recv(fd_, buffer, sizeof(buffer), MSG_DONTWAIT);
    return n < 0 ? std::string() : std::string(buffer, static_cast<std::size_t>(n));
  }

 private:
  std::string path_;
  int fd_ = -1;
};

}  // namespace tw::test
