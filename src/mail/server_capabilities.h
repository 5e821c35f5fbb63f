// What a server says it can do, from its EHLO reply (SMTP) or its CAPA listing (POP3):
// whether it offers to turn the connection to TLS and which SASL mechanisms it offers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tw {

struct ServerCapabilities {
  bool starttls = false;                     // SMTP STARTTLS, POP3 STLS
  std::vector<std::string> auth_mechanisms;  // upper case, as offered

  bool Offers(std::string_view mechanism) const;
};

// The lines of a positive EHLO reply, the first (the server's greeting) included, each
// still beginning with its code ("250-STARTTLS", "250 AUTH PLAIN LOGIN").
ServerCapabilities ParseEhloReply(const std::vector<std::string>& lines);

// The lines of a CAPA listing between the status line and the terminating ".".
ServerCapabilities ParseCapaReply(const std::vector<std::string>& lines);

}  // namespace tw
