#include "kiosk/browser/scheme_policy.h"

#include "common/ascii_case.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace tw {
namespace {

// The scheme of a URL as the engine reads it: letters, digits, "+", "-" and "." before the
// first ":", starting with a letter; empty when there is none.
std::string SchemeOf(std::string_view url) {
  const auto colon = url.find(':');
  if (colon == std::string_view::npos || colon == 0) return {};
  const std::string_view scheme = url.substr(0, colon);
  if (!std::isalpha(static_cast<unsigned char>(scheme[0]))) return {};
  for (char c : scheme) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.') return {};
  }
  return AsciiLower(scheme);
}

// What the engine loads by itself, without another program.
bool EngineLoads(const std::string& scheme) {
  static constexpr std::array<std::string_view, 8> kLoadable = {"http", "https", "file",     "about",
                                                                "data", "blob",  "filesystem", "tw-command"};
  return std::find(kLoadable.begin(), kLoadable.end(), scheme) != kLoadable.end();
}

// The only pages of the "about" scheme a page may show: an empty one (and, in a frame, a
// document the page wrote itself).
bool AllowedAboutPage(std::string_view url, bool main_frame) {
  std::string page = AsciiLower(url.substr(url.find(':') + 1));
  page = page.substr(0, page.find_first_of("?#"));
  return page == "blank" || (!main_frame && page == "srcdoc");
}

}  // namespace

SchemePolicy::SchemePolicy(std::vector<std::string> allowed, bool mail_to) : mail_to_(mail_to) {
  for (const std::string& s : allowed) allowed_.push_back(AsciiLower(s));
}

bool SchemePolicy::OperatorAllows(const std::string& scheme) const {
  return std::find(allowed_.begin(), allowed_.end(), scheme) != allowed_.end();
}

SchemeVerdict SchemePolicy::Check(std::string_view url, bool main_frame) const {
  const std::string scheme = SchemeOf(url);
  if (scheme == "http" || scheme == "https" || scheme == "file" || scheme == "tw-command") {
    return SchemeVerdict::kAllow;
  }
  // The e-mail window takes "mailto" links; the engine would hand them to a mail program.
  if (scheme == "mailto") return mail_to_ ? SchemeVerdict::kRefuseQuietly : SchemeVerdict::kRefuse;
  if (scheme == "about" && AllowedAboutPage(url, main_frame)) return SchemeVerdict::kAllow;
  if (!main_frame && (scheme == "data" || scheme == "blob")) return SchemeVerdict::kAllow;
  if (scheme != "about" && OperatorAllows(scheme) && EngineLoads(scheme)) return SchemeVerdict::kAllow;
  return SchemeVerdict::kRefuse;
}

}  // namespace tw
