#include "mail/mail_connection.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <istream>
#include <ostream>
#include <vector>

#include "mail/host_lookup.h"
#include "mail/mail_strings.h"

namespace tw {
namespace {

// The longest single poll() before the message pump runs again.
constexpr int kSliceMs = 20;

int Percent(long long position, long long total) {
  if (total < 1) return -1;
  return static_cast<int>(std::llround(static_cast<double>(position) * 100.0 / static_cast<double>(total)));
}

// A port written after the colon of Server: decimal digits giving 1..65535.
bool ParsePort(std::string_view text, std::uint16_t* port) {
  if (text.empty() || text.size() > 5) return false;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  if (value < 1 || value > 65535) return false;
  *port = static_cast<std::uint16_t>(value);
  return true;
}

}  // namespace

MailConnection::MailConnection() = default;

MailConnection::~MailConnection() {
  DropLookup();
  CloseQuietly();
}

void MailConnection::Connect() {
  if (Connected()) return;
  Open();
  Login();
}

void MailConnection::Disconnect() {
  if (!Connected()) return;
  Logout();
  Close();
}

void MailConnection::Cancel() {
  canceled_ = true;
  if (OnCancel) OnCancel();
  DropLookup();
  Close();
}

void MailConnection::Reset() {
  canceled_ = false;
  counter_.Reset();
  DropLookup();
}

int MailConnection::ReplyCode(std::string_view line) const {
  const std::string_view head = line.substr(0, 3);
  if (head.empty()) return -1;
  int value = 0;
  for (char c : head) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

void MailConnection::ProcessMessages() {
  if (pump_) pump_();
}

void MailConnection::DropLookup() { lookup_.reset(); }

void MailConnection::CloseQuietly() {
  if (fd_ != -1) {
    ::close(fd_);
    fd_ = -1;
  }
}

void MailConnection::Close() {
  if (fd_ == -1) return;
  if (OnClosing) OnClosing();
  CloseQuietly();
  if (OnClosed) OnClosed();
}

void MailConnection::AdoptSocket(int fd) {
  CloseQuietly();
  fd_ = fd;
  const int flags = ::fcntl(fd_, F_GETFL, 0);
  if (flags != -1) ::fcntl(fd_, F_SETFL, flags | O_NONBLOCK);
}

void MailConnection::RaiseSocketError(int code) {
  if (code == 0) return;
  counter_.Stop();
  std::string message = SocketErrorText(code);
  if (OnError) OnError(message);
  // After a reset, or a reply that broke the line protocol, the connection is useless.
  if (code == kWsaConnReset || code == kMsgReplyTooLong) Close();
  throw ESocketError(message);
}

void MailConnection::RaiseTimeOut() {
  counter_.Stop();
  const std::string text = SocketErrorText(kMsgTimedOut);
  std::string message = text;
  if (OnError) OnError(message);
  DropLookup();
  Close();
  throw ETimedOutError(text);
}

void MailConnection::RaiseCanceled() {
  counter_.Stop();
  const std::string text = SocketErrorText(kMsgCanceled);
  std::string message = text;
  if (OnError) OnError(message);
  throw ECanceledError(text);
}

void MailConnection::PollSlice(short events) {
  const int slice = std::clamp(counter_.RemainingMs(), 1, kSliceMs);
  if (fd_ != -1) {
    pollfd p{fd_, events, 0};
    ::poll(&p, 1, slice);
  } else {
    ::poll(nullptr, 0, slice);
  }
  ProcessMessages();
}

MailConnection::WaitEnd MailConnection::WaitSocket(short events, int* error_code) {
  *error_code = 0;
  for (;;) {
    if (canceled_) return WaitEnd::kCanceled;
    if (counter_.TimedOut()) return WaitEnd::kTimedOut;
    if (fd_ == -1) {
      // Closed under our feet by the owner while we were pumping.
      *error_code = kMsgNotConnected;
      return WaitEnd::kError;
    }
    pollfd p{fd_, events, 0};
    const int slice = std::clamp(counter_.RemainingMs(), 1, kSliceMs);
    const int n = ::poll(&p, 1, slice);
    if (n < 0 && errno != EINTR) {
      *error_code = SocketErrorFromErrno(errno);
      return WaitEnd::kError;
    }
    if (n > 0) {
      if (p.revents & (POLLERR | POLLNVAL)) {
        int err = 0;
        socklen_t len = sizeof(err);
        if (::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &err, &len) == 0 && err != 0) {
          *error_code = SocketErrorFromErrno(err);
          return WaitEnd::kError;
        }
      }
      return WaitEnd::kReady;
    }
    ProcessMessages();
  }
}

void MailConnection::ResolveHost(const std::string& host, std::uint32_t* address) {
  in_addr dotted{};
  if (::inet_aton(host.c_str(), &dotted) != 0) {
    *address = dotted.s_addr;
    return;
  }
  lookup_ = std::make_unique<HostLookup>(host);
  counter_.Start();
  while (lookup_ && !lookup_->Done() && !canceled_ && !counter_.TimedOut()) PollSlice(0);
  counter_.Stop();
  // Cancel (from the pump) may have dropped the lookup already.
  const int error = (lookup_ && lookup_->Done()) ? lookup_->Error() : 0;
  in_addr found{};
  const bool have = error == 0 && lookup_ && lookup_->Done() && lookup_->FirstAddress(&found);
  const bool timed_out = counter_.TimedOut();
  DropLookup();
  RaiseSocketError(error);
  if (timed_out) RaiseTimeOut();
  if (canceled_) RaiseCanceled();
  ProcessMessages();
  if (!have) RaiseSocketError(kMsgResolveError);
  *address = found.s_addr;
}

void MailConnection::Open() {
  if (OnOpen) OnOpen();
  if (server_.empty()) RaiseSocketError(kMsgServerRequired);
  CloseQuietly();  // a second Open must not leak the first socket

  const auto colon = server_.find(':');
  const std::string host = server_.substr(0, colon);
  char name[512] = {};
  if (::gethostname(name, sizeof(name) - 1) == 0 && name[0] != '\0') {
    local_host_name_ = name;
  } else {
    local_host_name_ = host;
  }

  ResolveHost(host, &remote_ip_);
  in_addr shown{};
  shown.s_addr = remote_ip_;
  remote_address_ = ::inet_ntoa(shown);

  std::uint16_t port = 0;
  if (colon != std::string::npos && ParsePort(std::string_view(server_).substr(colon + 1), &port)) {
    port_ = port;
  } else {
    if (service_name_.empty()) RaiseSocketError(kMsgServiceRequired);
    if (canceled_) RaiseCanceled();
    // The services database is a local file: the lookup does not wait on the network.
    const servent* entry = ::getservbyname(service_name_.c_str(), "tcp");
    port_ = entry ? ntohs(static_cast<std::uint16_t>(entry->s_port)) : default_port_;
  }

  // Cancel may have come from the last pump of the lookup: leave no socket behind.
  if (canceled_) RaiseCanceled();
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) RaiseSocketError(SocketErrorFromErrno(errno));
  fd_ = fd;
}

