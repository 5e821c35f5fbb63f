#include "page_capture_script.h"

namespace tw {
namespace {

// Schemes the browser loads itself; every other one is stopped and reported. javascript:
// runs in the page and leaves it, so it is not a navigation to stop.
constexpr std::string_view kScript = R"JS((function () {
  'use strict';
  const report = (payload) => { const send = globalThis['@BINDING@']; if (typeof send === 'function') send(payload); };
  const loadable = new Set(['http:', 'https:', 'file:', 'about:', 'data:', 'blob:', 'javascript:']);
  const main = window === window.top;
  const absolute = (url) => { try { return new URL(String(url), document.baseURI).href; } catch (e) { return null; } };
  const foreign = (href) => { try { return !loadable.has(new URL(href).protocol); } catch (e) { return false; } };
  const tell = (href, newWindow) => { try { report(JSON.stringify({url: href, main: main, newWindow: newWindow})); } catch (e) {} };
  const opensWindow = (target) => { const t = String(target || '').toLowerCase(); return t !== '' && t !== '_self' && t !== '_parent' && t !== '_top'; };

  // Links: a new window of any address goes to the kiosk; a foreign address in this window too.
  addEventListener('click', (event) => {
    const link = event.target && event.target.closest && event.target.closest('a[href], area[href]');
    if (!link || event.defaultPrevented) return;
    const href = absolute(link.href);
    if (href === null) return;
    const newWindow = opensWindow(link.target) || event.ctrlKey || event.shiftKey || event.metaKey;
    if (newWindow || foreign(href)) {
      event.preventDefault();
      event.stopImmediatePropagation();
      tell(href, newWindow);
    }
  }, true);
  addEventListener('auxclick', (event) => {
    const link = event.target && event.target.closest && event.target.closest('a[href], area[href]');
    if (!link) return;
    event.preventDefault();
    event.stopImmediatePropagation();
    const href = absolute(link.href);
    if (href !== null) tell(href, true);
  }, true);
  // Forms posted into another window (the same window is seen by the navigate event).
  addEventListener('submit', (event) => {
    const form = event.target;
    if (!form || !opensWindow((event.submitter && event.submitter.formTarget) || form.target)) return;
    event.preventDefault();
    event.stopImmediatePropagation();
    const href = absolute((event.submitter && event.submitter.formAction) || form.action);
    if (href !== null) tell(href, true);
  }, true);
  // Scripts, forms, refresh tags: every navigation of this document passes here first.
  if (globalThis.navigation) {
    navigation.addEventListener('navigate', (event) => {
      const href = event.destination && event.destination.url;
      if (href && foreign(href) && event.cancelable) {
        event.preventDefault();
        tell(href, false);
      }
    });
  }
  const open = window.open;
  window.open = function (url) {
    const href = url === undefined || url === '' ? 'about:blank' : absolute(url);
    if (href !== null) tell(href, true);
    return null;
  };
})();)JS";

}  // namespace

std::string PageCaptureScript() {
  std::string script(kScript);
  for (auto at = script.find("@BINDING@"); at != std::string::npos; at = script.find("@BINDING@")) {
    script.replace(at, 9, kPageCaptureBinding);
  }
  return script;
}

}  // namespace tw
