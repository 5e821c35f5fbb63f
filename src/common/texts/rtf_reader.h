// A small reader for the operator's rich-text help files: groups and control words,
// paragraphs, line breaks, tabs, "\'hh" characters (Windows-1252), "\uN" characters with
// their fallback skipped, bold and italic. Font and colour tables, style sheets, pictures,
// document information and every "{\*...}" destination are left out. Any input gives a
// result; nothing in it is ever run or loaded.
#pragma once

#include <string>
#include <string_view>

namespace tw {

// The text as UTF-8, paragraphs ending in "\n".
std::string RtfToText(std::string_view rtf);

// The text as simple HTML: characters escaped, "<br>" for line ends, "<b>" and "<i>".
std::string RtfToHtml(std::string_view rtf);

// True when text starts as a rich-text file does ("{\rtf").
bool LooksLikeRtf(std::string_view text);

}  // namespace tw
