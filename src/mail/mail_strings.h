// The numbered texts of the mail suite: the socket layer's own messages (57000 and up)
// and the socket error texts, numbered by the classic Winsock error codes so that every
// report reads the same on any system ("[10061] Connection refused"). System error
// numbers and resolver results are translated to those codes here.
#pragma once

#include <optional>
#include <string>

namespace tw {

// Ids of the socket layer's own texts.
inline constexpr int kMsgTimedOut = 57000;             // "Operation timed out"
inline constexpr int kMsgCanceled = 57001;             // "Operation has been canceled"
inline constexpr int kMsgServerRequired = 57002;       // "Server property is required"
inline constexpr int kMsgInvalidVersion = 57003;       // "Invalid Winsock version"
inline constexpr int kMsgResolveError = 57004;         // "Error resolving remote host"
inline constexpr int kMsgServiceRequired = 57005;      // "Service name is required"
inline constexpr int kMsgNotConnected = 57008;         // "You have to connect to the server first"
inline constexpr int kMsgReplyTooLong = 57013;         // a reply line longer than the line buffer
inline constexpr int kMsgLineBreakInCommand = 57014;   // a command text holding CR or LF
inline constexpr int kMsgReplyTooManyLines = 57015;    // a reply of more lines than the layer takes
inline constexpr int kMsgMailMessageRequired = 57102;  // "MailMessage property must be assigned"
inline constexpr int kMsgUserNameRequired = 57103;     // "UserName property is required"
inline constexpr int kMsgPasswordRequired = 57104;     // "Password property is required"
inline constexpr int kMsgNoAuthMechanism = 57105;      // the server offers neither AUTH PLAIN nor LOGIN

// Socket error codes used by name in the code.
inline constexpr int kWsaWouldBlock = 10035;
inline constexpr int kWsaConnReset = 10054;
inline constexpr int kWsaConnRefused = 10061;
inline constexpr int kWsaHostNotFound = 11001;

// The table's text for an id, if it has one.
std::optional<std::string> MailStringText(int id);

// The text reported for a socket error code: the table's text, or "Error #" + the code.
std::string SocketErrorText(int code);

// The socket error code for a system error number (errno). An errno without a
// counterpart is returned unchanged (its report is then "Error #" + errno).
int SocketErrorFromErrno(int error_number);

// The socket error code for a getaddrinfo() result (EAI_*); EAI_SYSTEM uses errno_value.
int SocketErrorFromResolver(int gai_result, int errno_value);

}  // namespace tw
