#include "kiosk/core/log/feedback_file.h"

#include "common/addresses/command_url.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace tw {
namespace {

// The text cut to the size limit, never inside a UTF-8 character, with the marker line
// after it.
std::string Bounded(std::string text) {
  if (text.size() <= kFeedbackSizeLimit) return text;
  std::size_t end = kFeedbackSizeLimit - kFeedbackCutLine.size() - 2;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  text.resize(end);
  text += '\n';
  text += kFeedbackCutLine;
  text += '\n';
  return text;
}

}  // namespace

std::string WriteFeedbackFile(const std::string& dir, LocalTime now, std::string_view arguments) {
  const CivilTime t = now.Civil();
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%02d%02d%02d%02d%02d%02d", t.year % 100, t.month, t.day, t.hour, t.minute,
                t.second);
  const std::string stem = dir + "FB" + stamp;
  const std::string text = Bounded(FeedbackText(arguments));
  for (int n = 0; n < 1000; ++n) {
    const std::string path = n == 0 ? stem + ".txt" : stem + "-" + std::to_string(n) + ".txt";
    // O_EXCL: an existing file, even one made by a second kiosk process, is never replaced.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      throw std::runtime_error("Unable to write feedback file " + path + ": " + std::strerror(errno));
    }
    std::size_t written = 0;
    while (written < text.size()) {
      const ssize_t r = ::write(fd, text.data() + written, text.size() - written);
      if (r < 0 && errno == EINTR) continue;
      if (r <= 0) {
        const int error = errno;
        ::close(fd);
        ::unlink(path.c_str());
        throw std::runtime_error("Unable to write feedback file " + path + ": " + std::strerror(error));
      }
      written += static_cast<std::size_t>(r);
    }
    if (::close(fd) != 0) throw std::runtime_error("Unable to write feedback file " + path);
    return path;
  }
  throw std::runtime_error("Unable to write feedback file " + stem + ".txt: no free name");
}

}  // namespace tw
