#include "page_capture_script.h"

namespace tw {
namespace {

// The event the page's world hands a question to the kiosk's on: its detail is the kind,
// a NUL and the text (plain strings, which no page can hook).
constexpr std::string_view kAskEvent = "__twKioskAsk";

// The kiosk's world. Schemes the browser loads itself; every other one is stopped and
// reported. javascript: runs in the page and leaves it, so it is not a navigation to stop.
constexpr std::string_view kGuard = R"JS((function () {
  'use strict';
  const send = globalThis['@BINDING@'];
  if (typeof send !== 'function') return;
  const report = (payload) => { try { send(JSON.stringify(payload)); } catch (e) {} };
  const loadable = new Set(['http:', 'https:', 'file:', 'about:', 'data:', 'blob:', 'javascript:']);
  const main = window === window.top;
  const localPage = location.protocol === 'file:';
  const absolute = (url) => { try { return new URL(String(url), document.baseURI).href; } catch (e) { return null; } };
  const protocolOf = (href) => { try { return new URL(href).protocol; } catch (e) { return ''; } };
  // A local file is the kiosk's own page's to open, never a web page's: the browser would
  // refuse it silently, so it is reported as refused.
  const refusedFile = (href) => !localPage && protocolOf(href) === 'file:';
  const foreign = (href) => { const p = protocolOf(href); return (p !== '' && !loadable.has(p)) || refusedFile(href); };
  // A new window only within a visitor's click or key, as the browser's own pop-up rule
  // has it: what the page's scripts do by themselves opens nothing.
  const visitorActive = () => !!(navigator.userActivation && navigator.userActivation.isActive);
  const tell = (href, newWindow, inMain = main) => {
    if (newWindow && !visitorActive()) return;
    report({url: href, main: inMain, newWindow: newWindow, refused: refusedFile(href)});
  };
  // What the browser would ask the visitor (or do to the screen) is asked of the kiosk instead.
  const ask = (kind, text) => report({ask: kind, text: String(text || ''), main: main});
  const opensWindow = (target) => { const t = String(target || '').toLowerCase(); return t !== '' && t !== '_self' && t !== '_parent' && t !== '_top'; };
  const linkOf = (event) => event.target && event.target.closest ? event.target.closest('a[href], area[href]') : null;

