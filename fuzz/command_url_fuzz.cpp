// Fuzzes the reading of command URLs and feedback arguments, which come from any web
// page: the parts put together give the URL back, each part stays within its limit, and
// a feedback text holds no control character but its line breaks, one per piece.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/addresses/command_url.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string url(reinterpret_cast<const char*>(data), size);
  const tw::CommandURL parts = tw::SplitCommandURL(url);
  Check(parts.protocol.size() <= tw::kCommandPartLimit && parts.rest.size() <= tw::kCommandPartLimit);
  Check(parts.command.size() <= tw::kCommandPartLimit && parts.arguments.size() <= tw::kCommandPartLimit);
  Check(parts.protocol.find(':') == std::string::npos);
  Check(parts.command.find('?') == std::string::npos);
  if (url.size() < tw::kCommandPartLimit) {
    const bool has_colon = url.find(':') != std::string::npos;
    Check((has_colon ? parts.protocol + ":" : std::string()) + parts.rest == url);
    const bool has_question = parts.rest.find('?') != std::string::npos;
    Check(parts.command + (has_question ? "?" + parts.arguments : std::string()) == parts.rest);
  }
  tw::IsEmbeddedCommandWord(parts.command);

  const std::string text = tw::FeedbackText(url);
  Check(!text.empty() && text.back() == '\n');
  Check(std::count(text.begin(), text.end(), '\n') == std::count(url.begin(), url.end(), '&') + 1);
  for (char c : text) {
    const auto u = static_cast<unsigned char>(c);
    Check(c == '\n' || (u >= 0x20 && u != 0x7f));
  }
  return 0;
}
