// The operations the kiosk asks of a browser on its page, whichever browser it is. The
// tool-bar buttons' rows name the one a press runs (toolbar_buttons.cpp); each engine
// carries them out in its RunOnPage. A new one is a value here, a case in each engine and
// the row of the button that runs it.
#pragma once

namespace tw {

enum class PageOperation {
  kBack,
  kForward,
  kReload,
  kStop,
  // On the default printer, without a dialog.
  kPrint,
  // The visitor's page zoom, one step (page_zoom.h); it holds for every page until the
  // visitor's session ends.
  kZoomIn,
  kZoomOut,
  // The page in the high-contrast look (page_contrast_script.h), this page and the next,
  // or no longer.
  kHighContrastOn,
  kHighContrastOff,
};

}  // namespace tw
