#include "setup/model/lock_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tw {

SetupLock::SetupLock(const std::string& folder) {
  path_ = folder;
  if (path_.empty() || path_.back() != '/') path_ += '/';
  path_ += ".tarnwick-setup.lock";
  fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd_ < 0) {
    reason_ = std::strerror(errno);
    state_ = State::kFolderNotWritable;
    return;
  }
  state_ = ::flock(fd_, LOCK_EX | LOCK_NB) == 0 ? State::kHeld : State::kTakenByAnother;
  // A folder where the lock could be made may still refuse new files to a read-only user.
  if (state_ == State::kHeld && ::access(folder.c_str(), W_OK) != 0) {
    reason_ = std::strerror(errno);
    state_ = State::kFolderNotWritable;
  }
}

SetupLock::~SetupLock() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace tw
