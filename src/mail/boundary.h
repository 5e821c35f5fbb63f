// Multipart boundaries: eight decimal digits from the system's random source.
#pragma once

#include <string>

namespace tw {

std::string RandomBoundary();

// The text before a multipart message's first part. Our earlier writer used the second one
// and ended every part with one empty line too many; a reader that sees it removes that line.
inline constexpr const char* kMultipartPreamble = "This is a multipart message in MIME format.";
inline constexpr const char* kOldMultipartPreamble = "This is a multipart message in MIME format";

}  // namespace tw