  // Links: a new window of any address goes to the kiosk; a foreign address in this window
  // too. Only the browser's default action is stopped: the page's own handlers still run.
  addEventListener('click', (event) => {
    const link = linkOf(event);
    if (!link) return;
    const href = absolute(link.href);
    if (href === null) return;
    const newWindow = opensWindow(link.target) || event.ctrlKey || event.shiftKey || event.metaKey;
    if (newWindow || foreign(href)) {
      event.preventDefault();
      tell(href, newWindow);
    }
  }, true);
  addEventListener('auxclick', (event) => {
    const link = linkOf(event);
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
  // Full screen however the page reached it (the browser's own call of a fresh frame, say)
  // covers the kiosk's frame: it is left at once and refused as a request would be.
  document.addEventListener('fullscreenchange', () => {
    if (!document.fullscreenElement) return;
    document.exitFullscreen().catch(() => {});
    ask('fullscreen', location.href);
  }, true);
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
  // The page's world hands over what only it can catch; whatever it says, the decision
  // is taken here.
  addEventListener('@ASK@', (event) => {
    const detail = typeof event.detail === 'string' ? event.detail : '';
    const cut = detail.indexOf('\u0000');
    if (cut < 0) return;
    const kind = detail.slice(0, cut);
    const text = detail.slice(cut + 1);
    if (kind === 'open') {
      const href = text === '' ? 'about:blank' : absolute(text);
      if (href !== null) tell(href, true);
    } else if (kind === 'frame') {
      const href = absolute(text);
      if (href !== null && foreign(href)) tell(href, false, false);
    } else if (kind === 'fullscreen') {
      ask('fullscreen', location.href);
    } else if (kind === 'print' || kind === 'permission') {
      ask(kind, text);
    }
  }, true);
})();)JS";

// The page's world. Everything used here is taken before any of the page's scripts run,
// so that replacing a built-in later changes none of it; and none of these ever calls the
// browser's own function it replaces.
constexpr std::string_view kMessengers = R"JS((function () {
  'use strict';
  const bind = Function.prototype.bind;
  const callOf = (f) => Reflect.apply(bind, Function.prototype.call, [f]);
  const dispatch = callOf(EventTarget.prototype.dispatchEvent);
  const exec = callOf(RegExp.prototype.exec);
  const lower = callOf(String.prototype.toLowerCase);
  const Custom = CustomEvent;
  const Text = String;
  const later = setTimeout;
  const Refused = DOMException;
  const resolved = Promise.resolve.bind(Promise);
  const rejected = Promise.reject.bind(Promise);
  const defineProperty = Object.defineProperty;
  const describe = Object.getOwnPropertyDescriptor;
  const self = window;
  const ask = (kind, text) => {
    try { dispatch(self, new Custom('@ASK@', {detail: kind + '\u0000' + text})); } catch (e) {}
  };
  const replace = (object, name, value) => {
    if (object && typeof object[name] === 'function') {
      defineProperty(object, name, {value: value, writable: true, configurable: true, enumerable: false});
    }
  };
  replace(self, 'open', function (url) { ask('open', url === undefined ? '' : Text(url)); return null; });
  // Printing goes through the kiosk (its printer, its limits).
  replace(self, 'print', function () { ask('print', ''); });
  // Nothing of the machine is offered to a page, and the page never takes the whole screen.
  const denied = () => new Refused('Permission denied', 'NotAllowedError');
  if (globalThis.Geolocation) {
    const refuse = (failed) => {
      ask('permission', 'geolocation');
      if (typeof failed === 'function') later(() => failed({code: 1, message: 'User denied Geolocation'}), 0);
    };
    replace(Geolocation.prototype, 'getCurrentPosition', function (ok, failed) { refuse(failed); });
    replace(Geolocation.prototype, 'watchPosition', function (ok, failed) { refuse(failed); return 0; });
  }
  if (globalThis.Notification) {
    replace(Notification, 'requestPermission', function (done) {
      ask('permission', 'notifications');
      if (typeof done === 'function') later(() => done('denied'), 0);
      return resolved('denied');
    });
  }
  if (globalThis.MediaDevices) {
    replace(MediaDevices.prototype, 'getUserMedia', function () { ask('permission', 'camera and microphone'); return rejected(denied()); });
    replace(MediaDevices.prototype, 'getDisplayMedia', function () { ask('permission', 'screen'); return rejected(denied()); });
  }
  for (const name of ['requestFullscreen', 'webkitRequestFullscreen', 'webkitRequestFullScreen']) {
    replace(Element.prototype, name, function () {
      ask('fullscreen', '');
      return rejected(new TypeError('Full screen refused'));
    });
  }
  // A frame made by a script for another program's address would be handed on before its
  // document (and the guard) exists: it gets an empty one, and the kiosk is told.
  const scheme = /^[\u0000-\u0020]*([a-zA-Z][a-zA-Z0-9+.\-]*):/;
  const loadable = ['http', 'https', 'file', 'about', 'data', 'blob', 'javascript'];
  const frameSource = (value) => {
    const text = Text(value);
    const found = exec(scheme, text);
    if (found === null) return value;
    const name = lower(found[1]);
    for (let i = 0; i < loadable.length; ++i) if (loadable[i] === name) return value;
    ask('frame', text);
    return 'about:blank';
  };
  for (const type of [globalThis.HTMLIFrameElement, globalThis.HTMLFrameElement]) {
    const property = type && describe(type.prototype, 'src');
    if (!property || !property.set) continue;
    const setSource = callOf(property.set);
    defineProperty(type.prototype, 'src', {
      configurable: false, enumerable: property.enumerable, get: property.get,
      set: function (value) { setSource(this, frameSource(value)); }
    });
  }
  const setAttribute = callOf(Element.prototype.setAttribute);
  const tagOf = callOf(describe(Element.prototype, 'tagName').get);
  defineProperty(Element.prototype, 'setAttribute', {
    writable: true, configurable: true, enumerable: true,
    value: function (name, value) {
      const tag = tagOf(this);
      if ((tag === 'IFRAME' || tag === 'FRAME') && lower(Text(name)) === 'src') value = frameSource(value);
      return setAttribute(this, name, value);
    }
  });
})();)JS";

std::string Filled(std::string_view source) {
  std::string script(source);
  const auto fill = [&script](std::string_view name, std::string_view value) {
    for (auto at = script.find(name); at != std::string::npos; at = script.find(name, at + value.size())) {
      script.replace(at, name.size(), value);
    }
  };
  fill("@BINDING@", kPageCaptureBinding);
  fill("@ASK@", kAskEvent);
  return script;
}

}  // namespace

std::string PageCaptureScript() { return Filled(kGuard); }

std::string PageMessengerScript() { return Filled(kMessengers); }

}  // namespace tw
