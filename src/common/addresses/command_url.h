// The parts of a URL that the kiosk's command interpreter looks at, and the text a
// feedback command stores.
#pragma once

#include <string>
#include <string_view>

namespace tw {

// Longest tail kept of a URL part: a page cannot make the kiosk hold more.
inline constexpr std::size_t kCommandPartLimit = 4096;

struct CommandURL {
  std::string protocol;   // before the first ":" (empty without one)
  std::string rest;       // after the first ":" (the whole URL without one)
  std::string command;    // the rest up to the first "?"
  std::string arguments;  // the rest after the first "?"
};

CommandURL SplitCommandURL(std::string_view url);

// Whether an embedded browser's navigation carries one of the command words, whatever its
// protocol ("http:START?" does, "http://host/START?" does not).
bool IsEmbeddedCommandWord(std::string_view command);

// The feedback text of a command's arguments: split at every "&", one piece a line, with
// no control characters other than the line breaks.
std::string FeedbackText(std::string_view arguments);

}  // namespace tw
