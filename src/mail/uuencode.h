// Uuencoded attachment lines: a length character, then four characters for every three
// bytes. A value of 0 is written as the grave accent, 1..63 as the characters 33..95;
// a blank also reads as 0.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tw {

inline constexpr std::size_t kUuLineBytes = 45;

// The data lines (without the "begin" line, the closing grave accent line and "end").
std::vector<std::string> UuEncodeLines(std::string_view data);
// Appends the bytes of one data line to out. Raises EMessageParserError "Invalid
// Character" for a character outside the alphabet and "Error decoding the attachment"
// for a line shorter than its length character says.
void UuDecodeLine(std::string_view line, std::string& out);

}  // namespace tw
