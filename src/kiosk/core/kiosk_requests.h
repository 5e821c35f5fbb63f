// What the kiosk's panels, buttons, commands and listed programs ask of the kiosk's rules:
// a page, a line in the log, a letter of the exit password, an error shown, the end. The controller
// answers; a part is handed this and not the whole controller.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "common/texts/log_texts.h"
#include "kiosk/core/commands/navigation_reason.h"

namespace tw {

class KioskRequests {
 public:
  virtual ~KioskRequests() = default;
  // The page is queued; the log says why, where the log switches ask for it.
  virtual void GoToURL(const std::string& url, NavigationReason reason) = 0;
  virtual void WriteLog(std::string_view text) = 0;
  // Every tagged button reports its press here; the full exit password ends the kiosk.
  virtual void CheckExitPassword(int tag) = 0;
  // An error for the log and the screen, as it stands; the kiosk goes on.
  virtual void ReportError(const std::string& text) = 0;
  // An error that reached the application: "Error - " + message, reported so.
  void AppException(const std::string& message) { ReportError(std::string(log_text::kError) + message); }
  virtual void RequestExit() = 0;
  // Runs one unit of work (an event from outside, a deferred run) so that no exception
  // leaves it: one that does is reported as AppException.
  virtual void Guarded(const std::function<void()>& work) = 0;
};

}  // namespace tw
