// Entries for the system journal, in its native protocol: one datagram per entry to the
// journal's socket, each field "NAME=value" (or NAME, length and value when the value
// holds a line break). Where there is no journal (no socket), nothing is sent.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tw {

class SystemJournal {
 public:
  static constexpr const char* kDefaultSocket = "/run/systemd/journal/socket";
  // Longer messages are cut: an entry has to fit into one datagram.
  static constexpr std::size_t kMaxMessage = 48 * 1024;

  using Fields = std::vector<std::pair<std::string, std::string>>;

  explicit SystemJournal(std::string socket_path = kDefaultSocket);
  ~SystemJournal();
  SystemJournal(const SystemJournal&) = delete;
  SystemJournal& operator=(const SystemJournal&) = delete;

  // Whether the journal's socket is there (checked once, when made).
  bool Available() const { return fd_ >= 0; }
  // One entry with MESSAGE, PRIORITY=6 (informational), SYSLOG_IDENTIFIER and `fields`
  // (names in upper case, as the journal wants them). False when it could not be sent.
  bool Send(std::string_view message, const Fields& fields) const;

  // The datagram for one entry (for tests).
  static std::string Entry(std::string_view message, const Fields& fields);

 private:
  std::string socket_path_;
  int fd_ = -1;
};

}  // namespace tw
