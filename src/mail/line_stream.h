// A received message read line by line: lines end at LF, one CR before it is dropped.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tw {

class LineStream {
 public:
  explicit LineStream(std::string_view text);

  bool Eof() const { return pos_ >= lines_.size(); }
  // The next line; at the end an empty line (check Eof first).
  const std::string& Peek() const;
  const std::string& ReadLine();
  std::size_t Position() const { return pos_; }
  // Drops the last line (the POP3 terminator).
  void DropLast() { lines_.pop_back(); }
  const std::vector<std::string>& Lines() const { return lines_; }

 private:
  std::vector<std::string> lines_;
  std::size_t pos_ = 0;
  std::string empty_;
};

}  // namespace tw
