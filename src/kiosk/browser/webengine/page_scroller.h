// The arrows' scrolling on the web view: one line at a time on the scroller of the page
// that has the focus (the page that holds a focused form field, not the field; inside
// frames the focused frame's page), and what that page can scroll and where the caret is.
// The page answers asynchronously; one request is outstanding at most.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <optional>

#include "kiosk/browser/browser_parts.h"
#include "kiosk/core/frame/scroll_stepper.h"

class QWebEnginePage;

namespace tw {

class PageScroller : public QObject {
  Q_OBJECT

 public:
  // `page` answers the page the view shows now (it changes when a session is wiped).
  PageScroller(std::function<QWebEnginePage*()> page, int line_pixels, QObject* parent = nullptr);

  // Scrolls one line (none: only looks) and answers, after the scroll, through OnAnswer.
  // Ignored while an answer is outstanding.
  void Run(std::optional<ScrollDirection> direction);
  bool busy() const { return busy_; }

  std::function<void(const PageScrollAnswer&)> OnAnswer;

 private:
  std::function<QWebEnginePage*()> page_;
  int line_pixels_;
  bool busy_ = false;
  int generation_ = 0;
};

}  // namespace tw
