#include "common/addresses/command_url.h"

#include "common/texts/ascii_case.h"

#include <array>

namespace tw {
namespace {

std::string Cut(std::string_view text) { return std::string(text.substr(0, kCommandPartLimit)); }

constexpr std::array<std::string_view, 22> kEmbeddedWords = {
    "EXECUTE", "BACK",    "START",    "FORWARD", "HELP",    "PRINT",   "EMAIL",   "SHOW",
    "HIDE",    "CUSTOM1", "CUSTOM2",  "CUSTOM3", "CUSTOM4", "CUSTOM5", "CUSTOM6", "CUSTOM7",
    "CUSTOM8", "CUSTOM9", "CUSTOM10", "BANNER",  "LOGO",    "FEEDBACK"};

}  // namespace

CommandURL SplitCommandURL(std::string_view url) {
  CommandURL parts;
  const auto colon = url.find(':');
  parts.protocol = colon == std::string_view::npos ? std::string() : Cut(url.substr(0, colon));
  const std::string_view rest = colon == std::string_view::npos ? url : url.substr(colon + 1);
  parts.rest = Cut(rest);
  const auto question = rest.find('?');
  parts.command = Cut(rest.substr(0, question));
  parts.arguments = question == std::string_view::npos ? std::string() : Cut(rest.substr(question + 1));
  return parts;
}

std::string FeedbackText(std::string_view arguments) {
  std::string text;
  text.reserve(arguments.size() + 1);
  for (char c : arguments) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '&') {
      text += '\n';
    } else if (u >= 0x20 && u != 0x7f) {
      text += c;
    }
  }
  text += '\n';
  return text;
}

bool IsEmbeddedCommandWord(std::string_view command) {
  for (std::string_view word : kEmbeddedWords) {
    if (EqualIgnoringAsciiCase(command, word)) return true;
  }
  return false;
}

}  // namespace tw
