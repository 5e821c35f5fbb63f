// Mail addresses, address lists and their parsing from header texts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tw {

class MailHeaders;

// The longest name, address, subject or file name kept; longer texts are cut.
inline constexpr std::size_t kShortTextMax = 255;

class MailAddress {
 public:
  MailAddress() = default;
  MailAddress(std::string_view address, std::string_view name) { SetAddress(address), SetName(name); }

  const std::string& Name() const { return name_; }
  void SetName(std::string_view name);
  const std::string& Address() const { return address_; }
  void SetAddress(std::string_view address);
  void Clear() { name_.clear(), address_.clear(); }

  bool operator==(const MailAddress&) const = default;

 private:
  std::string name_;
  std::string address_;
};

class AddressList {
 public:
  std::size_t Count() const { return items_.size(); }
  MailAddress& Item(std::size_t index) { return items_.at(index); }
  const MailAddress& Item(std::size_t index) const { return items_.at(index); }
  // Appends a new entry: the address first, then the display name.
  MailAddress& Add(std::string_view address, std::string_view name = {});
  void Clear() { items_.clear(); }
  bool Empty() const { return items_.empty(); }

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }
  bool operator==(const AddressList&) const = default;

 private:
  std::vector<MailAddress> items_;
};

// One address text: "Name <address>", "address (Name)" or a bare address. Names and
// addresses are trimmed and lose their surrounding double quotes. A "<" without a ">"
// after it raises EMessageParserError "Unable to parse email address".
MailAddress ParseMailAddress(std::string_view text);

// Appends every address of the header lines called name (To, CC, BCC) to list: the value
// is split at commas outside double quotes, following lines without a ":" continue the
// list, each piece is trimmed and its encoded words decoded. Empty pieces are skipped.
void ParseAddressListHeader(const MailHeaders& headers, std::string_view name, AddressList& list);

}  // namespace tw
