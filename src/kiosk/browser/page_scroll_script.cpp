#include "kiosk/browser/page_scroll_script.h"

#include <string_view>

namespace tw {
namespace {

// Walks into the focused frame (same origin only), picks the scroll target: the focused
// element when it scrolls itself and is no form field, else its nearest scrolling
// ancestor, else the frame's page. Scrolls by a line, then answers.
constexpr std::string_view kScript = R"JS(
(function (dir, line) {
  var doc = document, el = doc.activeElement;
  while (el && (el.tagName === 'IFRAME' || el.tagName === 'FRAME')) {
    var inner = null;
    try { inner = el.contentDocument; } catch (e) { inner = null; }
    if (!inner) break;
    doc = inner;
    el = doc.activeElement;
  }
  var win = doc.defaultView;
  var fields = { INPUT: 1, TEXTAREA: 1, SELECT: 1, BUTTON: 1 };
  function scrolls(e, vertical) {
    var s = win.getComputedStyle(e);
    var o = vertical ? s.overflowY : s.overflowX;
    if (o !== 'auto' && o !== 'scroll') return false;
    return vertical ? e.scrollHeight > e.clientHeight : e.scrollWidth > e.clientWidth;
  }
  var root = doc.scrollingElement || doc.documentElement;
  // A document still being built (or torn down) has nothing to scroll yet.
  if (!win || !root) return { caret: null, v: false, h: false };
  var target = el && !fields[el.tagName] ? el : (el ? el.parentElement : null);
  while (target && target !== root && target !== doc.body && !scrolls(target, true) && !scrolls(target, false)) {
    target = target.parentElement;
  }
  if (!target || target === doc.body) target = root;
  var isRoot = target === root;
  var dx = dir === 2 ? -line : dir === 3 ? line : 0;
  var dy = dir === 0 ? -line : dir === 1 ? line : 0;
  if (dx || dy) {
    if (isRoot) win.scrollBy({ left: dx, top: dy, behavior: 'instant' });
    else target.scrollBy({ left: dx, top: dy, behavior: 'instant' });
  }
  var v, h;
  if (isRoot) {
    var rs = win.getComputedStyle(root), bs = doc.body ? win.getComputedStyle(doc.body) : rs;
    v = root.scrollHeight > win.innerHeight && rs.overflowY !== 'hidden' && bs.overflowY !== 'hidden';
    h = root.scrollWidth > win.innerWidth && rs.overflowX !== 'hidden' && bs.overflowX !== 'hidden';
  } else {
    v = scrolls(target, true);
    h = scrolls(target, false);
  }
  var caret = null;
  var text = { text: 1, search: 1, email: 1, url: 1, tel: 1, password: 1, number: 1, '': 1 };
  var editable = el && ((el.tagName === 'INPUT' && text[(el.getAttribute('type') || '').toLowerCase()]) ||
                        el.tagName === 'TEXTAREA' || el.isContentEditable);
  if (editable) {
    var top = el.getBoundingClientRect().top;
    caret = Math.round(isRoot ? top : top - target.getBoundingClientRect().top);
  }
  return { caret: caret, v: v, h: h };
})(%1, %2)
)JS";

}  // namespace

std::string PageScrollScript(std::optional<ScrollDirection> direction, int line_pixels) {
  std::string script(kScript);
  const std::string arguments =
      std::to_string(direction ? static_cast<int>(*direction) : -1) + ", " + std::to_string(line_pixels);
  script.replace(script.rfind("%1, %2"), 6, arguments);
  return script;
}

}  // namespace tw
