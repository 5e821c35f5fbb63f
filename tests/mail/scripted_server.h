// A scripted server on a loopback port for exact byte conversations: it accepts one
// connection, plays its script (send bytes, read lines, pause, turn to TLS, close or
// reset) and records every byte the client sent, also after the script has ended, until
// the client closes; after StartTls, what the client sent inside TLS. It runs on a
// thread of its own so that the client under test can wait and pump on the test's
// thread as it does in the program.
#pragma once

#include <netinet/in.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tw::test {

class ScriptedServer {
 public:
  struct Step {
    enum class Kind { kSend, kReadLine, kReadUntil, kPause, kStartTls, kClose, kReset };
    Kind kind;
    std::string text;  // bytes to send, or the terminator to read up to
    int ms = 0;
  };
  static Step Send(std::string bytes) { return {Step::Kind::kSend, std::move(bytes)}; }
  // Reads up to and including the next line feed.
  static Step ReadLine() { return {Step::Kind::kReadLine, {}}; }
  static Step ReadUntil(std::string terminator) { return {Step::Kind::kReadUntil, std::move(terminator)}; }
  static Step Pause(int ms) { return {Step::Kind::kPause, {}, ms}; }
  // The server side of a TLS handshake with LoopbackCertificate(); everything after it
  // goes through TLS. Bytes the client sent before are dropped unrecorded.
  static Step StartTls() { return {Step::Kind::kStartTls, {}}; }
  // Closes the connection (FIN) / resets it (RST).
  static Step Close() { return {Step::Kind::kClose, {}}; }
  static Step Reset() { return {Step::Kind::kReset, {}}; }

  // Listens on 127.0.0.1 with a port the system chooses; with accept false the
  // connection is never accepted (the kernel completes the handshake all the same).
  explicit ScriptedServer(std::vector<Step> script, bool accept = true);
  ~ScriptedServer();
  ScriptedServer(const ScriptedServer&) = delete;
  ScriptedServer& operator=(const ScriptedServer&) = delete;

  std::uint16_t port() const { return port_; }
  std::string address() const { return "127.0.0.1:" + std::to_string(port_); }

  // Everything received so far.
  std::string Received() const;
  // Waits (bounded) until the client has closed or the script has ended and the
  // connection was closed, then returns everything received.
  std::string Transcript();
  // True once a connection was accepted.
  bool Accepted() const { return accepted_; }

  // A loopback port on which nothing listens (bound, then closed again).
  static std::uint16_t UnusedPort();

 private:
  void Run(std::vector<Step> script);
  bool ReadSome(int fd);
  void SendBytes(int fd, const std::string& bytes);
  bool AcceptTls(int fd);
  void DropTls();

  int listen_fd_ = -1;
  std::uint16_t port_ = 0;
  std::atomic<bool> accepted_{false};
  std::atomic<bool> finished_{false};
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::string received_;
  void* ssl_ = nullptr;  // the server's SSL once the script turned to TLS
  std::thread thread_;
};

}  // namespace tw::test
