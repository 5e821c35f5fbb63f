// Address texts and address-list headers.
#include <cstddef>
#include <cstdint>
#include <string>

#include "mail/mail_headers.h"
#include "mail/mail_address.h"
#include "mail/mail_errors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    const tw::MailAddress address = tw::ParseMailAddress(text);
    if (address.Address().size() > 255 || address.Name().size() > 255) __builtin_trap();
  } catch (const tw::EMessageParserError&) {
  }
  tw::MailHeaders headers;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = text.find('\n', start);
    headers.Add(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  tw::AddressList list;
  try {
    tw::ParseAddressListHeader(headers, "To", list);
  } catch (const tw::EMessageParserError&) {
  }
  return 0;
}
