// What the POP3 client learns about each message of a mailbox without fetching it:
// its size, its header block and, when asked for, its unique id.
#pragma once

#include <string>
#include <vector>

#include "mail/mail_headers.h"

namespace tw {

struct Pop3MessageInfo {
  long long size = 0;     // octets, from LIST
  MailHeaders headers;    // the header block, from TOP
  std::string unique_id;  // from UIDL; empty unless asked for
};

class Pop3MessageList {
 public:
  std::size_t Count() const { return items_.size(); }
  Pop3MessageInfo& Item(std::size_t index) { return items_.at(index); }
  const Pop3MessageInfo& Item(std::size_t index) const { return items_.at(index); }
  void Add(Pop3MessageInfo item) { items_.push_back(std::move(item)); }
  void Clear() { items_.clear(); }

 private:
  std::vector<Pop3MessageInfo> items_;
};

}  // namespace tw
