#include "platform/system_journal.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

namespace tw {
namespace {

void AppendField(std::string& out, std::string_view name, std::string_view value) {
  if (value.find('\n') == std::string_view::npos) {
    out.append(name).append("=").append(value).append("\n");
    return;
  }
  // A value with line breaks: the name, then its length as 64 bits little-endian.
  out.append(name).append("\n");
  std::uint64_t size = value.size();
  for (int i = 0; i < 8; ++i) {
    out.push_back(static_cast<char>(size & 0xFF));
    size >>= 8;
  }
  out.append(value).append("\n");
}

}  // namespace

SystemJournal::SystemJournal(std::string socket_path) : socket_path_(std::move(socket_path)) {
  struct stat st {};
  if (::stat(socket_path_.c_str(), &st) != 0 || !S_ISSOCK(st.st_mode)) return;
  if (socket_path_.size() >= sizeof(sockaddr_un::sun_path)) return;
  fd_ = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
}

SystemJournal::~SystemJournal() {
  if (fd_ >= 0) ::close(fd_);
}

std::string SystemJournal::Entry(std::string_view message, const Fields& fields) {
  std::string out;
  AppendField(out, "MESSAGE", message.substr(0, kMaxMessage));
  AppendField(out, "PRIORITY", "6");
  AppendField(out, "SYSLOG_IDENTIFIER", "tarnwick");
  for (const auto& [name, value] : fields) AppendField(out, name, value);
  return out;
}

bool SystemJournal::Send(std::string_view message, const Fields& fields) const {
  if (fd_ < 0) return false;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, socket_path_.c_str(), socket_path_.size() + 1);
  const std::string entry = Entry(message, fields);
  // Non-blocking: a journal that cannot keep up loses an entry, never holds the kiosk
  // (the log file keeps every line).
  const ssize_t sent = ::sendto(fd_, entry.data(), entry.size(), MSG_NOSIGNAL,
                                reinterpret_cast<const sockaddr*>(&address), sizeof(address));
  return sent == static_cast<ssize_t>(entry.size());
}

}  // namespace tw
