#include "devtools_frames.h"

#include <cstring>

namespace tw {

bool DevToolsFrames::Feed(std::string_view bytes) {
  if (broken_) return false;
  // Drop what has been handed out before the buffer grows again.
  if (start_ > 0 && start_ >= buffer_.size() / 2) {
    buffer_.erase(0, start_);
    start_ = 0;
  }
  buffer_.append(bytes);
  const void* nul = std::memchr(buffer_.data() + start_ + scanned_, '\0', buffer_.size() - start_ - scanned_);
  if (nul == nullptr && buffer_.size() - start_ > max_frame_) Break();
  return !broken_;
}

void DevToolsFrames::Break() {
  broken_ = true;
  buffer_.clear();
  start_ = scanned_ = 0;
}

std::optional<std::string> DevToolsFrames::Next() {
  if (broken_) return std::nullopt;
  const std::size_t from = start_ + scanned_;
  const void* found = std::memchr(buffer_.data() + from, '\0', buffer_.size() - from);
  if (found == nullptr) {
    scanned_ = buffer_.size() - start_;
    return std::nullopt;
  }
  const auto end = static_cast<std::size_t>(static_cast<const char*>(found) - buffer_.data());
  if (end - start_ > max_frame_) {
    Break();
    return std::nullopt;
  }
  std::string message = buffer_.substr(start_, end - start_);
  start_ = end + 1;
  scanned_ = 0;
  if (start_ == buffer_.size()) {
    buffer_.clear();
    start_ = 0;
  }
  return message;
}

std::string FrameMessage(std::string_view json) {
  std::string framed(json);
  framed.push_back('\0');
  return framed;
}

}  // namespace tw
