#include "mail/tls_session.h"

#include <arpa/inet.h>
#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>
#include <sys/socket.h>
#include <sys/stat.h>

#include <cerrno>
#include <map>
#include <tuple>

namespace tw {

struct TlsSession::State {
  int fd = -1;
  std::string host;
  SSL_CTX* context = nullptr;
  SSL* ssl = nullptr;
  bool established = false;
  bool broken = false;  // after a fatal error the session is not touched again
  int last_errno = 0;   // of the latest socket call made for OpenSSL
  int system_error = 0;
  std::string failure;
};

namespace {

using State = TlsSession::State;

int SocketWrite(BIO* bio, const char* data, int size) {
  auto* state = static_cast<State*>(BIO_get_data(bio));
  BIO_clear_retry_flags(bio);
  const ssize_t n = ::send(state->fd, data, static_cast<std::size_t>(size), MSG_NOSIGNAL);
  if (n >= 0) return static_cast<int>(n);
  state->last_errno = errno;
  if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) BIO_set_retry_write(bio);
  return -1;
}

int SocketRead(BIO* bio, char* buffer, int size) {
  auto* state = static_cast<State*>(BIO_get_data(bio));
  BIO_clear_retry_flags(bio);
  const ssize_t n = ::recv(state->fd, buffer, static_cast<std::size_t>(size), 0);
  if (n >= 0) return static_cast<int>(n);
  state->last_errno = errno;
  if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) BIO_set_retry_read(bio);
  return -1;
}

long SocketControl(BIO*, int command, long, void*) {
  // Nothing is held back here, so a flush is always complete.
  return command == BIO_CTRL_FLUSH ? 1 : 0;
}

// OpenSSL's own socket BIO writes with write(), which raises SIGPIPE on a connection the
// server has reset; this one sends with MSG_NOSIGNAL.
BIO_METHOD* SocketMethod() {
  static BIO_METHOD* const method = [] {
    BIO_METHOD* m = BIO_meth_new(BIO_get_new_index() | BIO_TYPE_SOURCE_SINK, "mail socket");
    BIO_meth_set_write(m, SocketWrite);
    BIO_meth_set_read(m, SocketRead);
    BIO_meth_set_ctrl(m, SocketControl);
    return m;
  }();
  return method;
}

// The reason of the latest OpenSSL error; the error queue is emptied.
std::string OpenSslReason() {
  const unsigned long code = ERR_peek_last_error();
  const char* reason = code != 0 ? ERR_reason_error_string(code) : nullptr;
  ERR_clear_error();
  return reason != nullptr ? reason : "unknown error";
}

// The certificates trusted: the system's store and the operator's CA file. Reading the
// system's store parses every root certificate, so each store is made once and shared
// by the sessions after it; a CA file that changes on disk gets a new one.
X509_STORE* TrustStore(const std::string& ca_file, std::string* failure) {
  using Key = std::tuple<std::string, long long, long long>;  // path, size, modification time
  static std::map<Key, X509_STORE*> stores;
  Key key{ca_file, 0, 0};
  if (!ca_file.empty()) {
    struct stat info {};
    if (::stat(ca_file.c_str(), &info) == 0) {
      key = {ca_file, static_cast<long long>(info.st_size), static_cast<long long>(info.st_mtime)};
    }
  }
  if (const auto found = stores.find(key); found != stores.end()) return found->second;
  X509_STORE* store = X509_STORE_new();
  if (store == nullptr) {
    *failure = "TLS cannot be set up: " + OpenSslReason();
    return nullptr;
  }
  // Without a system store only the operator's CA file is trusted.
  if (X509_STORE_set_default_paths(store) != 1) ERR_clear_error();
  if (!ca_file.empty() && X509_STORE_load_file(store, ca_file.c_str()) != 1) {
    *failure = "the CA file " + ca_file + " cannot be read: " + OpenSslReason();
    X509_STORE_free(store);
    return nullptr;
  }
  stores.emplace(key, store);
  return store;
}

bool IsAddress(const std::string& host) {
  unsigned char buffer[sizeof(in6_addr)];
  return ::inet_pton(AF_INET, host.c_str(), buffer) == 1 || ::inet_pton(AF_INET6, host.c_str(), buffer) == 1;
}

TlsSession::Status Fail(State& s, std::string failure) {
  s.broken = true;
  if (s.failure.empty()) s.failure = std::move(failure);
  return TlsSession::Status::kFailed;
}

