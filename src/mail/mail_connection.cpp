#include "mail/mail_connection.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
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
#include "mail/tls_session.h"

namespace tw {
namespace {

// The longest single poll() before the message pump runs again.
constexpr int kSliceMs = 20;

// The end of the lines a POP3 listing or retrieved message ends with.
constexpr std::string_view kTerminator = "\r\n.\r\n";

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

MailConnection::MailConnection(MailService service) : service_(std::move(service)) {}

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

void MailConnection::UseServer(const MailServerSettings& server) {
  settings_.server = server.address;
  settings_.security = server.security;
  settings_.user_name = server.user_name;
  settings_.password = server.password;
  settings_.ca_file = server.ca_file;
  settings_.allow_plain_text_auth = server.allow_plain_text_auth;
}

void MailConnection::CloseQuietly() {
  tls_.reset();
  inbox_.clear();
  if (fd_ != -1) {
    ::close(fd_);
    fd_ = -1;
  }
}

void MailConnection::Close() {
  if (fd_ == -1) return;
  if (OnClosing) OnClosing();
  // The closing alert, unless the close comes from Cancel.
  if (tls_ && !canceled_) tls_->Shutdown();
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
  if (code == kWsaConnReset || code == kMsgReplyTooLong || code == kMsgReplyTooManyLines) Close();
  throw ESocketError(message);
}

void MailConnection::RaiseTlsError(const std::string& what) {
  counter_.Stop();
  std::string message = "TLS Error - " + what;
  if (OnError) OnError(message);
  Close();
  throw ETlsError(message);
}

std::string MailConnection::LoginRefusedText(std::initializer_list<std::string_view> secrets) const {
  for (std::string_view secret : secrets) {
    if (secret.empty() || last_reply_.find(secret) == std::string::npos) continue;
    return last_reply_.substr(0, last_reply_.find(' ')) +
           " (the server's reply repeats the log-in data and is not shown)";
  }
  return last_reply_;
}

void MailConnection::RaiseLoginRefused(std::initializer_list<std::string_view> secrets) {
  throw EServerError(LoginRefusedText(secrets));
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
  counter_.Start(settings_.time_out);
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
  const std::string& server = settings_.server;
  if (server.empty()) RaiseSocketError(kMsgServerRequired);
  CloseQuietly();  // a second Open must not leak the first socket

  const auto colon = server.find(':');
  const std::string host = server.substr(0, colon);
  endpoints_.host = host;
  char name[512] = {};
  if (::gethostname(name, sizeof(name) - 1) == 0 && name[0] != '\0') {
    endpoints_.local_host_name = name;
  } else {
    endpoints_.local_host_name = host;
  }

  ResolveHost(host, &remote_ip_);
  in_addr shown{};
  shown.s_addr = remote_ip_;
  endpoints_.remote_address = ::inet_ntoa(shown);

  std::uint16_t port = 0;
  if (colon != std::string::npos && ParsePort(std::string_view(server).substr(colon + 1), &port)) {
    endpoints_.port = port;
  } else {
    const bool tls_port = settings_.security == MailSecurity::kTls && !service_.tls_name.empty();
    const std::string& service = tls_port ? service_.tls_name : service_.name;
    if (service.empty()) RaiseSocketError(kMsgServiceRequired);
    if (canceled_) RaiseCanceled();
    // The services database is a local file: the lookup does not wait on the network.
    const servent* entry = ::getservbyname(service.c_str(), "tcp");
    endpoints_.port = entry ? ntohs(static_cast<std::uint16_t>(entry->s_port))
                            : (tls_port ? service_.tls_default_port : service_.default_port);
  }

  // Cancel may have come from the last pump of the lookup: leave no socket behind.
  if (canceled_) RaiseCanceled();
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) RaiseSocketError(SocketErrorFromErrno(errno));
  // Commands and replies alternate: a short line waiting for the acknowledgement of the
  // one before it (the end of a message is two of them) costs a delayed-ACK round.
  const int no_delay = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &no_delay, sizeof(no_delay));
  fd_ = fd;
}

