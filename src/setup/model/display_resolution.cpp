#include "setup/model/display_resolution.h"

#include <cstdlib>

namespace tw {
namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// The value when `line` sets `name` ("name:value", blanks allowed around both).
std::optional<std::string_view> SetsName(std::string_view line, std::string_view name) {
  const std::size_t colon = line.find(':');
  if (colon == std::string_view::npos || Trim(line.substr(0, colon)) != name) return std::nullopt;
  return Trim(line.substr(colon + 1));
}

template <typename Visit>
void ForEachLine(std::string_view text, Visit visit) {
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    visit(line, end != std::string_view::npos);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
}

}  // namespace

std::optional<std::string> ResourceValue(std::string_view database, std::string_view name) {
  std::optional<std::string> value;
  ForEachLine(database, [&](std::string_view line, bool) {
    if (const auto v = SetsName(line, name)) value = std::string(*v);
  });
  return value;
}

std::string WithResource(std::string_view database, std::string_view name, std::string_view value) {
  const std::string setting = std::string(name) + ":\t" + std::string(value);
  std::string out;
  bool written = false;
  ForEachLine(database, [&](std::string_view line, bool ended) {
    if (SetsName(line, name)) {
      if (written) return;
      out += setting;
      written = true;
    } else {
      out += line;
    }
    if (ended) out += '\n';
  });
  if (!written) {
    if (!out.empty() && out.back() != '\n') out += '\n';
    out += setting + "\n";
  }
  return out;
}

bool ScalesTheKiosk(std::string_view database) {
  const auto value = ResourceValue(database, kFontResolutionResource);
  if (!value) return false;
  char* end = nullptr;
  const double dpi = std::strtod(value->c_str(), &end);
  return end == value->c_str() || *end != '\0' || dpi != 96.0;
}

}  // namespace tw
