// POP3 replies and retrieved text: the STAT and LIST numbers, and un-stuffing, which
// must give back exactly what the sender's dot-stuffing started from.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "mail/mail_errors.h"
#include "mail/pop3_client.h"

namespace {

// Every line beginning with "." gets one more in front, as the sender writes it.
std::string Stuff(std::string_view text) {
  std::string out;
  bool line_start = true;
  for (char c : text) {
    if (line_start && c == '.') out += '.';
    out += c;
    line_start = c == '\n';
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    if (const auto counts = tw::ParseStatReply(text)) {
      if (counts->count < 0 || counts->size < 0) __builtin_trap();
    }
  } catch (const tw::EServerError&) {
  }
  if (tw::ParseListSize(text) < 0) __builtin_trap();
  if (tw::UnstuffMessage(Stuff(text)) != text) __builtin_trap();
  if (tw::UnstuffMessage(text).size() > text.size()) __builtin_trap();
  return 0;
}
