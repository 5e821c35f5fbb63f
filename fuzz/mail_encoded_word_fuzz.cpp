// Encoded words and the decoders under them.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "mail/base64.h"
#include "mail/encoded_words.h"
#include "mail/mail_errors.h"
#include "mail/quoted_printable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    const std::string decoded = tw::DecodeEncodedWords(text);
    // Text without an encoded word comes back as it is, underscores and all.
    if (text.find("=?") == std::string::npos && decoded != text) __builtin_trap();
  } catch (const tw::EMessageParserError&) {
  }
  try {
    // Whatever decodes must encode and decode back to the same bytes.
    const std::string bytes = tw::Base64Decode(text);
    if (tw::Base64Decode(tw::Base64Encode(bytes)) != bytes) __builtin_trap();
  } catch (const tw::EMessageParserError&) {
  }
  try {
    tw::QuotedPrintable::Decode(std::vector<std::string>{text});
  } catch (const tw::EMessageParserError&) {
  }
  return 0;
}
