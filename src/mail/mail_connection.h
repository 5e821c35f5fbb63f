// The socket layer shared by the SMTP and POP3 clients: resolves the server, opens a
// TCP connection and exchanges text lines and raw data with it.
//
// Everything runs on the caller's thread. Every wait is a loop of short poll() slices;
// between slices the message pump that the owner provides is called (the kiosk pumps its
// event loop there), so buttons, timers and Cancel stay live while mail is moving. Each
// wait is bounded by TimeOut seconds: for a whole line when reading or sending a line,
// restarted on every block during bulk transfers. Failures are raised as the mail
// exceptions with texts from the numbered string table.
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

#include "mail/mail_errors.h"
#include "mail/time_counter.h"

namespace tw {

class HostLookup;

class MailConnection {
 public:
  using TNotifyEvent = std::function<void()>;
  // Perc: percentage done (-1 when the total is unknown); Transferred: bytes so far.
  using TmsProgressEvent = std::function<void(int perc, long long transferred)>;
  // May rewrite the message of a socket error before it is raised.
  using TmsErrorEvent = std::function<void(std::string& msg)>;
  using MessagePump = std::function<void()>;

  // The longest reply line accepted, line end included.
  static constexpr std::size_t kLineBufferSize = 1024;
  static constexpr std::size_t kReceiveBlockSize = 16384;
  static constexpr std::size_t kSendBlockSize = 2047;

  MailConnection();
  virtual ~MailConnection();
  MailConnection(const MailConnection&) = delete;
  MailConnection& operator=(const MailConnection&) = delete;

  // "host" or "host:port"; host is a name or a dotted IPv4 address.
  const std::string& Server() const { return server_; }
  void SetServer(std::string server) { server_ = std::move(server); }
  // Used when the service name is not in the services database.
  std::uint16_t DefaultPort() const { return default_port_; }
  void SetDefaultPort(std::uint16_t port) { default_port_ = port; }
  // Seconds allowed for each wait.
  int TimeOut() const { return counter_.TimeOut(); }
  void SetTimeOut(int seconds) { counter_.SetTimeOut(seconds); }
  // The name looked up in the services database ("smtp", "pop3").
  const std::string& ServiceName() const { return service_name_; }
  void SetServiceName(std::string name) { service_name_ = std::move(name); }

  const std::string& LocalHostName() const { return local_host_name_; }
  const std::string& LastReply() const { return last_reply_; }
  // The server's address as dotted text and the port, known after Open.
  const std::string& RemoteAddress() const { return remote_address_; }
  std::uint16_t Port() const { return port_; }

  // Called between the slices of every wait.
  void SetMessagePump(MessagePump pump) { pump_ = std::move(pump); }

  TNotifyEvent OnOpen;
  TNotifyEvent OnClosing;
  TNotifyEvent OnClosed;
  TNotifyEvent OnCancel;
  TmsProgressEvent OnProgress;
  TmsErrorEvent OnError;

  // Open, then Login, unless already connected.
  void Connect();
  // Logout, then Close, when connected.
  void Disconnect();
  // True while a socket exists (from Open on, before the TCP connection is made).
  bool Connected() const { return fd_ != -1; }
  // Stops whatever is being waited for; the waiting operation raises ECanceledError.
  // Safe to call from the message pump or an event handler.
  virtual void Cancel();

  // Operations for the protocol clients.
  // Clears the cancelled and timed-out state.
  virtual void Reset();
  // The reply's code: its first three characters as a decimal number, else -1.
  virtual int ReplyCode(std::string_view line) const;
  // Resolves the server, finds the port and creates the socket.
  virtual void Open();
  // Closes the socket (firing OnClosing and OnClosed) when there is one.
  virtual void Close();
  // The TCP connect (first step of every Login).
  void ConnectSocket();
  // Sends text + CR LF. A text holding CR or LF is refused and nothing is sent.
  void SendLine(std::string_view text);
  // Reads one line (nothing beyond its line feed), strips the line end and returns its
  // ReplyCode; -1 and an empty line when the peer closed before a complete line.
  int ReadLine(std::string& line);
  // Reads a reply into LastReply, following continuation lines ("250-...").
  int ReadReply();
  // Receives raw bytes until the stream ends with CR LF "." CR LF (included).
  // expected_size only drives OnProgress (-1 when unknown).
  void ReceiveToStream(std::ostream& stream, long long expected_size);
  // Sends the whole stream raw from its start in blocks of kSendBlockSize bytes.
  void SendStream(std::istream& stream);

  // The failure reports: message from the string table, OnError, then the exception.
  void RaiseSocketError(int code);
  [[noreturn]] void RaiseTimeOut();
  [[noreturn]] void RaiseCanceled();
  // Calls the message pump once.
  void ProcessMessages();

 protected:
  // The protocol's log-in and log-out, run by Connect and Disconnect.
  virtual void Login() = 0;
  virtual void Logout() = 0;

  void SetLastReply(std::string reply) { last_reply_ = std::move(reply); }
  bool Canceled() const { return canceled_; }
  // Takes over an already connected socket (tests and fuzzing drive the line layer
  // through a socket pair this way).
  void AdoptSocket(int fd);

 private:
  enum class WaitEnd { kReady, kCanceled, kTimedOut, kError };
  // Waits until the socket reports one of events, pumping between slices.
  WaitEnd WaitSocket(short events, int* error_code);
  // One poll() slice on the socket; pumps afterwards.
  void PollSlice(short events);
  void ResolveHost(const std::string& host, std::uint32_t* address);
  void DropLookup();
  void CloseQuietly();

  std::string server_;
  std::string service_name_;
  std::uint16_t default_port_ = 0;
  std::string local_host_name_;
  std::string last_reply_;
  std::string remote_address_;
  std::uint32_t remote_ip_ = 0;  // network order
  std::uint16_t port_ = 0;
  int fd_ = -1;
  bool canceled_ = false;
  TimeCounter counter_;
  std::unique_ptr<HostLookup> lookup_;
  MessagePump pump_;
};

}  // namespace tw
