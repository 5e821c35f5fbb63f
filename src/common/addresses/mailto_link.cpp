#include "common/addresses/mailto_link.h"

#include "common/texts/ascii_case.h"
#include "common/addresses/percent_decode.h"

namespace tw {
namespace {

bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }

std::string WithoutControls(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (!IsControl(c)) out += c;
  }
  return out;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

void AddAddresses(std::string_view encoded, std::vector<std::string>& list) {
  std::size_t start = 0;
  while (start <= encoded.size()) {
    std::size_t comma = encoded.find(',', start);
    if (comma == std::string_view::npos) comma = encoded.size();
    const std::string address(Trimmed(WithoutControls(PercentDecode(encoded.substr(start, comma - start)))));
    if (!address.empty() && list.size() < kMailtoMaxAddresses) list.push_back(address);
    start = comma + 1;
  }
}

std::vector<std::string> BodyLines(const std::string& body) {
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < body.size(); ++i) {
    const char c = body[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < body.size() && body[i + 1] == '\n') ++i;
      lines.emplace_back();
    } else if (c == '\t' || !IsControl(c)) {
      lines.back() += c;
    }
  }
  return lines;
}

}  // namespace

MailtoLink ParseMailtoLink(std::string_view text) {
  if (text.size() >= 7 && EqualIgnoringAsciiCase(text.substr(0, 7), "mailto:")) text.remove_prefix(7);
  MailtoLink link;
  const std::size_t query = text.find('?');
  AddAddresses(text.substr(0, query), link.to);
  if (query == std::string_view::npos) return link;
  bool have_subject = false;
  bool have_body = false;
  std::string_view rest = text.substr(query + 1);
  while (!rest.empty()) {
    std::size_t amp = rest.find('&');
    const std::string_view field = rest.substr(0, amp);
    rest = amp == std::string_view::npos ? std::string_view() : rest.substr(amp + 1);
    const std::size_t equals = field.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string name = PercentDecode(field.substr(0, equals));
    const std::string_view value = field.substr(equals + 1);
    if (EqualIgnoringAsciiCase(name, "to")) {
      AddAddresses(value, link.to);
    } else if (EqualIgnoringAsciiCase(name, "cc")) {
      AddAddresses(value, link.cc);
    } else if (EqualIgnoringAsciiCase(name, "subject") && !have_subject) {
      link.subject = WithoutControls(PercentDecode(value));
      have_subject = true;
    } else if (EqualIgnoringAsciiCase(name, "body") && !have_body) {
      link.body = BodyLines(PercentDecode(value));
      have_body = true;
    }
  }
  return link;
}

std::string JoinMailAddresses(const std::vector<std::string>& addresses) {
  std::string out;
  for (const std::string& address : addresses) {
    if (!out.empty()) out += ", ";
    out += address;
  }
  return out;
}

}  // namespace tw