void MailConnection::ConnectSocket() {
  if (canceled_) RaiseCanceled();
  if (fd_ == -1) RaiseSocketError(kMsgNotConnected);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(endpoints_.port);
  address.sin_addr.s_addr = remote_ip_;
  counter_.Start(settings_.time_out);
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

MailConnection::Io MailConnection::ReceiveSome(short* wait_for, int* error_code) {
  char chunk[kReceiveBlockSize];
  *wait_for = POLLIN;
  if (tls_) {
    std::size_t got = 0;
    switch (tls_->Read(chunk, sizeof(chunk), &got)) {
      case TlsSession::Status::kDone: inbox_.append(chunk, got); return Io::kDone;
      case TlsSession::Status::kWantRead: return Io::kWait;
      case TlsSession::Status::kWantWrite: *wait_for = POLLOUT; return Io::kWait;
      case TlsSession::Status::kClosed: return Io::kClosed;
      case TlsSession::Status::kFailed: break;
    }
    if (tls_->SystemError() == 0) RaiseTlsError(tls_->Failure());
    *error_code = SocketErrorFromErrno(tls_->SystemError());
    return Io::kError;
  }
  const ssize_t n = ::recv(fd_, chunk, sizeof(chunk), 0);
  if (n > 0) {
    inbox_.append(chunk, static_cast<std::size_t>(n));
    return Io::kDone;
  }
  if (n == 0) return Io::kClosed;
  if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) return Io::kWait;
  *error_code = SocketErrorFromErrno(errno);
  return Io::kError;
}

MailConnection::Io MailConnection::SendSome(std::string_view data, std::size_t* written, short* wait_for,
                                            int* error_code) {
  *written = 0;
  *wait_for = POLLOUT;
  if (tls_) {
    switch (tls_->Write(data.data(), data.size(), written)) {
      case TlsSession::Status::kDone: return Io::kDone;
      case TlsSession::Status::kWantRead: *wait_for = POLLIN; return Io::kWait;
      case TlsSession::Status::kWantWrite: return Io::kWait;
      case TlsSession::Status::kClosed: *error_code = kWsaConnReset; return Io::kError;
      case TlsSession::Status::kFailed: break;
    }
    if (tls_->SystemError() == 0) RaiseTlsError(tls_->Failure());
    *error_code = SocketErrorFromErrno(tls_->SystemError());
    return Io::kError;
  }
  const ssize_t n = ::send(fd_, data.data(), data.size(), MSG_NOSIGNAL);
  if (n > 0) {
    *written = static_cast<std::size_t>(n);
    return Io::kDone;
  }
  if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return Io::kWait;
  *error_code = SocketErrorFromErrno(n < 0 ? errno : EPIPE);
  return Io::kError;
}

bool MailConnection::ReceiveMore() {
  for (;;) {
    if (canceled_) RaiseCanceled();
    if (counter_.TimedOut()) RaiseTimeOut();
    if (fd_ == -1) RaiseSocketError(kMsgNotConnected);
    short wait_for = POLLIN;
    int error = 0;
    switch (ReceiveSome(&wait_for, &error)) {
      case Io::kDone: return true;
      case Io::kClosed: return false;
      case Io::kError: RaiseSocketError(error); break;
      case Io::kWait:
        if (WaitSocket(wait_for, &error) == WaitEnd::kError) RaiseSocketError(error);
        break;  // cancel and time-out are reported at the top
    }
  }
}

// The one loop that puts bytes on the wire, for lines and for bulk data alike.
void MailConnection::SendAll(std::string_view data, bool restart_on_progress) {
  std::size_t sent = 0;
  counter_.Start(settings_.time_out);
  while (sent < data.size()) {
    ProcessMessages();
    if (canceled_ || counter_.TimedOut()) break;
    if (fd_ == -1) RaiseSocketError(kMsgNotConnected);
    std::size_t written = 0;
    short wait_for = POLLOUT;
    int error = 0;
    const Io io = SendSome(data.substr(sent), &written, &wait_for, &error);
    if (io == Io::kDone) {
      sent += written;
      if (restart_on_progress) counter_.Start(settings_.time_out);
    } else if (io == Io::kWait) {
      PollSlice(wait_for);
    } else if (!canceled_) {
      RaiseSocketError(error);
    }
  }
  counter_.Stop();
  if (canceled_) RaiseCanceled();
  if (counter_.TimedOut()) RaiseTimeOut();
}

void MailConnection::DiscardReceived() {
  inbox_.clear();
  // Bounded: a server that keeps sending only makes the handshake fail.
  char chunk[4096];
  for (int i = 0; i < 16; ++i) {
    if (::recv(fd_, chunk, sizeof(chunk), MSG_DONTWAIT) <= 0) break;
  }
}

void MailConnection::StartTls() {
  if (fd_ == -1) RaiseSocketError(kMsgNotConnected);
  DiscardReceived();
  tls_ = std::make_unique<TlsSession>(fd_, endpoints_.host, settings_.ca_file);
  counter_.Start(settings_.time_out);
  for (;;) {
    // Cancel and the time-out close the socket and drop the session.
    if (canceled_) RaiseCanceled();
    if (counter_.TimedOut()) RaiseTimeOut();
    if (fd_ == -1 || !tls_) RaiseSocketError(kMsgNotConnected);
    const TlsSession::Status status = tls_->Handshake();
    if (status == TlsSession::Status::kDone) break;
    if (status == TlsSession::Status::kFailed || status == TlsSession::Status::kClosed) {
      if (tls_->SystemError() != 0) RaiseSocketError(SocketErrorFromErrno(tls_->SystemError()));
      RaiseTlsError(tls_->Failure());
    }
    int error = 0;
    const short events = status == TlsSession::Status::kWantWrite ? POLLOUT : POLLIN;
    if (WaitSocket(events, &error) == WaitEnd::kError) RaiseSocketError(error);
  }
  counter_.Stop();
}

