// The parts the kiosk needs of any browser beside navigation: scrolling the page that has
// the focus, giving the page the keyboard focus, and forgetting a visitor. The embedded
// browser's window implements them; an external browser will too.
#pragma once

#include <optional>

#include "common/geometry/scaled_geometry.h"
#include "kiosk/browser/browser_engine.h"
#include "kiosk/core/frame/scroll_stepper.h"

namespace tw {

// A page may have at most one print in so many seconds (with either browser).
inline constexpr int kPrintIntervalSeconds = 10;

struct PageScrollAnswer {
  // The focused field's top, in pixels below the top of the scrolled view; none when no
  // editable field has the focus.
  std::optional<int> caret_y;
  bool vertical = false;    // the scrolled view can scroll up and down
  bool horizontal = false;  // left and right
};

class PageScrollAnswers {
 public:
  virtual ~PageScrollAnswers() = default;
  virtual void PageScrollAnswered(const PageScrollAnswer& answer) = 0;
};

class PageScrolling {
 public:
  virtual ~PageScrolling() = default;
  // Scrolls the focused page one line (none: only looks); the answer comes later, once.
  virtual void ScrollFocusedPage(std::optional<ScrollDirection> direction, PageScrollAnswers& answers) = 0;
  // True while an answer is outstanding.
  virtual bool ScrollPending() const = 0;
};

class BrowserFocus {
 public:
  virtual ~BrowserFocus() = default;
  // The page gets the keyboard focus back (typing goes on where it was).
  virtual void TakeFocus() = 0;
  // The browser's window comes to the front (a browser that is a program of its own).
  virtual void BringToFront() = 0;
};

class VisitorSession {
 public:
  virtual ~VisitorSession() = default;
  // Forgets everything the last visitor left: cookies, storage, cache, form data and the
  // page history.
  virtual void EndVisitorSession() = 0;
};

// A browser with its window among the kiosk's windows: the engine and its parts, and the
// window placed, shown and hidden by the kiosk. Whatever browser the kiosk runs is one.
class KioskBrowser : public BrowserEngine, public PageScrolling, public BrowserFocus, public VisitorSession {
 public:
  // Starts the browser; it reports BrowserStarted once pages can be shown (at once, or
  // when a program of its own has come up).
  virtual void Start() = 0;
  // Ends the browser and starts it again (the "CLOSE" command); false for a browser that
  // is never ended while the kiosk runs.
  virtual bool Restart() = 0;
  virtual void Place(const Rect& screen_rect) = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual void Close() = 0;
  virtual bool Shown() const = 0;
  // False while the page has not answered the liveness probe in time (the kiosk's
  // watchdog then goes quiet until the page answers again or is ended and reloaded).
  virtual bool Responsive() const = 0;
  // Closes every dialog left to the visitor with its default answer: a message
  // acknowledged, a question declined.
  virtual void CloseVisitorDialogs() = 0;
};

}  // namespace tw
