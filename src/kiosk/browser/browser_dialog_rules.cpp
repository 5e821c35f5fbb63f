#include "kiosk/browser/browser_dialog_rules.h"

#include <array>

namespace tw {
namespace {

struct TitleRule {
  std::string_view title;
  DialogButton button;
  std::string_view log_line;
};

constexpr std::array<TitleRule, 9> kEmbeddedRules = {{
    {"Internet Explorer Script Error", DialogButton::kCancel, "'Internet Explorer Script Error' Dialog Box Canceled"},
    {"Print", DialogButton::kOk, "'Print' Dialog Box OKed"},
    {"File Download", DialogButton::kCancel, "'File Download' Dialog Box Canceled"},
    {"Internet Explorer", DialogButton::kCancel, "'Internet Explorer' Dialog Box Canceled"},
    {"Authenticode(tm) Security Technology", DialogButton::kCancel,
     "'Authenticode(tm) Security Technology' Dialog Box Canceled"},
    {"Save As", DialogButton::kCancel, "'Save As' Dialog Box Canceled"},
    {"Enter Network Password", DialogButton::kCancel, "'Enter Network Password' Dialog Box Canceled"},
    {"Security Information", DialogButton::kOk, "'Security Information' Dialog Box OKed"},
    {"Security Update", DialogButton::kNo, "'Security Update' Dialog Box OKed"},
}};

constexpr std::string_view kMessageBoxTitle = "Microsoft Internet Explorer";

}  // namespace

bool MatchesChildString(std::string_view dialog_text, const std::vector<std::string>& child_strings,
                        std::vector<std::string>& log_lines) {
  if (dialog_text.starts_with("This Location (URL) is not recognized:")) {
    log_lines.push_back("Protocol Blocking could have failed");
  }
  for (const std::string& c : child_strings) {
    if (dialog_text.starts_with(c)) return true;
  }
  return false;
}

DialogDecision EmbeddedDialogRule(std::string_view title, std::string_view dialog_text,
                                  const std::vector<std::string>& child_strings) {
  DialogDecision d;
  if (title == kMessageBoxTitle) {
    if (MatchesChildString(dialog_text, child_strings, d.log_lines)) return d;
    d.button = DialogButton::kCancel;
    d.log_lines.push_back("'Microsoft Internet Explorer' Dialog Box Canceled");
    d.log_lines.push_back("Dialog Message - " + std::string(dialog_text));
    return d;
  }
  for (const TitleRule& rule : kEmbeddedRules) {
    if (title == rule.title) {
      d.button = rule.button;
      d.log_lines.emplace_back(rule.log_line);
      return d;
    }
  }
  return d;
}

std::string_view DialogTitleFor(BrowserDialogKind kind) {
  switch (kind) {
    case BrowserDialogKind::kScriptAlert:
    case BrowserDialogKind::kScriptConfirm:
    case BrowserDialogKind::kScriptPrompt: return kMessageBoxTitle;
    case BrowserDialogKind::kAuthentication: return "Enter Network Password";
    case BrowserDialogKind::kDownload: return "File Download";
    case BrowserDialogKind::kFileChooser: return "Save As";
    case BrowserDialogKind::kPrintRequest: return "Print";
    case BrowserDialogKind::kCertificateError:
    case BrowserDialogKind::kPermissionRequest:
    case BrowserDialogKind::kFullScreenRequest:
    case BrowserDialogKind::kLeavePage: return {};
  }
  return {};
}

}  // namespace tw
