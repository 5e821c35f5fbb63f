// Wires the page's one target (a large box at a fixed place) to the row's action.
(function () {
  var row = ROW || {};
  var target = document.getElementById('target');

  // Tells the test server that the row's action really happened (a beacon is sent even
  // when the page is being left).
  function report(what) {
    navigator.sendBeacon('/ran?' + what, '');
  }

  function onClick(action) {
    target.addEventListener('click', function (event) {
      event.preventDefault();
      action();
      report(row.act);
    });
  }

  // Adds the frames a few hundred at a time, so the page goes on answering while it
  // grows, and says how many it has once done.
  function manyFrames(count) {
    var box = document.getElementById('frames');
    (function addSome() {
      for (var i = 0; i < 250 && box.children.length < count; i++) {
        box.appendChild(document.createElement('iframe'));
      }
      if (box.children.length < count) {
        setTimeout(addSome, 0);
      } else {
        report('frames-' + box.getElementsByTagName('iframe').length);
      }
    })();
  }

  switch (row.act) {
    case 'link':
      target.href = row.href;
      if (row.target) target.target = row.target;
      target.addEventListener('click', function () { report('click'); });
      target.addEventListener('dragstart', function () { report('drag'); });
      break;
    case 'open-auto':
      window.addEventListener('load', function () {
        setTimeout(function () {
          window.open('/popup.htm?auto');
          report('open-auto');
        }, 300);
      });
      break;
    case 'open-click':
      onClick(function () { window.open('/popup.htm?click'); });
      break;
    case 'open-url-auto':
      window.addEventListener('load', function () {
        setTimeout(function () {
          window.open(row.url);
          report('open-url-auto');
        }, 300);
      });
      break;
    case 'open-urls-auto':
      window.addEventListener('load', function () {
        setTimeout(function () {
          for (var i = 0; i < row.urls.length; i++) window.open(row.urls[i]);
          report('open-urls-auto');
        }, 300);
      });
      break;
    case 'open-url-click':
      onClick(function () { window.open(row.url); });
      break;
    case 'alert-loop':
      // A page that never lets go: one message box after another, for as long as it runs.
      target.addEventListener('click', function (event) {
        event.preventDefault();
        report('alert-loop');
        setTimeout(function () { for (var n = 0; ; n++) alert('Security Alert: ' + n); }, 0);
      });
      break;
    case 'file':
      var input = document.createElement('input');
      input.type = 'file';
      input.id = 'target';
      target.parentNode.replaceChild(input, target);
      break;
    case 'print':
      onClick(function () { window.print(); });
      break;
    case 'fullscreen':
      onClick(function () { document.documentElement.requestFullscreen().catch(function () {}); });
      break;
    case 'notification':
      onClick(function () { Notification.requestPermission(); });
      break;
    case 'geolocation':
      onClick(function () { navigator.geolocation.getCurrentPosition(function () {}, function () {}); });
      break;
    case 'camera':
      onClick(function () { navigator.mediaDevices.getUserMedia({video: true}).catch(function () {}); });
      break;
    case 'auth':
      // A frame of the same site asks for a password; the page itself stays.
      onClick(function () {
        var frame = document.createElement('iframe');
        frame.src = '/secret';
        document.getElementById('frames').appendChild(frame);
      });
      break;
    case 'close':
      onClick(function () { window.close(); });
      break;
    case 'alert-flood':
      onClick(function () { for (var i = 0; i < 300; i++) alert('flood ' + i); });
      break;
    case 'print-loop':
      onClick(function () {
        var n = 0;
        var timer = setInterval(function () { if (++n > 15) clearInterval(timer); else window.print(); }, 200);
      });
      break;
    case 'feedback-flood':
      // Each frame's navigation is a feedback command.
      onClick(function () {
        for (var i = 0; i < 30; i++) {
          var frame = document.createElement('iframe');
          frame.src = 'tw-command:FEEDBACK?n=' + i;
          document.getElementById('frames').appendChild(frame);
        }
      });
      break;
    case 'markup-frame':
      // A frame written as markup (not through its src property).
      onClick(function () { document.getElementById('frames').innerHTML = '<iframe src="foo:markup"></iframe>'; });
      break;
    case 'iframes':
      onClick(function () { manyFrames(row.count); });
      break;
  }
})();
