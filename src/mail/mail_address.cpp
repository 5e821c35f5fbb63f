#include "mail/mail_address.h"

#include "mail/encoded_words.h"
#include "mail/mail_headers.h"
#include "mail/mail_errors.h"
#include "mail/text_util.h"

namespace tw {
namespace {

std::string Clean(std::string_view text) {
  text = TrimBlanks(text);
  while (!text.empty() && text.front() == '"') text.remove_prefix(1);
  while (!text.empty() && text.back() == '"') text.remove_suffix(1);
  return std::string(TrimBlanks(text));
}

}  // namespace

void MailAddress::SetName(std::string_view name) { name_ = CutTo(name, kShortTextMax); }
void MailAddress::SetAddress(std::string_view address) { address_ = CutTo(address, kShortTextMax); }

MailAddress& AddressList::Add(std::string_view address, std::string_view name) {
  items_.emplace_back(address, name);
  return items_.back();
}

MailAddress ParseMailAddress(std::string_view text) {
  MailAddress result;
  const auto lt = text.find('<');
  if (lt != std::string_view::npos) {
    const auto gt = text.find('>', lt + 1);
    if (gt == std::string_view::npos) throw EMessageParserError("Unable to parse email address");
    result.SetAddress(Clean(text.substr(lt + 1, gt - lt - 1)));
    std::string rest(text.substr(0, lt));
    rest += text.substr(gt + 1);
    result.SetName(Clean(rest));
    return result;
  }
  const auto paren = text.find('(');
  if (paren != std::string_view::npos) {
    result.SetAddress(Clean(text.substr(0, paren)));
    std::string_view name = text.substr(paren + 1);
    if (!name.empty()) name.remove_suffix(1);  // the closing parenthesis
    result.SetName(Clean(name));
    return result;
  }
  result.SetAddress(Clean(text));
  return result;
}

void ParseAddressListHeader(const MailHeaders& headers, std::string_view name, AddressList& list) {
  const std::string prefix = std::string(name) + ":";
  const auto& lines = headers.Lines();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!StartsWithNoCase(lines[i], prefix)) continue;
    std::string value = lines[i].substr(prefix.size());
    while (i + 1 < lines.size() && lines[i + 1].find(':') == std::string::npos) {
      value += ' ';
      value += lines[++i];
    }
    bool quoted = false;
    std::size_t start = 0;
    for (std::size_t k = 0; k <= value.size(); ++k) {
      if (k < value.size() && value[k] == '"') quoted = !quoted;
      if (k < value.size() && (value[k] != ',' || quoted)) continue;
      const std::string_view piece = TrimBlanks(std::string_view(value).substr(start, k - start));
      start = k + 1;
      if (piece.empty()) continue;
      const MailAddress address = ParseMailAddress(DecodeEncodedWords(piece));
      list.Add(address.Address(), address.Name());
    }
  }
}

}  // namespace tw
