// What the external browser writes on its standard error, read as it comes: the line that
// says why it could not start ("Socket path too long: ..."), for the one log line the
// kiosk writes when a start fails. The browser writes many lines in a normal run too: its
// fatal ones count first, then its errors.
#pragma once

#include <string>
#include <string_view>

namespace tw {

class BrowserErrorLines {
 public:
  // A piece of the output, cut anywhere.
  void Add(std::string_view chunk);
  // The last fatal line, else the last error line, else the last line; without the
  // browser's "[pid:thread:time:LEVEL:file(line)] " prefix. "" when there was none.
  std::string Reason() const;
  // A new process begins.
  void Clear();

  static constexpr std::size_t kMaxLine = 400;

 private:
  void Line(std::string_view line);

  std::string partial_;
  std::string fatal_;
  std::string error_;
  std::string last_;
};

}  // namespace tw
