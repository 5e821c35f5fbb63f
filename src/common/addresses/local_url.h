// URLs of local pages and pictures.
//
// Configuration files made on the older system hold local pages as "file:///" followed by
// the Windows path with every ":" written as "|" and every "\" as "/"
// (C:\Kiosk\Start.htm is file:///C|/Kiosk/Start.htm). Here local pages are written as
// "file://" followed by the absolute path; reading accepts both forms.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tw {

// "file:///" + the path with ":" as "|" and "\" as "/", nothing else changed.
std::string LocalUrlFromWindowsPath(std::string_view windows_path);

// "file://" + the absolute path (a relative path is taken from the current directory).
// Bytes that would end or change the meaning of a URL path ("#", "?", "%", spaces,
// control and non-ASCII bytes, ...) are percent-encoded so that the URL names exactly
// this file. The empty path gives the empty string.
std::string LocalUrlFromPath(std::string_view path);

struct LocalUrlPath {
  std::string path;
  bool drive_form;  // true for "file:///C|/..." and "file:///C:/...": path is "C:\..."
};

// The path a "file:" URL names: "file:///C|/x/y.htm" gives "C:\x\y.htm" (drive form),
// "file:///x/y.htm" and "file://localhost/x/y.htm" give "/x/y.htm". Percent escapes are
// decoded and a query or fragment is dropped. Nothing for other schemes, other hosts or
// a path that would hold a NUL byte.
std::optional<LocalUrlPath> PathFromLocalUrl(std::string_view url);

}  // namespace tw
