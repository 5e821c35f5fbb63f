// Encoded words in header values ("=?charset?B?...?=" and "=?charset?Q?...?=").
#pragma once

#include <string>
#include <string_view>

namespace tw {

// Decodes every encoded word of a header value. The character set name is ignored
// (the bytes are kept as they are). Blanks between two encoded words are dropped, so
// adjacent words run together; a "=?" without a proper end cuts the value there.
// Inside a Q word "_" is a blank; elsewhere (addresses, file names) it stays. Raises EMessageParserError
// "Invalid Character" for a bad base64 word.
std::string DecodeEncodedWords(std::string_view value);

// One base64 encoded word: "=?" + charset + "?B?" + base64(text) + "?=".
std::string EncodeWordBase64(std::string_view charset, std::string_view text);

}  // namespace tw
