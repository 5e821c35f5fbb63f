// The socket layer shared by the SMTP and POP3 clients: resolves the server, opens a
// TCP connection, turns it to TLS when asked, and exchanges text lines and raw data.
//
// Everything runs on the caller's thread. Every wait is a loop of short poll() slices;
// between slices the message pump that the owner provides is called (the kiosk pumps its
// event loop there), so buttons, timers and Cancel stay live while mail is moving. Each
// wait is bounded by the time-out of the settings: for a whole line when reading or
// sending a line, for the whole TLS handshake, restarted on every block during bulk
// transfers. Failures are raised as the mail exceptions with texts from the numbered
// string table; TLS failures as ETlsError "TLS Error - " + what failed.
//
// Received bytes wait in one buffer until a line or the bulk reader takes them, so the
// same code serves plain and TLS connections.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "mail/mail_errors.h"
#include "mail/mail_security.h"
#include "mail/time_counter.h"

namespace tw {

class HostLookup;
class TlsSession;

// How a protocol finds its port when the server names none, fixed by each client: the
// name looked up in the services database ("smtp", "pop3") and the port used when the
// name is not there. With MailSecurity::kTls the tls_ pair serves instead, for a server
// that speaks TLS from the first byte (unset, the first pair serves then too).
struct MailService {
  std::string name;
  std::uint16_t default_port = 0;
  std::string tls_name;
  std::uint16_t tls_default_port = 0;
};

// Where a mail connection goes and how: everything its owner sets before Connect.
struct MailConnectionSettings {
  // "host" or "host:port"; host is a name or a dotted IPv4 address.
  std::string server;
  // How the connection is protected (the clients act on it in Login).
  MailSecurity security = MailSecurity::kNone;
  // The account. The SMTP client sends no AUTH without a user name; the POP3 client
  // needs both.
  std::string user_name;
  std::string password;
  // A file of CA certificates trusted besides the system's store; empty for none.
  std::string ca_file;
  // Whether a password may be sent over a connection without TLS.
  bool allow_plain_text_auth = false;
  // Seconds allowed for each wait.
  int time_out = 60;

  bool operator==(const MailConnectionSettings&) const = default;
};

// Where the connection went, known after Open.
struct MailEndpoints {
  // Server without its port: the name the server's certificate has to carry.
  std::string host;
  std::uint16_t port = 0;
  // The server's address as dotted text.
  std::string remote_address;
  // This machine's name as HELO and EHLO give it (the host when the machine has none).
  std::string local_host_name;
};

// The owner sets the settings, the message pump and the events it wants, then calls
// Connect (or a client's own operation that connects) and Disconnect; Cancel and Close
// end a connection at any time. The protocol clients build their conversation from the
// protected part: lines, replies, bulk data, TLS and the failure reports.
class MailConnection {
 public:
  using TNotifyEvent = std::function<void()>;
  // Perc: percentage done (-1 when the total is unknown); Transferred: bytes so far.
  using ProgressHandler = std::function<void(int perc, long long transferred)>;
  // May rewrite the message of a socket error before it is raised.
  using ErrorHandler = std::function<void(std::string& msg)>;
  using MessagePump = std::function<void()>;

  // The longest reply line accepted, line end included.
  static constexpr std::size_t kLineBufferSize = 1024;

  virtual ~MailConnection();
  MailConnection(const MailConnection&) = delete;
  MailConnection& operator=(const MailConnection&) = delete;

  // What Connect and the protocol clients work from; read when used, so a change takes
  // effect with the next step (the time-out with the next wait).
  MailConnectionSettings& Settings() { return settings_; }
  const MailConnectionSettings& Settings() const { return settings_; }
  // Server, security, account, CA file and the plain-text rule from the operator's
  // settings; the time-out stays as it is.
  void UseServer(const MailServerSettings& server);
  // Called between the slices of every wait.
  void SetMessagePump(MessagePump pump) { pump_ = std::move(pump); }

  // Each fired only when set: OnOpen as Open begins, OnClosing and OnClosed around the
  // closing of the socket, OnCancel from Cancel, OnProgress as bulk data moves, OnError
  // before a socket, TLS, time-out or cancel failure is raised.
  TNotifyEvent OnOpen;
  TNotifyEvent OnClosing;
  TNotifyEvent OnClosed;
  TNotifyEvent OnCancel;
  ProgressHandler OnProgress;
  ErrorHandler OnError;

  // Open, then Login, unless already connected.
  void Connect();
  // Logout, then Close, when connected.
  void Disconnect();
  // Stops whatever is being waited for; the waiting operation raises ECanceledError.
  // Safe to call from the message pump or an event handler.
  virtual void Cancel();
  // Closes the socket (firing OnClosing and OnClosed) when there is one.
  virtual void Close();

