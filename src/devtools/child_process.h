// The external browser's process: started with the control pipes on the descriptors the
// browser expects (it reads our messages on 3 and writes its own on 4), stopped with TERM
// and, when it does not end in time, KILL.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <variant>
#include <vector>

namespace tw {

struct PipedChild {
  pid_t pid = -1;
  int to_child = -1;    // our end of descriptor 3: write, non-blocking, close-on-exec
  int from_child = -1;  // our end of descriptor 4: read, non-blocking, close-on-exec
  int errors = -1;      // its standard error, when asked for: read, non-blocking, close-on-exec
};

// Starts argv[0] (looked up on PATH when it has no "/") with the rest as its arguments,
// in the current environment with `environment` ("NAME=value") put over it. On failure,
// the system's error number (2 for a program that does not exist) and no process. With
// `own_process_group` the child leads a new process group (numbered as its pid) that its
// helper processes share. With `capture_errors` its standard error comes to `errors`
// instead of the caller's own (the caller must read it, or the child waits once the
// pipe is full).
std::variant<PipedChild, int> StartWithControlPipes(const std::vector<std::string>& argv,
                                                    const std::vector<std::string>& environment = {},
                                                    bool own_process_group = false, bool capture_errors = false);

enum class ChildEnd { kEndedOnTerm, kKilled, kAlreadyGone };

// Sends TERM, waits up to `grace` for the process to end (asleep, woken by the kernel when
// it ends), then KILL; always reaps it. Does not touch the pipes.
ChildEnd StopChild(pid_t pid, std::chrono::milliseconds grace);

// Whether the process ended on its own; reaps it if so.
bool ChildHasEnded(pid_t pid);

// Waits up to `grace` for every process left in the group (helpers that outlive the
// browser, still writing into its profile) to end, asleep until one does; KILLs the rest.
// True when none had to be killed.
bool EndProcessGroup(pid_t group, std::chrono::milliseconds grace);

}  // namespace tw
