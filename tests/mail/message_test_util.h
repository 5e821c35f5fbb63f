// Helpers for the message tests: fixed boundaries, whole texts from lines, and the way
// a message travels (dot-stuffed by the writer, un-stuffed and terminated by POP3).
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "mail/mail_message.h"

namespace tw::test {

// Lines joined with CR LF after each.
inline std::string Crlf(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  return text;
}

// Boundaries 11111111, 22222222, ... in turn.
inline MessageBase::BoundarySource FixedBoundaries() {
  auto next = std::make_shared<int>(0);
  return [next] { return std::string(8, static_cast<char>('1' + (*next)++ % 9)); };
}

inline std::string Save(const MessageBase& message) {
  std::ostringstream out;
  message.SaveToStream(out);
  return out.str();
}

// What a POP3 client hands to the reader: lines that began with ".." lose one ".", and
// the terminating "." line follows.
inline std::string AsReceived(const std::string& sent) {
  std::string received;
  std::size_t start = 0;
  while (start < sent.size()) {
    std::size_t end = sent.find("\r\n", start);
    end = end == std::string::npos ? sent.size() : end + 2;
    std::string line = sent.substr(start, end - start);
    if (line.rfind("..", 0) == 0) line.erase(0, 1);
    received += line;
    start = end;
  }
  return received + ".\r\n";
}

inline void Load(MessageBase& message, const std::string& text) {
  std::istringstream in(text);
  message.Clear();
  message.LoadFromStream(in);
}

}  // namespace tw::test
