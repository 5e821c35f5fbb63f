// "mailto" links from web pages: no control character may reach an address or the
// subject, no line break a body line, and the address limit holds.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/addresses/mailto_link.h"

namespace {

bool HasControl(const std::string& text, bool tab_allowed) {
  for (char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if ((u < 0x20 && !(tab_allowed && c == '\t')) || u == 0x7F) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const tw::MailtoLink link = tw::ParseMailtoLink(text);
  if (link.to.size() > tw::kMailtoMaxAddresses || link.cc.size() > tw::kMailtoMaxAddresses) __builtin_trap();
  for (const auto* list : {&link.to, &link.cc}) {
    for (const std::string& address : *list) {
      if (address.empty() || HasControl(address, false)) __builtin_trap();
    }
  }
  if (HasControl(link.subject, false)) __builtin_trap();
  for (const std::string& line : link.body) {
    if (HasControl(line, true)) __builtin_trap();
  }
  if (!link.to.empty() && tw::JoinMailAddresses(link.to).empty()) __builtin_trap();
  return 0;
}
