// One Setup Manager per program folder: an advisory lock on a file in the folder, held
// for the life of the object and released by the system if the program dies.
#pragma once

#include <string>

namespace tw {

class SetupLock {
 public:
  enum class State { kHeld, kTakenByAnother, kFolderNotWritable };

  explicit SetupLock(const std::string& folder);
  ~SetupLock();
  SetupLock(const SetupLock&) = delete;
  SetupLock& operator=(const SetupLock&) = delete;

  State state() const { return state_; }
  const std::string& path() const { return path_; }
  const std::string& reason() const { return reason_; }  // why the folder cannot be written

 private:
  std::string path_;
  std::string reason_;
  int fd_ = -1;
  State state_ = State::kFolderNotWritable;
};

}  // namespace tw
