#include "devtools/program_output.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "devtools/child_process.h"

extern char** environ;

namespace tw {

ProgramOutput RunForOutput(const std::vector<std::string>& argv, std::chrono::milliseconds limit) {
  ProgramOutput result;
  if (argv.empty() || argv[0].empty()) {
    result.start_error = ENOENT;
    return result;
  }
  int out[2];
  if (::pipe2(out, O_CLOEXEC) != 0) {
    result.start_error = errno;
    return result;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  std::vector<char*> args;
  for (const auto& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  pid_t pid = -1;
  const bool search = argv[0].find('/') == std::string::npos;
  const int error = search ? ::posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ)
                           : ::posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(out[1]);
  if (error != 0) {
    ::close(out[0]);
    result.start_error = error;
    return result;
  }
  // Read until the program closes its output (it ended, or handed the pipe to no one) or
  // the time runs out; asleep in poll() in between.
  const auto until = std::chrono::steady_clock::now() + limit;
  char buffer[4096];
  for (;;) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - std::chrono::steady_clock::now()).count();
    if (left <= 0) {
      result.timed_out = true;
      break;
    }
    pollfd watch{out[0], POLLIN, 0};
    const int ready = ::poll(&watch, 1, static_cast<int>(left));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) continue;  // the time limit is checked above
    const ssize_t got = ::read(out[0], buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    const std::size_t room = ProgramOutput::kMaxOutput - std::min(result.output.size(), ProgramOutput::kMaxOutput);
    result.output.append(buffer, std::min(room, static_cast<std::size_t>(got)));
  }
  ::close(out[0]);
  if (result.timed_out) {
    StopChild(pid, std::chrono::milliseconds(500));
    return result;
  }
  // Its output is closed; a program that still runs is given what is left of the limit,
  // asleep on a descriptor of the process that becomes readable when it ends.
  const auto left = std::max<long long>(
      0, std::chrono::ceil<std::chrono::milliseconds>(until - std::chrono::steady_clock::now()).count());
  const int process = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
  if (process >= 0) {
    pollfd watch{process, POLLIN, 0};
    int ready = 0;
    do {
      ready = ::poll(&watch, 1, static_cast<int>(left));
    } while (ready < 0 && errno == EINTR);
    ::close(process);
    if (ready == 0) {
      result.timed_out = true;
      StopChild(pid, std::chrono::milliseconds(500));
      return result;
    }
  }
  int status = 0;
  pid_t reaped = 0;
  while ((reaped = ::waitpid(pid, &status, 0)) < 0 && errno == EINTR) {
  }
  if (reaped == pid && WIFEXITED(status)) result.exit_status = WEXITSTATUS(status);
  return result;
}

}  // namespace tw
