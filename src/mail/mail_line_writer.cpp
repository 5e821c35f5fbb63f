#include "mail/mail_line_writer.h"

namespace tw {

void MailLineWriter::Line(std::string_view line) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] != '\r' && line[i] != '\n') continue;
    Put(line.substr(start, i - start));
    if (line[i] == '\r' && i + 1 < line.size() && line[i + 1] == '\n') ++i;
    start = i + 1;
  }
  Put(line.substr(start));
}

void MailLineWriter::Put(std::string_view line) {
  if (!line.empty() && line.front() == '.') buffer_ += '.';
  buffer_ += line;
  buffer_ += "\r\n";
  if (buffer_.size() >= 65536) Flush();
}

void MailLineWriter::Flush() {
  if (buffer_.empty()) return;
  out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
  buffer_.clear();
}

}  // namespace tw
