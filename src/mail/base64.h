// Base64 with the standard alphabet and "=" as fill character.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tw {

// Source bytes per encoded line of a mail attachment (76 characters).
inline constexpr std::size_t kBase64LineBytes = 57;

std::string Base64Encode(std::string_view data);
// The encoding cut into lines of kBase64LineBytes source bytes (no line ends).
std::vector<std::string> Base64EncodeLines(std::string_view data);
// Decodes text; line breaks are skipped, "=" ends a group, any other character outside
// the alphabet raises EMessageParserError "Invalid Character".
std::string Base64Decode(std::string_view text);
// Decodes the lines of an attachment one after the other.
std::string Base64DecodeLines(const std::vector<std::string>& lines);

}  // namespace tw