void MailConnection::ConnectSocket() {
  if (canceled_) RaiseCanceled();
  if (fd_ == -1) RaiseSocketError(kMsgNotConnected);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port_);
  address.sin_addr.s_addr = remote_ip_;
  counter_.Start();
  if (::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0) {
    counter_.Stop();
    return;
  }
  if (errno != EINPROGRESS && errno != EINTR) RaiseSocketError(SocketErrorFromErrno(errno));
  int error = 0;
  const WaitEnd end = WaitSocket(POLLOUT, &error);
  if (end == WaitEnd::kReady) {
    int err = 0;
    socklen_t len = sizeof(err);
    if (::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &err, &len) != 0) err = errno;
    error = err != 0 ? SocketErrorFromErrno(err) : 0;
  }
  counter_.Stop();
  if (end == WaitEnd::kCanceled) RaiseCanceled();
  RaiseSocketError(error);
  if (end == WaitEnd::kTimedOut) RaiseTimeOut();
}

void MailConnection::SendLine(std::string_view text) {
  if (fd_ == -1) RaiseSocketError(kMsgNotConnected);
  // A line break inside the text would smuggle a second command onto the wire.
  if (text.find_first_of("\r\n") != std::string_view::npos) RaiseSocketError(kMsgLineBreakInCommand);
  std::string buffer(text);
  buffer += "\r\n";
  std::size_t sent = 0;
  counter_.Start();
  while (sent < buffer.size()) {
    ProcessMessages();
    if (canceled_ || counter_.TimedOut()) break;
    const ssize_t n = ::send(fd_, buffer.data() + sent, buffer.size() - sent, MSG_NOSIGNAL);
    if (n > 0) {
      sent += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      PollSlice(POLLOUT);
      continue;
    }
    if (!canceled_) RaiseSocketError(SocketErrorFromErrno(n < 0 ? errno : EPIPE));
  }
  counter_.Stop();
  if (canceled_) RaiseCanceled();
  if (counter_.TimedOut()) RaiseTimeOut();
}

