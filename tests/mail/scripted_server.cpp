#include "scripted_server.h"

#include <arpa/inet.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <poll.h>
#include <pthread.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "test_certificate.h"

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
  SSL* ssl = static_cast<SSL*>(ssl_);
  if (ssl == nullptr || SSL_pending(ssl) == 0) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 10) <= 0) return true;
  }
  char buffer[4096];
  ssize_t n = 0;
  if (ssl != nullptr) {
    n = SSL_read(ssl, buffer, sizeof(buffer));
    if (n <= 0) return SSL_get_error(ssl, static_cast<int>(n)) == SSL_ERROR_WANT_READ;
  } else {
    n = ::recv(fd, buffer, sizeof(buffer), 0);
  }
  if (n <= 0) return false;
  std::lock_guard<std::mutex> lock(mutex_);
  received_.append(buffer, static_cast<std::size_t>(n));
  return true;
}

void ScriptedServer::SendBytes(int fd, const std::string& bytes) {
  if (ssl_ != nullptr) {
    SSL_write(static_cast<SSL*>(ssl_), bytes.data(), static_cast<int>(bytes.size()));
  } else {
    ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
  }
}

bool ScriptedServer::AcceptTls(int fd) {
  const TestCertificate& certificate = LoopbackCertificate();
  // Blocking calls, bounded so that a client that gave up cannot hang the test.
  timeval limit{kStepLimitMs / 1000, 0};
  ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof(limit));
  ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof(limit));
  SSL_CTX* context = SSL_CTX_new(TLS_server_method());
  const std::string& cert_pem = certificate.certificate_pem;
  BIO* cert_bio = BIO_new_mem_buf(cert_pem.data(), static_cast<int>(cert_pem.size()));
  BIO* key_bio = BIO_new_mem_buf(certificate.key_pem.data(), static_cast<int>(certificate.key_pem.size()));
  X509* cert = PEM_read_bio_X509(cert_bio, nullptr, nullptr, nullptr);
  EVP_PKEY* key = PEM_read_bio_PrivateKey(key_bio, nullptr, nullptr, nullptr);
  SSL_CTX_use_certificate(context, cert);
  SSL_CTX_use_PrivateKey(context, key);
  X509_free(cert);
  EVP_PKEY_free(key);
  BIO_free(cert_bio);
  BIO_free(key_bio);
  SSL* ssl = SSL_new(context);
  SSL_CTX_free(context);  // the session keeps its own reference
  SSL_set_fd(ssl, fd);
  if (SSL_accept(ssl) != 1) {
    SSL_free(ssl);
    return false;
  }
  ssl_ = ssl;
  return true;
}

void ScriptedServer::Run(std::vector<Step> script) {
  // Writes to a client that has gone must not end the test program.
  sigset_t pipe;
  sigemptyset(&pipe);
  sigaddset(&pipe, SIGPIPE);
  pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
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
      case Step::Kind::kSend: SendBytes(fd, step.text); break;
      case Step::Kind::kStartTls:
        // What arrived before the handshake but was not read by a step is not TLS.
        {
          std::lock_guard<std::mutex> lock(mutex_);
          received_.resize(consumed);
        }
        open = AcceptTls(fd);
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
          if (open)
            open = ReadSome(fd);
          else
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        break;
      case Step::Kind::kClose:
        DropTls();
        ::close(fd);
        fd = -1;
        open = false;
        break;
      case Step::Kind::kReset: {
        linger l{1, 0};
        ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &l, sizeof(l));
        DropTls();
        ::close(fd);
        fd = -1;
        open = false;
        break;
      }
    }
  }
  // Record whatever else the client sends until it closes.
  const auto tail_start = std::chrono::steady_clock::now();
  while (open && !stop_ && std::chrono::steady_clock::now() - tail_start < std::chrono::milliseconds(kStepLimitMs)) {
    open = ReadSome(fd);
  }
  DropTls();
  if (fd >= 0) ::close(fd);
  finished_ = true;
}

void ScriptedServer::DropTls() {
  if (ssl_ != nullptr) SSL_free(static_cast<SSL*>(ssl_));
  ssl_ = nullptr;
}

}  // namespace tw::test
