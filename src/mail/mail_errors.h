// The exceptions of the mail suite. Each carries a message text only; callers tell
// them apart by class (and, for server errors, by the beginning of the reply line).
#pragma once

#include <stdexcept>
#include <string>

namespace tw {

// Base of every mail exception, so a caller can catch the whole family at once.
class EMailError : public std::runtime_error {
 public:
  explicit EMailError(const std::string& message) : std::runtime_error(message) {}
};

// A network error or a check of the socket layer; the text comes from the string table.
class ESocketError : public EMailError {
 public:
  using EMailError::EMailError;
};

// The connection could not be protected as the settings ask, or its TLS failed: "TLS
// Error - " + what failed. Never followed by a retry in plain text.
class ETlsError : public ESocketError {
 public:
  using ESocketError::ESocketError;
};

// The server answered with something other than the expected reply; the text is the reply line.
class EServerError : public EMailError {
 public:
  using EMailError::EMailError;
};

// The POP3 server refused the log-in; says which step it refused: the user name (USER)
// or the password (PASS, or the whole AUTH exchange, which carries both).
class ELoginRefusedError : public EServerError {
 public:
  enum class Step { kUser, kPassword };
  ELoginRefusedError(const std::string& message, Step step) : EServerError(message), step_(step) {}
  Step step() const { return step_; }

 private:
  Step step_;
};

// A wait ran longer than the time-out: "Operation timed out".
class ETimedOutError : public EMailError {
 public:
  using EMailError::EMailError;
};

// The operation was cancelled: "Operation has been canceled".
class ECanceledError : public EMailError {
 public:
  using EMailError::EMailError;
};

// A message that cannot be sent as it is (validation, line breaks in header texts).
class EMessageError : public EMailError {
 public:
  using EMailError::EMailError;
};

// A received message that cannot be decoded.
class EMessageParserError : public EMailError {
 public:
  using EMailError::EMailError;
};

}  // namespace tw
