// Texts the e-mail window derives from messages: the list line of a message, the
// address a reply goes to, the quoted text of a reply and the recipients typed in To.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "mail/mail_headers.h"

namespace tw {

// "Subject, From, Date", each decoded.
std::string MessageListLine(const MailHeaders& headers);

// The address in a header value: the run of characters around the first "@", up to a
// blank, a double quote, an apostrophe, "<" on the left or ">" on the right. Empty when
// the value has no "@".
std::string TakeAddress(std::string_view value);

// Every line with ">>" in front, then one empty line.
std::vector<std::string> QuotedForReply(const std::vector<std::string>& lines);

// The recipients typed in To: split at "," and ";" outside double quotes, trimmed,
// empty pieces left out.
std::vector<std::string> SplitRecipients(std::string_view to);

}  // namespace tw
