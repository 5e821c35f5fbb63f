// What the e-mail window tells the visitor when a mail operation fails: the text for the
// error dialog, the field that gets the focus, and whether the POP3 connection is ended.
#pragma once

#include <array>
#include <string>

#include "common/texts/language_messages.h"
#include "mail/mail_errors.h"

namespace tw {

enum class EmailAction { kGetMail, kSend, kView, kDelete };
enum class EmailField { kNone, kServer, kUser, kPassword, kFrom, kTo, kSubject, kMemo };

struct EmailErrorReport {
  std::string text;
  EmailField focus = EmailField::kNone;

  bool operator==(const EmailErrorReport&) const = default;
};

using EmailErrorStrings = std::array<std::string, kErrorStringCount>;

// user is the text of the User field when the operation began.
EmailErrorReport EmailErrorFor(EmailAction action, const EMailError& error, const std::string& user,
                               const EmailErrorStrings& strings);

}  // namespace tw
