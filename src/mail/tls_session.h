// The client side of one TLS session over a connected non-blocking socket (OpenSSL).
//
// No call ever waits: each does what the socket allows at once and says what it needs
// next (bytes to read or room to write), so the socket layer keeps its own poll slices,
// time-out and Cancel around the handshake and every transfer. The server's certificate
// must chain to the system's trust store or to the operator's CA file, and must name
// the host the client asked for (a name, or a dotted address). Writes never raise
// SIGPIPE: the session sends with MSG_NOSIGNAL itself.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace tw {

class TlsSession {
 public:
  enum class Status {
    kDone,       // the step is complete (or bytes moved)
    kWantRead,   // call again once the socket is readable
    kWantWrite,  // call again once the socket is writable
    kClosed,     // the peer ended the connection
    kFailed,     // see Failure() and SystemError()
  };

  // host: what the certificate has to name. ca_file: trusted besides the system's store
  // (empty for none). A set-up that fails shows on the first call as kFailed.
  TlsSession(int fd, const std::string& host, const std::string& ca_file);
  ~TlsSession();
  TlsSession(const TlsSession&) = delete;
  TlsSession& operator=(const TlsSession&) = delete;

  Status Handshake();
  // Reads up to size bytes; *got > 0 with kDone.
  Status Read(char* buffer, std::size_t size, std::size_t* got);
  // Writes some of data; *written > 0 with kDone. After kWantRead or kWantWrite the next
  // call must offer the same bytes again.
  Status Write(const char* data, std::size_t size, std::size_t* written);
  // Sends the closing alert once, without waiting, when the session is still sound.
  void Shutdown();

  // What failed, in words ("the certificate of mail.example.org is not accepted:
  // certificate has expired").
  const std::string& Failure() const;
  // The system error (errno) when the socket itself failed, else 0.
  int SystemError() const;

  struct State;

 private:
  std::unique_ptr<State> state_;
};

}  // namespace tw
