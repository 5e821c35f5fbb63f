// Content types of attachment files by their extension.
#pragma once

#include <string>
#include <string_view>

namespace tw {

// The content type for a file name by its extension (case-insensitive), or
// "application/octet-stream" when the extension is not in the table.
std::string ContentTypeForFileName(std::string_view file_name);

}  // namespace tw
