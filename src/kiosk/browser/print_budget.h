// A page cannot keep the printer busy: one print in so many seconds, with either browser;
// the first refusal of each burst is logged, the rest are not.
#pragma once

#include <cstdint>
#include <string>

#include "kiosk/browser/browser_parts.h"
#include "kiosk/core/event_budget.h"

namespace tw {

class PrintBudget {
 public:
  // True when a print may go at `now` (seconds). When it may not, `note` is the line to
  // log, or empty when this burst's refusal was logged already.
  bool Admit(std::int64_t now, std::string& note) {
    note.clear();
    budget_.TakeRefused(now);
    if (budget_.Admit(now)) return true;
    if (budget_.refused() == 1) {
      note = "Print Refused - at most one print every " + std::to_string(kPrintIntervalSeconds) + " seconds";
    }
    return false;
  }

 private:
  EventBudget budget_{1, kPrintIntervalSeconds};
};

}  // namespace tw
