#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
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

void CloseAll(std::initializer_list<int> fds) {
  for (const int fd : fds) {
    if (fd >= 0) ::close(fd);
  }
}

}  // namespace

std::variant<PipedChild, int> StartWithControlPipes(const std::vector<std::string>& argv,
                                                    const std::vector<std::string>& environment) {
  if (argv.empty() || argv[0].empty()) return ENOENT;
  int commands[2] = {-1, -1};
  int replies[2] = {-1, -1};
  if (!HighPipe(commands)) return errno;
  if (!HighPipe(replies)) {
    const int error = errno;
    CloseAll({commands[0], commands[1]});
    return error;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, commands[0], kCommandFd);
  posix_spawn_file_actions_adddup2(&actions, replies[1], kReplyFd);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  // The child starts with default signal handling whatever the kiosk has ignored.
  sigset_t all;
  sigfillset(&all);
  posix_spawnattr_setsigdefault(&attributes, &all);
  sigset_t none;
  sigemptyset(&none);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);

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
  CloseAll({commands[0], replies[1]});
  if (error != 0) {
    CloseAll({commands[1], replies[0]});
    return error;
  }
  for (const int fd : {commands[1], replies[0]}) ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
  return PipedChild{pid, commands[1], replies[0]};
}

bool ChildHasEnded(pid_t pid) {
  int status = 0;
  const pid_t reaped = ::waitpid(pid, &status, WNOHANG);
  return reaped == pid || (reaped < 0 && errno == ECHILD);
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
