// Received messages: decoding must never crash, whatever the text; a decoded message
// must also write out again.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "mail/mail_errors.h"
#include "mail/mail_message.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  tw::MailMessage message;
  std::istringstream in(text);
  try {
    message.LoadFromStream(in);
  } catch (const tw::EMessageParserError&) {
    return 0;  // a bad address in the headers reaches the caller
  }
  std::ostringstream out;
  try {
    message.SaveToStream(out);
  } catch (const tw::EMessageError&) {
    // over-long paragraphs in a text attachment
  }
  return 0;
}
