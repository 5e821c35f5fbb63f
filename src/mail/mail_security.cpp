#include "mail/mail_security.h"

#include <cctype>

namespace tw {

std::optional<MailSecurity> ParseMailSecurity(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  std::string word;
  for (char c : text) word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (word.empty()) return MailSecurity::kStartTlsIfOffered;
  if (word == "none") return MailSecurity::kNone;
  if (word == "starttls") return MailSecurity::kStartTls;
  if (word == "tls") return MailSecurity::kTls;
  return std::nullopt;
}

}  // namespace tw