// What an OpenSSL call that did not succeed means for the caller.
TlsSession::Status Outcome(State& s, int result) {
  auto closed = [&s] { return s.host + " closed the connection during the TLS handshake"; };
  switch (SSL_get_error(s.ssl, result)) {
    case SSL_ERROR_WANT_READ: return TlsSession::Status::kWantRead;
    case SSL_ERROR_WANT_WRITE: return TlsSession::Status::kWantWrite;
    case SSL_ERROR_ZERO_RETURN:
      if (!s.established) return Fail(s, closed());
      s.broken = true;
      return TlsSession::Status::kClosed;
    case SSL_ERROR_SYSCALL:
      if (s.last_errno != 0) {
        s.system_error = s.last_errno;
        ERR_clear_error();
        return Fail(s, "");
      }
      if (ERR_peek_error() == 0) {
        if (!s.established) return Fail(s, closed());
        s.broken = true;
        return TlsSession::Status::kClosed;
      }
      break;
    default: break;
  }
  if (!s.established) {
    const long verify = SSL_get_verify_result(s.ssl);
    if (verify != X509_V_OK) {
      ERR_clear_error();
      return Fail(s, "the certificate of " + s.host + " is not accepted: " + X509_verify_cert_error_string(verify));
    }
    return Fail(s, "the TLS handshake with " + s.host + " failed: " + OpenSslReason());
  }
  return Fail(s, "the TLS connection to " + s.host + " failed: " + OpenSslReason());
}

}  // namespace

TlsSession::TlsSession(int fd, const std::string& host, const std::string& ca_file)
    : state_(std::make_unique<State>()) {
  State& s = *state_;
  s.fd = fd;
  s.host = host;
  ERR_clear_error();
  s.context = SSL_CTX_new(TLS_client_method());
  if (s.context == nullptr) {
    Fail(s, "TLS cannot be set up: " + OpenSslReason());
    return;
  }
  SSL_CTX_set_min_proto_version(s.context, TLS1_2_VERSION);
  SSL_CTX_set_verify(s.context, SSL_VERIFY_PEER, nullptr);
  // The mail protocols end their data themselves ("." lines, replies), so a server that
  // closes without the closing alert loses nothing that would go unnoticed.
  SSL_CTX_set_options(s.context, SSL_OP_IGNORE_UNEXPECTED_EOF);
  SSL_CTX_set_mode(s.context, SSL_MODE_ENABLE_PARTIAL_WRITE | SSL_MODE_ACCEPT_MOVING_WRITE_BUFFER);
  // Whole buffers per socket read rather than a header and a body per record; bytes read
  // ahead stay inside the session, where every read looks first.
  SSL_CTX_set_read_ahead(s.context, 1);
  std::string failure;
  X509_STORE* store = TrustStore(ca_file, &failure);
  if (store == nullptr) {
    Fail(s, failure);
    return;
  }
  SSL_CTX_set1_cert_store(s.context, store);
  s.ssl = SSL_new(s.context);
  BIO* bio = s.ssl != nullptr ? BIO_new(SocketMethod()) : nullptr;
  if (bio == nullptr) {
    Fail(s, "TLS cannot be set up: " + OpenSslReason());
    return;
  }
  BIO_set_data(bio, &s);
  BIO_set_init(bio, 1);
  SSL_set_bio(s.ssl, bio, bio);
  if (IsAddress(host)) {
    X509_VERIFY_PARAM_set1_ip_asc(SSL_get0_param(s.ssl), host.c_str());
  } else {
    SSL_set_tlsext_host_name(s.ssl, host.c_str());
    SSL_set_hostflags(s.ssl, X509_CHECK_FLAG_NO_PARTIAL_WILDCARDS);
    SSL_set1_host(s.ssl, host.c_str());
  }
  SSL_set_connect_state(s.ssl);
}

TlsSession::~TlsSession() {
  if (state_->ssl != nullptr) SSL_free(state_->ssl);
  if (state_->context != nullptr) SSL_CTX_free(state_->context);
}

TlsSession::Status TlsSession::Handshake() {
  State& s = *state_;
  if (s.broken) return Status::kFailed;
  if (s.established) return Status::kDone;
  ERR_clear_error();
  s.last_errno = 0;
  const int result = SSL_do_handshake(s.ssl);
  if (result == 1) {
    s.established = true;
    return Status::kDone;
  }
  return Outcome(s, result);
}

TlsSession::Status TlsSession::Read(char* buffer, std::size_t size, std::size_t* got) {
  State& s = *state_;
  *got = 0;
  if (s.broken) return Status::kFailed;
  ERR_clear_error();
  s.last_errno = 0;
  const int result = SSL_read_ex(s.ssl, buffer, size, got);
  if (result == 1) return Status::kDone;
  return Outcome(s, result);
}

TlsSession::Status TlsSession::Write(const char* data, std::size_t size, std::size_t* written) {
  State& s = *state_;
  *written = 0;
  if (s.broken) return Status::kFailed;
  ERR_clear_error();
  s.last_errno = 0;
  const int result = SSL_write_ex(s.ssl, data, size, written);
  if (result == 1) return Status::kDone;
  return Outcome(s, result);
}

void TlsSession::Shutdown() {
  State& s = *state_;
  if (s.established && !s.broken) {
    ERR_clear_error();
    SSL_shutdown(s.ssl);
    ERR_clear_error();
  }
  s.broken = true;
}

const std::string& TlsSession::Failure() const { return state_->failure; }

int TlsSession::SystemError() const { return state_->system_error; }

}  // namespace tw
