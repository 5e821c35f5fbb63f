#include "child_process.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

extern char** environ;

namespace tw {
namespace {

constexpr int kCommandFd = 3;
constexpr int kReplyFd = 4;

// A pipe whose ends are both above the descriptors the child gets, so that no dup2 in
// the child lands on itself (which would leave close-on-exec set).
bool HighPipe(int ends[2]) {
  int raw[2];
  if (::pipe2(raw, O_CLOEXEC) != 0) return false;
  for (int i = 0; i < 2; ++i) {
    ends[i] = ::fcntl(raw[i], F_DUPFD_CLOEXEC, 10);
    ::close(raw[i]);
  }
  if (ends[0] < 0 || ends[1] < 0) {
    if (ends[0] >= 0) ::close(ends[0]);
    if (ends[1] >= 0) ::close(ends[1]);
    return false;
  }
  return true;
}

// Descriptors of the processes in `group` (from /proc), each readable once its process ends.
std::vector<int> GroupMembers(pid_t group) {
  std::vector<int> members;
  DIR* proc = ::opendir("/proc");
  if (proc == nullptr) return members;
  while (const dirent* entry = ::readdir(proc)) {
    char* end = nullptr;
    const long pid = std::strtol(entry->d_name, &end, 10);
    if (pid <= 0 || *end != '\0') continue;
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%ld/stat", pid);
    FILE* stat = std::fopen(path, "r");
    if (stat == nullptr) continue;
    char line[1024];
    const bool read = std::fgets(line, sizeof line, stat) != nullptr;
    std::fclose(stat);
    // "pid (name) state ppid pgrp ...": the name may hold anything but ends at the last ')'.
    const char* after_name = read ? std::strrchr(line, ')') : nullptr;
    char state = 0;
    long ppid = 0;
    long pgrp = 0;
    if (after_name == nullptr || std::sscanf(after_name + 1, " %c %ld %ld", &state, &ppid, &pgrp) != 3) continue;
    if (pgrp != group || state == 'Z') continue;
    const int fd = static_cast<int>(::syscall(SYS_pidfd_open, static_cast<pid_t>(pid), 0));
    if (fd >= 0) members.push_back(fd);
  }
  ::closedir(proc);
  return members;
}

// Sleeps until every process of `fds` has ended or `until` passes; closes the descriptors.
// True when all ended.
bool AwaitAll(std::vector<int> fds, std::chrono::steady_clock::time_point until) {
  while (!fds.empty()) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - std::chrono::steady_clock::now()).count();
    if (left <= 0) break;
    std::vector<pollfd> watch;
    for (const int fd : fds) watch.push_back({fd, POLLIN, 0});
    const int ready = ::poll(watch.data(), watch.size(), static_cast<int>(left));
    if (ready < 0 && errno != EINTR) break;
    std::vector<int> running;
    for (const pollfd& w : watch) {
      if (w.revents != 0) {
        ::close(w.fd);
      } else {
        running.push_back(w.fd);
      }
    }
    fds = std::move(running);
  }
  for (const int fd : fds) ::close(fd);
  return fds.empty();
}

void CloseAll(std::initializer_list<int> fds) {
  for (const int fd : fds) {
    if (fd >= 0) ::close(fd);
  }
}

}  // namespace

std::variant<PipedChild, int> StartWithControlPipes(const std::vector<std::string>& argv,
                                                    const std::vector<std::string>& environment, bool own_process_group,
                                                    bool capture_errors) {
  if (argv.empty() || argv[0].empty()) return ENOENT;
  int commands[2] = {-1, -1};
  int replies[2] = {-1, -1};
  int errors[2] = {-1, -1};
  if (!HighPipe(commands)) return errno;
  if (!HighPipe(replies) || (capture_errors && !HighPipe(errors))) {
    const int error = errno;
    CloseAll({commands[0], commands[1], replies[0], replies[1]});
    return error;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, commands[0], kCommandFd);
  posix_spawn_file_actions_adddup2(&actions, replies[1], kReplyFd);
  if (capture_errors) posix_spawn_file_actions_adddup2(&actions, errors[1], STDERR_FILENO);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  // The child starts with default signal handling whatever the kiosk has ignored.
  sigset_t all;
  sigfillset(&all);
  posix_spawnattr_setsigdefault(&attributes, &all);
  sigset_t none;
  sigemptyset(&none);
  posix_spawnattr_setsigmask(&attributes, &none);
  short flags = POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK;
  if (own_process_group) {
    flags |= POSIX_SPAWN_SETPGROUP;
    posix_spawnattr_setpgroup(&attributes, 0);
  }
  posix_spawnattr_setflags(&attributes, flags);

  std::vector<char*> args;
  for (const auto& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  std::vector<char*> env;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string_view whole(*entry);
    const std::string_view name = whole.substr(0, whole.find('='));
    const bool replaced = std::any_of(environment.begin(), environment.end(), [&](const std::string& own) {
      return own.size() > name.size() && own.compare(0, name.size(), name) == 0 && own[name.size()] == '=';
    });
    if (!replaced) env.push_back(*entry);
  }
  for (const auto& own : environment) env.push_back(const_cast<char*>(own.c_str()));
  env.push_back(nullptr);
  pid_t pid = -1;
  const bool search = argv[0].find('/') == std::string::npos;
  const int error = search ? ::posix_spawnp(&pid, args[0], &actions, &attributes, args.data(), env.data())
                           : ::posix_spawn(&pid, args[0], &actions, &attributes, args.data(), env.data());
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  CloseAll({commands[0], replies[1], errors[1]});
  if (error != 0) {
    CloseAll({commands[1], replies[0], errors[0]});
    return error;
  }
  for (const int fd : {commands[1], replies[0], errors[0]}) {
    if (fd >= 0) ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
  }
  return PipedChild{pid, commands[1], replies[0], errors[0]};
}

bool ChildHasEnded(pid_t pid) {
  int status = 0;
  const pid_t reaped = ::waitpid(pid, &status, WNOHANG);
  return reaped == pid || (reaped < 0 && errno == ECHILD);
}

bool EndProcessGroup(pid_t group, std::chrono::milliseconds grace) {
  if (group <= 0) return true;
  const auto until = std::chrono::steady_clock::now() + grace;
  // Helpers may start helpers of their own while the first ones end: look again once.
  if (AwaitAll(GroupMembers(group), until) && AwaitAll(GroupMembers(group), until)) return true;
  std::vector<int> left = GroupMembers(group);
  if (left.empty()) return true;
  ::kill(-group, SIGKILL);
  AwaitAll(std::move(left), std::chrono::steady_clock::now() + std::chrono::seconds(2));
  return false;
}

ChildEnd StopChild(pid_t pid, std::chrono::milliseconds grace) {
  if (pid <= 0 || ChildHasEnded(pid)) return ChildEnd::kAlreadyGone;
  // A descriptor for the process before it is signalled: readable once it has ended, and
  // never confused with a later process that gets the same number.
  const int process = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
  ::kill(pid, SIGTERM);
  bool ended = false;
  if (process >= 0) {
    pollfd watch{process, POLLIN, 0};
    int ready = 0;
    do {
      ready = ::poll(&watch, 1, static_cast<int>(grace.count()));
    } while (ready < 0 && errno == EINTR);
    ended = ready > 0;
    ::close(process);
  }
  if (!ended) ::kill(pid, SIGKILL);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return ended ? ChildEnd::kEndedOnTerm : ChildEnd::kKilled;
}

}  // namespace tw
