// One DevTools protocol connection to the external browser, independent of how its bytes
// travel: calls with ids and time limits, their replies, and events, optionally within a
// session attached to one page. Whatever the browser sends is checked before it is used;
// a message that is not what the protocol allows is counted and dropped.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "devtools/devtools_frames.h"

namespace tw {

struct DevToolsReply {
  bool ok = false;
  nlohmann::json result;  // the reply's "result" object when ok
  // The browser's error code and text, or, with code 0, why no reply came (time limit,
  // connection closed).
  int error_code = 0;
  std::string error;
};

class DevToolsConnection {
 public:
  using Clock = std::chrono::steady_clock;
  using ReplyHandler = std::function<void(const DevToolsReply&)>;
  // params and the session the event came from ("" for the browser itself).
  using EventHandler = std::function<void(const nlohmann::json&, const std::string&)>;

  // `send` writes one framed message towards the browser.
  explicit DevToolsConnection(std::function<void(std::string_view)> send,
                              std::size_t max_frame = DevToolsFrames::kMaxFrame);

  // Sends a call; `done` gets exactly one reply: the browser's, or a failure after
  // `timeout` (see ExpireCalls) or when the connection closes. Returns the call's id.
  int Call(std::string_view method, nlohmann::json params, std::string_view session, Clock::duration timeout,
           ReplyHandler done);

  // Every event of this method, from any session.
  void On(std::string method, EventHandler handler);

  // Bytes read from the browser. False once the stream is broken (a message too long):
  // every pending call has then failed and the connection is to be dropped.
  bool Receive(std::string_view bytes);

  // Fails every call whose time limit passed by `now`.
  void ExpireCalls(Clock::time_point now);
  // The earliest time limit of a pending call: the one timer the owner needs.
  std::optional<Clock::time_point> NextDeadline() const;

  // Fails every pending call with `reason`; later calls fail at once.
  void Close(std::string_view reason);

  bool Closed() const { return closed_; }
  std::size_t PendingCalls() const { return pending_.size(); }
  // Messages dropped because they were not JSON objects of the protocol's shape, or
  // answered no pending call.
  std::size_t DroppedMessages() const { return dropped_; }

 private:
  struct PendingCall {
    Clock::time_point deadline;
    ReplyHandler done;
  };

  void Dispatch(const std::string& message);
  void Finish(int id, const DevToolsReply& reply);
  static DevToolsReply Failure(std::string_view why);

  std::function<void(std::string_view)> send_;
  DevToolsFrames frames_;
  std::map<int, PendingCall> pending_;
  std::map<std::string, std::vector<EventHandler>, std::less<>> handlers_;
  int next_id_ = 1;
  std::size_t dropped_ = 0;
  bool closed_ = false;
  std::string close_reason_;
};

}  // namespace tw
