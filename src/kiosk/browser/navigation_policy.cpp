#include "kiosk/browser/navigation_policy.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <optional>

#include "common/texts/ascii_case.h"
#include "common/addresses/local_url.h"

namespace tw {
namespace {}  // namespace

// Letters, digits, "+", "-" and "." before the first ":", starting with a letter.
std::string NavigationPolicy::SchemeOf(std::string_view url) {
  const auto colon = url.find(':');
  if (colon == std::string_view::npos || colon == 0) return {};
  const std::string_view scheme = url.substr(0, colon);
  if (!std::isalpha(static_cast<unsigned char>(scheme[0]))) return {};
  for (char c : scheme) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.') return {};
  }
  return AsciiLower(scheme);
}

namespace {

// What the engine loads by itself, without another program. Its own pages (chrome:,
// devtools:, view-source: and the like) are not among them: they are never a visitor's.
bool EngineLoads(const std::string& scheme) {
  static constexpr std::array<std::string_view, 8> kLoadable = {"http", "https", "file",       "about",
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

// "/a/./b/../c" is "/a/c", "//a" is "/a": the file a path names, read as the engine
// reads it (without looking at the disk). Nothing above the root.
std::string LexicalPath(std::string_view path) {
  std::vector<std::string_view> parts;
  std::size_t at = 0;
  while (at <= path.size()) {
    const std::size_t end = std::min(path.find('/', at), path.size());
    const std::string_view part = path.substr(at, end - at);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    at = end + 1;
  }
  std::string out;
  for (std::string_view part : parts) {
    out += '/';
    out += part;
  }
  // A folder keeps its trailing "/", so that it is not taken for a file of that name.
  if (out.empty() || path.ends_with('/') || path.ends_with("/.") || path.ends_with("/..")) out += '/';
  return out;
}

// A folder as written and as the file system resolves it (a link in its path), each
// ending in "/".
std::vector<std::string> FolderForms(const std::string& folder) {
  std::vector<std::string> forms;
  if (folder.empty() || folder[0] != '/') return forms;
  forms.push_back(LexicalPath(folder + "/"));
  std::error_code error;
  const std::filesystem::path resolved = std::filesystem::weakly_canonical(folder, error);
  if (!error) {
    const std::string form = LexicalPath(resolved.string() + "/");
    if (form != forms.front()) forms.push_back(form);
  }
  return forms;
}

// What of the program folder holds the kiosk's secrets or its visitors' traces: its
// settings (with the exit, command and mail passwords), the named configurations, the
// log, the feedback and the external browser's profile.
bool PrivateToTheKiosk(std::string_view relative) {
  const std::string_view first = relative.substr(0, relative.find('/'));
  static constexpr std::array<std::string_view, 4> kFolders = {"Configurations", "log", "feedback", "browser-profile"};
  return first.empty() || first.starts_with("Tarnwick.ini") ||
         std::find(kFolders.begin(), kFolders.end(), first) != kFolders.end();
}

}  // namespace

NavigationPolicy::NavigationPolicy(NavigationRules rules) : mail_to_(rules.mail_to) {
  for (const std::string& s : rules.allowed_schemes) allowed_.push_back(AsciiLower(s));
  program_dirs_ = FolderForms(rules.program_dir);
  for (const std::string& folder : rules.file_folders) {
    for (std::string& form : FolderForms(folder)) folders_.push_back(std::move(form));
  }
}

std::string NavigationPolicy::Normalized(std::string_view url) {
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
  while (!url.empty() && blank(url.front())) url.remove_prefix(1);
  while (!url.empty() && blank(url.back())) url.remove_suffix(1);
  std::string out;
  out.reserve(url.size());
  for (char c : url) {
    if (c != '\t' && c != '\n' && c != '\r') out += c;
  }
  return out;
}

bool NavigationPolicy::OperatorAllows(const std::string& scheme) const {
  return std::find(allowed_.begin(), allowed_.end(), scheme) != allowed_.end();
}

bool NavigationPolicy::FileAllowed(std::string_view url) const {
  // A "\" is a "/" in a file URL, as the engines read it.
  std::string slashed(url);
  std::replace(slashed.begin(), slashed.end(), '\\', '/');
  const std::optional<LocalUrlPath> local = PathFromLocalUrl(slashed);
  if (!local || local->drive_form) return false;
  const std::string path = LexicalPath(local->path);
  for (const std::string& folder : program_dirs_) {
    if (path.starts_with(folder)) return !PrivateToTheKiosk(path.substr(folder.size()));
  }
  return std::any_of(folders_.begin(), folders_.end(),
                     [&path](const std::string& folder) { return path.starts_with(folder); });
}

NavigationVerdict NavigationPolicy::Check(std::string_view raw_url, bool main_frame) const {
  const std::string url = Normalized(raw_url);
  const std::string scheme = SchemeOf(url);
  if (scheme == "http" || scheme == "https" || scheme == "tw-command") return NavigationVerdict::kAllow;
  if (scheme == "file") return FileAllowed(url) ? NavigationVerdict::kAllow : NavigationVerdict::kRefuse;
  // The e-mail window takes "mailto" links; the engine would hand them to a mail program.
  if (scheme == "mailto") return mail_to_ ? NavigationVerdict::kRefuseQuietly : NavigationVerdict::kRefuse;
  if (scheme == "about" && AllowedAboutPage(url, main_frame)) return NavigationVerdict::kAllow;
  if (!main_frame && (scheme == "data" || scheme == "blob")) return NavigationVerdict::kAllow;
  if (scheme != "about" && scheme != "file" && OperatorAllows(scheme) && EngineLoads(scheme)) {
    return NavigationVerdict::kAllow;
  }
  return NavigationVerdict::kRefuse;
}

}  // namespace tw
