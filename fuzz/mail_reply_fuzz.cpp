// Server replies as they arrive on the socket: lines, multi-line replies, over-long
// lines, and bulk data up to the terminating line.
#include <sys/socket.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "mail/mail_connection.h"

namespace {

class ReplyReader : public tw::MailConnection {
 public:
  explicit ReplyReader(int fd) : MailConnection({}) {
    Settings().time_out = 1;
    AdoptSocket(fd);
  }
  using MailConnection::ReadReply;
  using MailConnection::ReceiveToStream;
  void Login() override {}
  void Logout() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The whole input must fit the socket buffer, as the writer closes before reading.
  if (size > 60000) return 0;
  int fds[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, fds) != 0) return 0;
  int buffer = 262144;
  ::setsockopt(fds[0], SOL_SOCKET, SO_SNDBUF, &buffer, sizeof(buffer));
  ::setsockopt(fds[1], SOL_SOCKET, SO_RCVBUF, &buffer, sizeof(buffer));
  if (::send(fds[0], data, size, MSG_NOSIGNAL) != static_cast<ssize_t>(size)) {
    ::close(fds[0]);
    ::close(fds[1]);
    return 0;
  }
  ::close(fds[0]);
  ReplyReader reader(fds[1]);
  try {
    // Replies until the peer's close shows, then the rest as bulk data.
    for (int i = 0; i < 10000 && reader.Connected(); ++i) {
      const int code = reader.ReadReply();
      if (reader.LastReply().size() >= tw::MailConnection::kLineBufferSize) __builtin_trap();
      if (code == -1 && reader.LastReply().empty()) break;
      if (code == 354) {
        std::ostringstream bulk;
        reader.ReceiveToStream(bulk, -1);
      }
    }
  } catch (const tw::EMailError&) {
  }
  return 0;
}