  // True while a socket exists (from Open on, before the TCP connection is made).
  bool Connected() const { return fd_ != -1; }
  // True while the connection runs over TLS.
  bool TlsActive() const { return tls_ != nullptr; }
  const MailEndpoints& Endpoints() const { return endpoints_; }
  // The server's last reply line.
  const std::string& LastReply() const { return last_reply_; }
  // Every line of the last reply read by ReadReply, LastReply being the last of them.
  const std::vector<std::string>& ReplyLines() const { return reply_lines_; }

 protected:
  // The most lines one reply may have.
  static constexpr std::size_t kMaxReplyLines = 512;

  explicit MailConnection(MailService service);

  // The protocol's log-in and log-out, run by Connect and Disconnect.
  virtual void Login() = 0;
  virtual void Logout() = 0;
  // Resolves the server, finds the port and creates the socket (first step of Connect).
  virtual void Open();
  // Clears the cancelled and timed-out state.
  virtual void Reset();

  // The TCP connect (first step of every Login).
  void ConnectSocket();
  // Turns the connected socket to TLS: at once for implicit TLS, after the server's yes
  // to STARTTLS or STLS otherwise. Whatever the server sent before the handshake is
  // thrown away unread, so nothing from the plain-text part can pose as an answer from
  // the protected one.
  void StartTls();
  // Sends text + CR LF. A text holding CR or LF is refused and nothing is sent.
  void SendLine(std::string_view text);
  // The reply's code: its first three characters as a decimal number, else -1.
  virtual int ReplyCode(std::string_view line) const;
  // Reads one line, strips the line end and returns its ReplyCode; -1 and an empty line
  // when the peer closed before a complete line. What came after the line feed stays
  // for the next read.
  int ReadLine(std::string& line);
  // Reads a reply into LastReply and ReplyLines, following continuation lines ("250-...")
  // up to the line with the same code and a blank (or nothing) after it.
  int ReadReply();
  void SetLastReply(std::string reply) { last_reply_ = std::move(reply); }
  // Receives raw bytes until the stream ends with CR LF "." CR LF (included).
  // expected_size only drives OnProgress (-1 when unknown).
  void ReceiveToStream(std::ostream& stream, long long expected_size);
  // Sends the whole stream raw from its start in blocks of kSendBlockSize bytes.
  void SendStream(std::istream& stream);
  // Calls the message pump once.
  void ProcessMessages();

  // The failure reports: message from the string table, OnError, then the exception.
  void RaiseSocketError(int code);
  // "TLS Error - " + what, through OnError like a socket error; the connection is closed
  // first (it must carry nothing more, not even a goodbye in plain text).
  [[noreturn]] void RaiseTlsError(const std::string& what);
  [[noreturn]] void RaiseTimeOut();
  [[noreturn]] void RaiseCanceled();
  // The server refused the log-in: EServerError with its reply, unless the reply repeats
  // one of the secrets (then only its first word is shown), so that no password reaches
  // a message, a dialog or the activity log.
  [[noreturn]] void RaiseLoginRefused(std::initializer_list<std::string_view> secrets);
  // The text RaiseLoginRefused raises.
  std::string LoginRefusedText(std::initializer_list<std::string_view> secrets) const;

  // Takes over an already connected socket (tests and fuzzing drive the line layer
  // through a socket pair this way).
  void AdoptSocket(int fd);

 private:
  static constexpr std::size_t kReceiveBlockSize = 16384;
  static constexpr std::size_t kSendBlockSize = 2047;

  enum class WaitEnd { kReady, kCanceled, kTimedOut, kError };
  enum class Io { kDone, kWait, kClosed, kError };
  // Waits until the socket reports one of events, pumping between slices.
  WaitEnd WaitSocket(short events, int* error_code);
  // One poll() slice on the socket; pumps afterwards.
  void PollSlice(short events);
  // One attempt to receive, appending to inbox_; with kWait, *wait_for says for what.
  Io ReceiveSome(short* wait_for, int* error_code);
  // One attempt to send data; *written bytes went out.
  Io SendSome(std::string_view data, std::size_t* written, short* wait_for, int* error_code);
  // Waits (pumping) until more bytes are in inbox_; false when the peer closed instead.
  bool ReceiveMore();
  // Sends all of data. The time-out covers the whole of it, or with restart_on_progress
  // only the time since the last bytes went out.
  void SendAll(std::string_view data, bool restart_on_progress);
  // Throws away everything received and not yet read.
  void DiscardReceived();
  void ResolveHost(const std::string& host, std::uint32_t* address);
  void DropLookup();
  void CloseQuietly();

  const MailService service_;
  MailConnectionSettings settings_;
  MailEndpoints endpoints_;
  std::uint32_t remote_ip_ = 0;  // network order
  std::string last_reply_;
  std::vector<std::string> reply_lines_;
  int fd_ = -1;
  bool canceled_ = false;
  TimeCounter counter_;
  std::unique_ptr<HostLookup> lookup_;
  std::unique_ptr<TlsSession> tls_;
  std::string inbox_;  // received, not yet taken by a read
  MessagePump pump_;
};

}  // namespace tw
