// Which URL schemes a page may navigate to. The kiosk hands no URL to another program:
// a scheme the engine cannot load itself is never let through, whatever the block list
// says, and everything not on the allow-list is refused.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tw {

enum class SchemeVerdict {
  kAllow,
  kRefuse,         // refused; written to the log as a blocked protocol
  kRefuseQuietly,  // refused without a line (handled elsewhere: the e-mail window)
};

class SchemePolicy {
 public:
  // `allowed`: the operator's additions to the built-in allow-list (http, https, file,
  // about:blank, tw-command, mailto). `mail_to`: "mailto" links open the e-mail window.
  SchemePolicy(std::vector<std::string> allowed, bool mail_to);

  // For a navigation of the page (main_frame) or of one of its frames. Frames may also
  // hold data:, blob: and about:srcdoc documents, which never leave the page.
  SchemeVerdict Check(std::string_view url, bool main_frame) const;

 private:
  bool OperatorAllows(const std::string& scheme) const;

  std::vector<std::string> allowed_;
  bool mail_to_;
};

}  // namespace tw
