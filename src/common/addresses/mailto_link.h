// A "mailto" link as a web page gives it: the addresses before "?", then header fields
// "name=value" joined by "&" (to, cc, subject and body are taken; any other field, bcc
// included, is ignored, so a page cannot add a hidden recipient). Every part is
// percent-decoded ("+" stays a plus). Control characters never reach an address or the
// subject (CR and LF there would start a new header line); the body keeps its line
// breaks as separate lines and loses its other control characters, tabs excepted.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tw {

struct MailtoLink {
  std::vector<std::string> to;  // in order, empty ones left out
  std::vector<std::string> cc;
  std::string subject;            // the first subject field
  std::vector<std::string> body;  // lines of the first body field

  bool operator==(const MailtoLink&) const = default;
};

// The most addresses taken from one link; the rest are ignored.
inline constexpr std::size_t kMailtoMaxAddresses = 50;

// text is the link with or without its "mailto:" scheme.
MailtoLink ParseMailtoLink(std::string_view text);

// "a, b, c": the addresses as one To or Cc field.
std::string JoinMailAddresses(const std::vector<std::string>& addresses);

}  // namespace tw