int MailConnection::ReadLine(std::string& line) {
  line.clear();
  if (fd_ == -1) RaiseSocketError(kMsgNotConnected);
  counter_.Start();
  int error = 0;
  const WaitEnd end = WaitSocket(POLLIN, &error);
  if (end == WaitEnd::kCanceled) RaiseCanceled();
  if (end == WaitEnd::kTimedOut) RaiseTimeOut();
  if (end == WaitEnd::kError) RaiseSocketError(error);
  counter_.Start();

  // Peek at what has arrived and take exactly up to the line feed, so the bytes after
  // it stay in the socket for the next read.
  std::string buffer;
  char chunk[kLineBufferSize];
  bool complete = false;
  for (;;) {
    if (canceled_ || counter_.TimedOut() || fd_ == -1) break;
    const std::size_t room = kLineBufferSize - buffer.size();
    const ssize_t n = ::recv(fd_, chunk, room, MSG_PEEK);
    if (n > 0) {
      const char* lf = static_cast<const char*>(std::memchr(chunk, '\n', static_cast<std::size_t>(n)));
      const std::size_t take = lf ? static_cast<std::size_t>(lf - chunk) + 1 : static_cast<std::size_t>(n);
      const ssize_t got = ::recv(fd_, chunk, take, 0);
      if (got > 0) buffer.append(chunk, static_cast<std::size_t>(got));
      if (lf && got == static_cast<ssize_t>(take)) {
        complete = true;
        break;
      }
      if (buffer.size() >= kLineBufferSize) {
        // The rest of this line would be read as the next reply: give up on the connection.
        RaiseSocketError(kMsgReplyTooLong);
      }
      continue;
    }
    if (n == 0) break;  // the peer closed
    if (errno == EINTR) continue;
    if (errno == EAGAIN || errno == EWOULDBLOCK) {
      PollSlice(POLLIN);
      continue;
    }
    if (!canceled_) RaiseSocketError(SocketErrorFromErrno(errno));
  }
  counter_.Stop();
  if (complete) {
    while (!buffer.empty() && (buffer.back() == '\r' || buffer.back() == '\n')) buffer.pop_back();
    line = std::move(buffer);
    return ReplyCode(line);
  }
  if (canceled_) RaiseCanceled();
  if (counter_.TimedOut()) RaiseTimeOut();
  if (fd_ == -1) RaiseSocketError(kMsgNotConnected);
  return -1;
}

