#include "mail/mail_headers.h"

#include "mail/encoded_words.h"
#include "mail/mail_address.h"
#include "mail/text_util.h"

namespace tw {
namespace {

std::string WithColon(std::string_view name) {
  std::string prefix(name);
  if (prefix.empty() || prefix.back() != ':') prefix += ':';
  return prefix;
}

bool IsContinuation(const std::string& line) { return !line.empty() && (line[0] == ' ' || line[0] == '\t'); }

}  // namespace

std::size_t MailHeaders::Find(std::string_view name, std::size_t from) const {
  const std::string prefix = WithColon(name);
  for (std::size_t i = from; i < lines_.size(); ++i) {
    if (StartsWithNoCase(lines_[i], prefix)) return i;
  }
  return lines_.size();
}

std::string MailHeaders::GetHeader(std::string_view name) const {
  const std::size_t at = Find(name);
  if (at == lines_.size()) return {};
  std::string value(TrimBlanks(std::string_view(lines_[at]).substr(WithColon(name).size())));
  for (std::size_t i = at + 1; i < lines_.size() && IsContinuation(lines_[i]); ++i) {
    value += ' ';
    value += TrimBlanks(lines_[i]);
  }
  std::string_view bare = name;
  if (!bare.empty() && bare.back() == ':') bare.remove_suffix(1);
  if (EqualsNoCase(bare, "Content-Type") || EqualsNoCase(bare, "X-UIDL")) return value;
  return DecodeEncodedWords(CutTo(value, kShortTextMax));
}

void MailHeaders::RemoveHeader(std::string_view name) {
  const std::size_t at = Find(name);
  if (at == lines_.size()) return;
  std::size_t end = at + 1;
  while (end < lines_.size() && IsContinuation(lines_[end])) ++end;
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(at), lines_.begin() + static_cast<std::ptrdiff_t>(end));
}

void MailHeaders::RemoveAllHeaders(std::string_view name) {
  for (std::size_t count = lines_.size(); Find(name) != lines_.size();) {
    RemoveHeader(name);
    if (lines_.size() == count) break;
    count = lines_.size();
  }
}

}  // namespace tw
