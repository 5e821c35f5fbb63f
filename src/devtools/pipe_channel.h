// The two pipe ends of a started browser, joined to a DevTools connection. Writes never
// block the kiosk: what the pipe does not take now waits in a queue until it is writable.
// The kiosk's window loop watches ReadFd() (and WriteFd() while WantsWrite()) and calls
// OnReadable()/OnWritable(); WaitFor() is for programs without such a loop (the Setup
// Manager's probe, tests): it sleeps in poll() until the pipe or the call's time limit wakes it.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "devtools/child_process.h"
#include "devtools/devtools_connection.h"

namespace tw {

class PipeChannel {
 public:
  // Takes ownership of both descriptors.
  explicit PipeChannel(const PipedChild& child);
  ~PipeChannel();
  PipeChannel(const PipeChannel&) = delete;
  PipeChannel& operator=(const PipeChannel&) = delete;

  // The connection that speaks over this channel.
  DevToolsConnection& Connection() { return connection_; }

  int ReadFd() const { return from_child_; }
  int WriteFd() const { return to_child_; }
  bool WantsWrite() const { return !outgoing_.empty(); }
  // False once the browser's end is gone; the connection is then closed.
  bool Open() const { return !connection_.Closed(); }

  void OnReadable();
  void OnWritable();

  // Runs until `done()` is true, the channel closes or `until` passes; expires overdue
  // calls on the way. True when `done()` became true.
  template <typename Done>
  bool WaitFor(Done done, DevToolsConnection::Clock::time_point until) {
    while (!done()) {
      if (!Open() || !WaitOnce(until)) return done();
    }
    return true;
  }

 private:
  void Queue(std::string_view bytes);
  // One sleep in poll(); false when `until` has passed.
  bool WaitOnce(DevToolsConnection::Clock::time_point until);
  void Lost(std::string_view why);

  int to_child_;
  int from_child_;
  std::string outgoing_;
  DevToolsConnection connection_;
};

}  // namespace tw
