#include "kiosk/email/rules/email_errors.h"

namespace tw {
namespace {

bool Begins(const std::string& text, const std::string& prefix) { return text.starts_with(prefix); }

}  // namespace

EmailErrorReport EmailErrorFor(EmailAction action, const EMailError& error, const std::string& user,
                               const EmailErrorStrings& strings) {
  const std::string msg = error.what();
  if (dynamic_cast<const ECanceledError*>(&error)) return {strings[7]};
  if (dynamic_cast<const ETimedOutError*>(&error)) return {"TimeOut Error - " + msg};
  if (dynamic_cast<const ESocketError*>(&error)) {
    if (action == EmailAction::kGetMail && Begins(msg, "[11001] Host not found")) {
      return {strings[0], EmailField::kServer};
    }
    return {"Socket Error - " + msg};
  }
  if (dynamic_cast<const EServerError*>(&error)) {
    if (action == EmailAction::kGetMail) {
      const auto* refused = dynamic_cast<const ELoginRefusedError*>(&error);
      if (Begins(msg, "-ERR Password") || (refused && refused->step() == ELoginRefusedError::Step::kPassword)) {
        return {strings[2], EmailField::kPassword};
      }
      if (Begins(msg, "-ERR " + user + " unknown, or access denied") ||
          (refused && refused->step() == ELoginRefusedError::Step::kUser)) {
        return {strings[1], EmailField::kUser};
      }
    }
    if (action == EmailAction::kSend) {
      if (Begins(msg, "553 Null recipient not accepted")) return {strings[4], EmailField::kTo};
      if (Begins(msg, "553 Invalid address syntax") || Begins(msg, "553 Bad address syntax")) return {strings[5]};
    }
    return {"Server Error - " + msg};
  }
  if (action == EmailAction::kSend && Begins(msg, "The address of sender is required")) {
    return {strings[3], EmailField::kFrom};
  }
  return {"Message Error - " + msg};
}

}  // namespace tw
