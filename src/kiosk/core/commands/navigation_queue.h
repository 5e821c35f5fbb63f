// The pages asked for and not yet given to the browser, oldest first. Anything may ask
// (a button, a command, the idle return); the browser's main loop takes them when the
// browser is ready.
#pragma once

#include <deque>
#include <optional>
#include <string>

namespace tw {

class NavigationQueue {
 public:
  void Push(std::string url) { urls_.push_back(std::move(url)); }
  std::optional<std::string> Take() {
    if (urls_.empty()) return std::nullopt;
    std::string url = std::move(urls_.front());
    urls_.pop_front();
    return url;
  }
  bool empty() const { return urls_.empty(); }
  std::size_t size() const { return urls_.size(); }

 private:
  std::deque<std::string> urls_;
};

}  // namespace tw
