#include "common/addresses/local_url.h"

#include <filesystem>
#include <utility>

#include "common/addresses/percent_decode.h"
#include "common/config/profile_file.h"

namespace tw {
namespace {

// The bytes that stand for themselves in a URL path (RFC 3986 pchar and "/").
bool KeptInPath(unsigned char c) {
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
  switch (c) {
    case '-':
    case '.':
    case '_':
    case '~':  // unreserved
    case '!':
    case '$':
    case '&':
    case '\'':
    case '(':
    case ')':  // sub-delims
    case '*':
    case '+':
    case ',':
    case ';':
    case '=':
    case ':':
    case '@':
    case '/': return true;
    default: return false;
  }
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

}  // namespace

std::string LocalUrlFromWindowsPath(std::string_view windows_path) {
  std::string url = "file:///";
  for (char c : windows_path) {
    url += c == ':' ? '|' : c == '\\' ? '/' : c;
  }
  return url;
}

std::string LocalUrlFromPath(std::string_view path) {
  if (path.empty()) return {};
  std::string absolute(path);
  if (absolute.front() != '/') {
    std::error_code ec;
    const auto full = std::filesystem::absolute(std::filesystem::path(absolute), ec);
    if (!ec) absolute = full.string();
  }
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string url = "file://";
  for (char c : absolute) {
    const auto byte = static_cast<unsigned char>(c);
    if (KeptInPath(byte)) {
      url += c;
    } else {
      url += '%';
      url += kHex[byte >> 4];
      url += kHex[byte & 0x0F];
    }
  }
  return url;
}

std::optional<LocalUrlPath> PathFromLocalUrl(std::string_view url) {
  constexpr std::string_view kScheme = "file:";
  if (url.size() < kScheme.size() || !SameName(url.substr(0, kScheme.size()), kScheme)) {
    return std::nullopt;
  }
  std::string_view rest = url.substr(kScheme.size());
  if (rest.starts_with("//")) {
    rest.remove_prefix(2);
    const std::size_t slash = rest.find('/');
    if (slash == std::string_view::npos) return std::nullopt;
    const std::string_view host = rest.substr(0, slash);
    if (!host.empty() && !SameName(host, "localhost")) return std::nullopt;
    rest.remove_prefix(slash);
  }
  if (!rest.starts_with('/')) return std::nullopt;
  rest = rest.substr(0, rest.find_first_of("?#"));

  // "/C|/..." or "/C:/..." (also "/C|" alone) is the drive form.
  const bool drive_form = rest.size() >= 3 && IsLetter(rest[1]) && (rest[2] == '|' || rest[2] == ':') &&
                          (rest.size() == 3 || rest[3] == '/');
  std::string path;
  if (drive_form) {
    path = PercentDecode(rest.substr(1));
    path[1] = ':';
    for (char& c : path) {
      if (c == '/') c = '\\';
    }
    if (path.size() == 2) path += '\\';
  } else {
    path = PercentDecode(rest);
  }
  if (path.find('\0') != std::string::npos) return std::nullopt;
  return LocalUrlPath{std::move(path), drive_form};
}

}  // namespace tw