void MailConnection::SendLine(std::string_view text) {
  if (fd_ == -1) RaiseSocketError(kMsgNotConnected);
  // A line break inside the text would smuggle a second command onto the wire.
  if (text.find_first_of("\r\n") != std::string_view::npos) RaiseSocketError(kMsgLineBreakInCommand);
  std::string buffer(text);
  buffer += "\r\n";
  SendAll(buffer, false);
}

int MailConnection::ReadLine(std::string& line) {
  line.clear();
  if (fd_ == -1) RaiseSocketError(kMsgNotConnected);
  counter_.Start(settings_.time_out);
  bool arriving = false;
  for (;;) {
    const std::size_t lf = std::string_view(inbox_).substr(0, kLineBufferSize).find('\n');
    if (lf != std::string_view::npos) {
      counter_.Stop();
      std::string taken = inbox_.substr(0, lf + 1);
      inbox_.erase(0, lf + 1);
      while (!taken.empty() && (taken.back() == '\r' || taken.back() == '\n')) taken.pop_back();
      line = std::move(taken);
      return ReplyCode(line);
    }
    // The rest of this line would be read as the next reply: give up on the connection.
    if (inbox_.size() >= kLineBufferSize) RaiseSocketError(kMsgReplyTooLong);
    if (!ReceiveMore()) break;
    // The line's own time starts once its first bytes are there.
    if (!arriving) counter_.Start(settings_.time_out);
    arriving = true;
  }
  counter_.Stop();
  inbox_.clear();  // a line cut off by the peer's close is no reply
  return -1;
}

int MailConnection::ReadReply() {
  reply_lines_.clear();
  const int code = ReadLine(last_reply_);
  reply_lines_.push_back(last_reply_);
  if (code > 0 && last_reply_.find('-') == 3) {
    for (;;) {
      if (reply_lines_.size() >= kMaxReplyLines) RaiseSocketError(kMsgReplyTooManyLines);
      const int next = ReadLine(last_reply_);
      if (next == -1 && last_reply_.empty()) break;  // the peer closed
      reply_lines_.push_back(last_reply_);
      if (next == code && (last_reply_.size() == 3 || last_reply_.find(' ') == 3)) break;
    }
  }
  return code;
}

void MailConnection::ReceiveToStream(std::ostream& stream, long long expected_size) {
  if (fd_ == -1) RaiseSocketError(kMsgNotConnected);
  // The last bytes taken, with a line end in front so that a reply of only "." CR LF
  // (an empty listing) is recognised too.
  std::string tail = "\r\n";
  long long position = 0;
  counter_.Start(settings_.time_out);
  for (;;) {
    if (!inbox_.empty()) {
      // Take up to the terminator and no further: what follows is the next reply. The
      // tail never holds a whole terminator, so a match ends inside the new bytes.
      std::string joined = tail + inbox_.substr(0, kTerminator.size() - 1);
      std::size_t take = inbox_.size();
      bool done = false;
      if (const std::size_t at = joined.find(kTerminator); at != std::string::npos) {
        take = at + kTerminator.size() - tail.size();
        done = true;
      } else if (const std::size_t inside = inbox_.find(kTerminator); inside != std::string::npos) {
        take = inside + kTerminator.size();
        done = true;
      }
      stream.write(inbox_.data(), static_cast<std::streamsize>(take));
      position += static_cast<long long>(take);
      const std::size_t keep = kTerminator.size() - 1;
      if (take >= keep) {
        tail = inbox_.substr(take - keep, keep);
      } else {
        tail += inbox_.substr(0, take);
        tail.erase(0, tail.size() > keep ? tail.size() - keep : 0);
      }
      inbox_.erase(0, take);
      counter_.Start(settings_.time_out);
      if (OnProgress) OnProgress(Percent(position, expected_size), position);
      if (done) break;
      ProcessMessages();
    }
    // The peer closed before the terminating line: the data is incomplete.
    if (!ReceiveMore()) RaiseSocketError(kWsaConnReset);
  }
  counter_.Stop();
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
    SendAll(std::string_view(block.data(), length), true);
    position += static_cast<long long>(length);
    if (OnProgress) OnProgress(size > 0 ? Percent(position, size) : 100, position);
  } while (length == kSendBlockSize);
  if (OnProgress) OnProgress(0, 0);
}

}  // namespace tw
