// The POP3 client's protocol part: log-in and STAT, the per-message commands (LIST, TOP,
// UIDL, RETR, DELE) and QUIT. Message indexes are 0-based; on the wire a message is
// numbered index + 1.
//
// The log-in follows the security mode: TLS from the first byte, or STLS when the mode
// asks for it (the capabilities are asked again over TLS). It uses AUTH PLAIN when the
// server offers it, USER and PASS otherwise, and sends neither over a connection
// without TLS unless plain-text authentication is allowed.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "mail/mail_connection.h"
#include "mail/pop3_message_list.h"
#include "mail/server_capabilities.h"

namespace tw {

class Pop3Client : public MailConnection {
 public:
  using MessageNumberHandler = std::function<void(int num)>;

  Pop3Client();
  ~Pop3Client() override;

  // From STAT; -1 until the first STAT.
  int MessageCount() const { return message_count_; }
  long long MailboxSize() const { return mailbox_size_; }

  MessageNumberHandler OnRetrieving;
  MessageNumberHandler OnRetrieved;
  MessageNumberHandler OnDeleting;

  // Within a connection: fetches message index and hands its text to SaveMessage.
  void RetrieveMessage(int index);
  // Within a connection: marks message index for deletion; the server deletes it when
  // the connection ends with QUIT. The reply is kept in LastReply, not checked.
  void DeleteMessage(int index);
  // Fills item for message index. Returns false when UIDL was asked for and the server
  // does not support it (the unique id then stays empty).
  bool FetchInfo(int index, Pop3MessageInfo& item, bool want_headers, bool want_uidl);

 protected:
  // 1 for a line beginning with "+", -1 for "-", 0 otherwise.
  int ReplyCode(std::string_view line) const override;
  void Open() override;
  void Login() override;
  void Logout() override;
  // Receives the text of a retrieved message (un-stuffed, terminating "." line included).
  virtual void SaveMessage(int index, const std::string& contents) = 0;
  // Raises the socket error for a missing user name or password in the settings.
  virtual void CheckRequiredProperties();

 private:
  // Sends command and raises EServerError with the reply unless it is positive.
  void Command(const std::string& command);
  // Reads one reply line into LastReply; returns its ReplyCode.
  int ReadPopReply();
  // CAPA: what the server offers, or nothing when it does not know the command.
  std::optional<ServerCapabilities> Capabilities();
  // STLS when the security mode asks for it; returns what the server offers then.
  std::optional<ServerCapabilities> NegotiateTls();
  void Authenticate(const std::optional<ServerCapabilities>& offers);

  int message_count_ = -1;
  long long mailbox_size_ = -1;
};

// Un-stuffs a received message: every line beginning with ".." loses its first ".".
std::string UnstuffMessage(std::string_view text);

struct StatCounts {
  int count = 0;
  long long size = 0;
};
// The counts of a positive STAT reply ("+OK count size"). Empty when no blank follows the
// status word's blank (the counts stay as they were); raises EServerError with the reply
// when the numbers do not convert.
std::optional<StatCounts> ParseStatReply(std::string_view reply);
// The size in a positive LIST reply ("+OK n size"); 0 when it does not convert.
long long ParseListSize(std::string_view reply);

}  // namespace tw
