// Where a page, and the kiosk itself, may navigate: one rule for every navigation of
// either browser, the kiosk's own (a queued page, a command, the idle return, another
// program's SendURL, a new window transferred) as well as a page's links and frames.
//
// The kiosk hands no URL to another program: a scheme the engine cannot load itself is
// never let through, whatever the block list says, and everything not on the allow-list
// is refused. The browsers' own pages (settings, developer tools, the page source) are
// never shown, and local files only from the folders the kiosk's pages are in.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tw {

enum class NavigationVerdict {
  kAllow,
  kRefuse,         // refused; written to the log as a blocked protocol
  kRefuseQuietly,  // refused without a line (handled elsewhere: the e-mail window)
};

struct NavigationRules {
  // The operator's additions to the built-in allow-list (http, https, file, about:blank,
  // tw-command, mailto): ALLOWEDPROTOCOLS.
  std::vector<std::string> allowed_schemes;
  // "mailto" links open the e-mail window.
  bool mail_to = false;
  // The program folder: its pages, help and offline page may be shown, never its
  // configuration, log, feedback or browser profile.
  std::string program_dir;
  // Further folders whose files may be shown (ALLOWEDFOLDERS), whole.
  std::vector<std::string> file_folders;
};

class NavigationPolicy {
 public:
  explicit NavigationPolicy(NavigationRules rules);

  // For a navigation of the page (main_frame) or of one of its frames. Frames may also
  // hold data:, blob: and about:srcdoc documents, which never leave the page.
  NavigationVerdict Check(std::string_view url, bool main_frame) const;

  // A URL as the engines read it: spaces and control characters cut off at both ends,
  // tabs and line breaks taken out wherever they are ("java\nscript:" is "javascript:").
  static std::string Normalized(std::string_view url);
  // The scheme of a normalized URL in lower case ("" when it has none).
  static std::string SchemeOf(std::string_view url);

 private:
  bool OperatorAllows(const std::string& scheme) const;
  bool FileAllowed(std::string_view url) const;

  std::vector<std::string> allowed_;
  bool mail_to_;
  std::vector<std::string> program_dirs_;  // as written and as resolved, each ending in "/"
  std::vector<std::string> folders_;       // likewise
};

}  // namespace tw
