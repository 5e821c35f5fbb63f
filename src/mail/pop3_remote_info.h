// What the POP3 client learns about each message of a mailbox without fetching it:
// its size, its header block and, when asked for, its unique id.
#pragma once

#include <string>
#include <vector>

#include "mail/headers.h"

namespace tw {

struct TmsRemoteInfoItem {
  long long size = 0;  // octets, from LIST
  TmsHeaders headers;  // the header block, from TOP
  std::string unique_id;  // from UIDL; empty unless asked for
};

class TmsRemoteInfo {
 public:
  std::size_t Count() const { return items_.size(); }
  TmsRemoteInfoItem& Item(std::size_t index) { return items_.at(index); }
  const TmsRemoteInfoItem& Item(std::size_t index) const { return items_.at(index); }
  void Add(TmsRemoteInfoItem item) { items_.push_back(std::move(item)); }
  void Clear() { items_.clear(); }

 private:
  std::vector<TmsRemoteInfoItem> items_;
};

}  // namespace tw
