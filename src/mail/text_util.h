// Small text helpers of the mail suite (ASCII, case-insensitive where it says so).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tw {

// Without leading and trailing blanks and tabs.
std::string_view TrimBlanks(std::string_view text);
std::string ToLowerAscii(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
bool ContainsNoCase(std::string_view text, std::string_view part);
// Splits at LF, dropping one CR before each LF; a text ending in a line break gives no
// empty last line. Lone CRs stay in their line.
std::vector<std::string> SplitLines(std::string_view text);
// Splits at CR LF, LF or CR and keeps an empty last piece when the text ends with a
// line break: joining the pieces with CR LF gives the text back (line ends made CR LF).
std::vector<std::string> SplitTextPieces(std::string_view text);
// The lines joined with CR LF between them.
std::string JoinLines(const std::vector<std::string>& lines);
// Cuts a text to at most max bytes.
std::string CutTo(std::string_view text, std::size_t max);
// The file name without the directory part ("/" or "\" separated).
std::string BaseFileName(std::string_view path);

}  // namespace tw