int MailConnection::ReadReply() {
  const int code = ReadLine(last_reply_);
  if (code > 0 && last_reply_.find('-') == 3) {
    for (;;) {
      const int next = ReadLine(last_reply_);
      if (next == -1 && last_reply_.empty()) break;  // the peer closed
      if (next == code && last_reply_.find(' ') == 3) break;
    }
  }
  return code;
}

void MailConnection::ReceiveToStream(std::ostream& stream, long long expected_size) {
  if (fd_ == -1) RaiseSocketError(kMsgNotConnected);
  counter_.Start();
  int error = 0;
  const WaitEnd end = WaitSocket(POLLIN, &error);
  if (end == WaitEnd::kCanceled) RaiseCanceled();
  if (end == WaitEnd::kTimedOut) RaiseTimeOut();
  if (end == WaitEnd::kError) RaiseSocketError(error);

  static constexpr std::string_view kTerminator = "\r\n.\r\n";
  std::vector<char> buffer(kReceiveBlockSize);
  // The last bytes received, with a line end in front so that a reply of only "." CR LF
  // (an empty listing) is recognised too.
  std::string tail = "\r\n";
  long long position = 0;
  bool done = false;
  counter_.Start();
  while (!done) {
    if (canceled_ || counter_.TimedOut() || fd_ == -1) break;
    const ssize_t n = ::recv(fd_, buffer.data(), buffer.size(), 0);
    if (n > 0) {
      stream.write(buffer.data(), n);
      position += n;
      tail.append(buffer.data(), static_cast<std::size_t>(n));
      if (tail.size() > kTerminator.size()) tail.erase(0, tail.size() - kTerminator.size());
      done = tail == kTerminator;
      counter_.Start();
      if (OnProgress) OnProgress(Percent(position, expected_size), position);
      ProcessMessages();
      continue;
    }
    if (n == 0) {
      // The peer closed before the terminating line: the data is incomplete.
      RaiseSocketError(kWsaConnReset);
    }
    if (errno == EINTR) continue;
    if (errno == EAGAIN || errno == EWOULDBLOCK) {
      PollSlice(POLLIN);
      continue;
    }
    if (!canceled_) RaiseSocketError(SocketErrorFromErrno(errno));
  }
  counter_.Stop();
  if (done) return;
  if (canceled_) RaiseCanceled();
  if (counter_.TimedOut()) RaiseTimeOut();
  RaiseSocketError(kMsgNotConnected);
}

void MailConnection::SendStream(std::istream& stream) {
  if (fd_ == -1) RaiseSocketError(kMsgNotConnected);
  stream.clear();
  stream.seekg(0, std::ios::end);
  const long long size = static_cast<long long>(stream.tellg());
  stream.seekg(0, std::ios::beg);

  std::vector<char> block(kSendBlockSize);
  long long position = 0;
  std::size_t length = 0;
  do {
    stream.read(block.data(), static_cast<std::streamsize>(block.size()));
    length = static_cast<std::size_t>(stream.gcount());
    std::size_t sent = 0;
    counter_.Start();
    while (sent < length) {
      ProcessMessages();
      if (canceled_ || counter_.TimedOut()) break;
      const ssize_t n = ::send(fd_, block.data() + sent, length - sent, MSG_NOSIGNAL);
      if (n > 0) {
        sent += static_cast<std::size_t>(n);
        counter_.Start();
        continue;
      }
      if (n < 0 && errno == EINTR) continue;
      if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
        PollSlice(POLLOUT);
        continue;
      }
      if (!canceled_) RaiseSocketError(SocketErrorFromErrno(n < 0 ? errno : EPIPE));
    }
    counter_.Stop();
    if (canceled_ || counter_.TimedOut()) break;
    position += static_cast<long long>(length);
    if (OnProgress) OnProgress(size > 0 ? Percent(position, size) : 100, position);
  } while (length == kSendBlockSize);
  if (canceled_) RaiseCanceled();
  if (counter_.TimedOut()) RaiseTimeOut();
  if (OnProgress) OnProgress(0, 0);
}

}  // namespace tw
