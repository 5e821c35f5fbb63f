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
  const localPage = location.protocol === 'file:';
  const absolute = (url) => { try { return new URL(String(url), document.baseURI).href; } catch (e) { return null; } };
  const protocolOf = (href) => { try { return new URL(href).protocol; } catch (e) { return ''; } };
  // A local file is the kiosk's own page's to open, never a web page's: the browser would
  // refuse it silently, so it is reported as refused.
  const refusedFile = (href) => !localPage && protocolOf(href) === 'file:';
  const foreign = (href) => { const p = protocolOf(href); return (p !== '' && !loadable.has(p)) || refusedFile(href); };
  const tell = (href, newWindow, inMain = main) => {
    try { report(JSON.stringify({url: href, main: inMain, newWindow: newWindow, refused: refusedFile(href)})); } catch (e) {}
  };
  // What the browser would ask the visitor (or do to the screen) is asked of the kiosk instead.
  const ask = (kind, text) => { try { report(JSON.stringify({ask: kind, text: String(text || ''), main: main})); } catch (e) {} };
  const opensWindow = (target) => { const t = String(target || '').toLowerCase(); return t !== '' && t !== '_self' && t !== '_parent' && t !== '_top'; };
  const later = (f) => setTimeout(f, 0);

  // Links: a new window of any address goes to the kiosk; a foreign address in this window
  // too. Only the browser's default action is stopped: the page's own handlers still run.
  addEventListener('click', (event) => {
    const link = event.target && event.target.closest && event.target.closest('a[href], area[href]');
    if (!link || event.defaultPrevented) return;
    const href = absolute(link.href);
    if (href === null) return;
    const newWindow = opensWindow(link.target) || event.ctrlKey || event.shiftKey || event.metaKey;
    if (newWindow || foreign(href)) {
      event.preventDefault();
      tell(href, newWindow);
    }
  }, true);
  addEventListener('auxclick', (event) => {
    const link = event.target && event.target.closest && event.target.closest('a[href], area[href]');
    if (!link) return;
    event.preventDefault();
    const href = absolute(link.href);
    if (href !== null) tell(href, true);
  }, true);
  // Forms posted into another window (the same window is seen by the navigate event).
  addEventListener('submit', (event) => {
    const form = event.target;
    if (!form || !opensWindow((event.submitter && event.submitter.formTarget) || form.target)) return;
    event.preventDefault();
    const href = absolute((event.submitter && event.submitter.formAction) || form.action);
    if (href !== null) tell(href, true);
  }, true);
  // The browser's own menu and dragging (a link dragged out opens it elsewhere) are not
  // the visitor's.
  addEventListener('contextmenu', (event) => event.preventDefault(), true);
  addEventListener('dragstart', (event) => event.preventDefault(), true);
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
  // A frame made by a script for a foreign address would be handed to another program
  // before its document (and this script) exists.
  const frameSource = (element, value) => {
    const href = absolute(value);
    if (href === null || !foreign(href)) return value;
    tell(href, false, false);
    return 'about:blank';
  };
  for (const type of [globalThis.HTMLIFrameElement, globalThis.HTMLFrameElement]) {
    const property = type && Object.getOwnPropertyDescriptor(type.prototype, 'src');
    if (!property || !property.set) continue;
    Object.defineProperty(type.prototype, 'src', {
      configurable: false, enumerable: property.enumerable, get: property.get,
      set: function (value) { property.set.call(this, frameSource(this, value)); }
    });
  }
  const setAttribute = Element.prototype.setAttribute;
  Element.prototype.setAttribute = function (name, value) {
    const tag = this.tagName;
    if ((tag === 'IFRAME' || tag === 'FRAME') && String(name).toLowerCase() === 'src') value = frameSource(this, value);
    return setAttribute.call(this, name, value);
  };
  window.open = function (url) {
    const href = url === undefined || url === '' ? 'about:blank' : absolute(url);
    if (href !== null) tell(href, true);
    return null;
  };
  // Printing goes through the kiosk (its printer, its limits).
  window.print = function () { ask('print', ''); };
  // Nothing of the machine is offered to a page, and the page never takes the whole screen.
  if (navigator.geolocation) {
    const refuse = (failed) => { ask('permission', 'geolocation'); if (typeof failed === 'function') later(() => failed({code: 1, message: 'User denied Geolocation'})); };
    navigator.geolocation.getCurrentPosition = function (ok, failed) { refuse(failed); };
    navigator.geolocation.watchPosition = function (ok, failed) { refuse(failed); return 0; };
  }
  if (globalThis.Notification) {
    Notification.requestPermission = function (done) {
      ask('permission', 'notifications');
      if (typeof done === 'function') later(() => done('denied'));
      return Promise.resolve('denied');
    };
  }
  if (navigator.mediaDevices) {
    navigator.mediaDevices.getUserMedia = function () {
      ask('permission', 'camera and microphone');
      return Promise.reject(new DOMException('Permission denied', 'NotAllowedError'));
    };
    navigator.mediaDevices.getDisplayMedia = function () {
      ask('permission', 'screen');
      return Promise.reject(new DOMException('Permission denied', 'NotAllowedError'));
    };
  }
  for (const name of ['requestFullscreen', 'webkitRequestFullscreen', 'webkitRequestFullScreen']) {
    if (typeof Element.prototype[name] !== 'function') continue;
    Element.prototype[name] = function () {
      ask('fullscreen', location.href);
      return Promise.reject(new TypeError('Full screen refused'));
    };
  }
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
