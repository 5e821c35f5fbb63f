// Writes message lines as the text sent after DATA: every line ends with CR LF, a line
// that begins with "." gets one more "." in front, and a CR or LF inside a line breaks it
// into lines of its own, so no bare CR or LF (nor an early end of the data) reaches the
// wire whatever the texts hold.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

class MailLineWriter {
 public:
  explicit MailLineWriter(std::ostream& out) : out_(out) {}
  ~MailLineWriter() { Flush(); }
  MailLineWriter(const MailLineWriter&) = delete;
  MailLineWriter& operator=(const MailLineWriter&) = delete;

  void Line(std::string_view line);
  void Lines(const std::vector<std::string>& lines) {
    for (const auto& line : lines) Line(line);
  }
  void Flush();

 private:
  void Put(std::string_view line);

  std::ostream& out_;
  std::string buffer_;
};

}  // namespace tw
