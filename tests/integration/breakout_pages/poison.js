// The poisoned page: before anything else of the page runs, every built-in a guard in the
// page's own world could call is replaced, and the browser's own functions are fetched
// back from a fresh frame. The row's own script keeps working (it uses none of these).
(function () {
  var fresh = document.createElement('iframe');
  document.documentElement.appendChild(fresh);
  var other = fresh.contentWindow;
  window.open = other.open;
  window.print = other.print;
  Element.prototype.requestFullscreen = other.Element.prototype.requestFullscreen;
  Notification.requestPermission = other.Notification.requestPermission;
  Event.prototype.preventDefault = function () {};
  Event.prototype.stopPropagation = function () {};
  Event.prototype.stopImmediatePropagation = function () {};
  EventTarget.prototype.dispatchEvent = function () { return true; };
  JSON.stringify = function () { return '{}'; };
  JSON.parse = function () { return {}; };
  String.prototype.toLowerCase = function () { return 'poisoned'; };
  RegExp.prototype.exec = function () { return null; };
  window.URL = function () { throw new Error('poisoned'); };
  window.CustomEvent = function () {};
  Object.defineProperty = function (o) { return o; };
  Reflect.apply = function () {};
  Function.prototype.call = function () {};
  Function.prototype.apply = function () {};
  Function.prototype.bind = function () { return function () {}; };
})();
