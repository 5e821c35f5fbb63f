// The browser's control pipe carries JSON messages, each ended by a NUL byte. This splits
// what is read from the pipe into whole messages, however the reads cut them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tw {

class DevToolsFrames {
 public:
  // Large enough for a page's printed PDF in one reply, small enough that a runaway
  // stream cannot take the kiosk's memory.
  static constexpr std::size_t kMaxFrame = 64u * 1024u * 1024u;

  explicit DevToolsFrames(std::size_t max_frame = kMaxFrame) : max_frame_(max_frame) {}

  // Adds bytes read from the pipe. False once a message grows past the limit: nothing
  // after that can be trusted, and the connection is to be dropped.
  bool Feed(std::string_view bytes);

  // The next whole message, without its NUL.
  std::optional<std::string> Next();

  bool Broken() const { return broken_; }

 private:
  void Break();

  std::size_t max_frame_;
  std::string buffer_;
  std::size_t start_ = 0;    // first byte of the message being collected
  std::size_t scanned_ = 0;  // bytes from start_ known to hold no NUL
  bool broken_ = false;
};

// A message as written to the pipe.
std::string FrameMessage(std::string_view json);

}  // namespace tw
