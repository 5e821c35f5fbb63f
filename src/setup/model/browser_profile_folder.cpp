#include "setup/model/browser_profile_folder.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace tw {
namespace {

constexpr const char* kLockLinks[] = {"SingletonLock", "SingletonSocket", "SingletonCookie"};

std::string Folder(const std::string& program_dir) { return program_dir + kBrowserProfileFolder; }

std::string SystemError(const std::string& what) { return what + ": " + std::strerror(errno); }

// Empty when a file can be made in `folder`.
std::string WriteProbe(const std::string& folder) {
  std::string name = folder + "/.tarnwick-check-XXXXXX";
  const int fd = ::mkstemp(name.data());
  if (fd < 0) return SystemError(folder + " cannot be written");
  ::close(fd);
  ::unlink(name.c_str());
  return {};
}

// The lock is a symbolic link to "host-pid". Held when the host is this one and the process
// is alive; a lock of another host (a renamed machine, a copied folder) is stale too, since
// the folder is the kiosk's own.
ProfileFolderState LockState(const std::string& folder) {
  const std::string lock = folder + "/SingletonLock";
  char target[PATH_MAX + 1];
  const ssize_t size = ::readlink(lock.c_str(), target, PATH_MAX);
  if (size < 0) {
    struct stat info {};
    if (::lstat(lock.c_str(), &info) == 0) return {ProfileFolderState::kStaleLock, lock + " is not a browser's lock."};
    return {};
  }
  const std::string text(target, static_cast<std::size_t>(size));
  const auto dash = text.rfind('-');
  char host[HOST_NAME_MAX + 1] = {};
  ::gethostname(host, sizeof host - 1);
  if (dash != std::string::npos && text.substr(0, dash) == host) {
    char* end = nullptr;
    const long pid = std::strtol(text.c_str() + dash + 1, &end, 10);
    if (pid > 0 && *end == '\0' && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM)) {
      return {ProfileFolderState::kHeldByBrowser,
              "A running browser (process " + std::to_string(pid) + ") is using " + folder + "."};
    }
  }
  return {ProfileFolderState::kStaleLock, "A browser that has ended left its lock (" + text + ") in " + folder + "."};
}

}  // namespace

ProfileFolderState CheckProfileFolder(const std::string& program_dir) {
  const std::string folder = Folder(program_dir);
  struct stat info {};
  if (::stat(folder.c_str(), &info) != 0) {
    if (errno != ENOENT) return {ProfileFolderState::kNotWritable, SystemError(folder)};
    if (::mkdir(folder.c_str(), 0700) != 0)
      return {ProfileFolderState::kNotWritable, SystemError(folder + " cannot be created")};
    std::string error = WriteProbe(folder);
    ::rmdir(folder.c_str());
    if (!error.empty()) return {ProfileFolderState::kNotWritable, std::move(error)};
    return {ProfileFolderState::kUsable, folder + " will be made by the kiosk."};
  }
  if (!S_ISDIR(info.st_mode)) return {ProfileFolderState::kNotWritable, folder + " is not a folder."};
  if (std::string error = WriteProbe(folder); !error.empty())
    return {ProfileFolderState::kNotWritable, std::move(error)};
  ProfileFolderState lock = LockState(folder);
  if (lock.kind == ProfileFolderState::kUsable) lock.detail = folder + " can be used.";
  return lock;
}

std::string RepairProfileFolder(const std::string& program_dir) {
  const std::string folder = Folder(program_dir);
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return SystemError(folder + " cannot be created");
  const ProfileFolderState state = CheckProfileFolder(program_dir);
  if (state.kind == ProfileFolderState::kStaleLock) {
    for (const char* name : kLockLinks) {
      const std::string link = folder + "/" + name;
      if (::unlink(link.c_str()) != 0 && errno != ENOENT) return SystemError(link + " cannot be removed");
    }
    return {};
  }
  return state.kind == ProfileFolderState::kUsable ? std::string() : state.detail;
}

}  // namespace tw
