#include "kiosk/browser/page_contrast_script.h"

namespace tw {
namespace {

constexpr char kStyleId[] = "tarnwick-high-contrast";

// Above every colour of the page's own: text white, links yellow and underlined, the
// focus in cyan; pictures stay, background pictures go.
constexpr char kStyleSheet[] =
    "*, *::before, *::after { background-color: #000 !important; color: #fff !important;"
    " border-color: #fff !important; background-image: none !important; text-shadow: none !important;"
    " box-shadow: none !important; }"
    " a, a * { color: #ff0 !important; text-decoration: underline !important; }"
    " input, textarea, select, button { border: 2px solid #fff !important; }"
    " ::placeholder { color: #ccc !important; }"
    " :focus { outline: 3px solid #0ff !important; }";

}  // namespace

std::string HighContrastOnScript() {
  return std::string(
             "(() => { const add = () => { const root = document.documentElement; if (!root) return false;"
             " if (!document.getElementById('") +
         kStyleId + "')) { const sheet = document.createElement('style'); sheet.id = '" + kStyleId +
         "'; sheet.textContent = '" + kStyleSheet +
         "'; root.appendChild(sheet); } return true; };"
         " if (!add()) new MutationObserver((_, watch) => { if (add()) watch.disconnect(); })"
         ".observe(document, {childList: true}); })();";
}

std::string HighContrastOffScript() {
  return std::string("(() => { const sheet = document.getElementById('") + kStyleId +
         "'); if (sheet) sheet.remove(); })();";
}

}  // namespace tw
