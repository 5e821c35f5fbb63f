// What servers say they offer: EHLO reply lines and CAPA listings, with the mechanisms
// taken from them checked for the form the clients rely on.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "mail/server_capabilities.h"

namespace {

void Check(const tw::ServerCapabilities& offers) {
  for (std::size_t i = 0; i < offers.auth_mechanisms.size(); ++i) {
    const std::string& mechanism = offers.auth_mechanisms[i];
    if (mechanism.empty() || !offers.Offers(mechanism)) __builtin_trap();
    for (char c : mechanism) {
      if (c == ' ' || c == '\t' || std::islower(static_cast<unsigned char>(c))) __builtin_trap();
    }
    for (std::size_t j = 0; j < i; ++j) {
      if (offers.auth_mechanisms[j] == mechanism) __builtin_trap();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 20000) return 0;
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  Check(tw::ParseEhloReply(lines));
  Check(tw::ParseCapaReply(lines));
  return 0;
}
