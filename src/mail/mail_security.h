// How a mail client protects its connection and proves who it is: the security mode,
// the account, the operator's own CA file and whether a password may ever travel
// without TLS. The settings of the log mail and of the e-mail window are read into
// MailServerSettings; the clients take them with UseServer.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tw {

enum class MailSecurity {
  kNone,               // plain text throughout
  kStartTlsIfOffered,  // STARTTLS (STLS) when the server offers it, plain text otherwise
  kStartTls,           // STARTTLS (STLS) or no mail at all
  kTls,                // TLS from the first byte (ports 465 and 995)
};

// The setting's text: "none", "starttls" or "tls" in any case, blanks around ignored;
// an empty text is "starttls when offered". Anything else gives nothing.
std::optional<MailSecurity> ParseMailSecurity(std::string_view text);

struct MailServerSettings {
  std::string address;  // "host" or "host:port"
  MailSecurity security = MailSecurity::kStartTlsIfOffered;
  std::string user_name;  // empty: no authentication
  std::string password;
  std::string ca_file;                 // trusted besides the system's store; empty for none
  bool allow_plain_text_auth = false;  // a password may go over a connection without TLS

  bool operator==(const MailServerSettings&) const = default;
};

}  // namespace tw
