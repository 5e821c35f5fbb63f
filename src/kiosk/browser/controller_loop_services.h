// The browser's main loop's services as the kiosk's controller gives them: the one place
// the loop meets the controller.
#pragma once

#include "kiosk/browser/browser_loop.h"
#include "kiosk/core/kiosk_controller.h"

namespace tw {

inline BrowserLoopServices LoopServicesOf(KioskController& controller, const Clock& clock) {
  return {.requests = controller,
          .settings = controller.settings(),
          .paths = controller.paths(),
          .clock = clock,
          .status = controller.browser_status(),
          .navigation = controller.navigation(),
          .keyboard = controller.keyboard(),
          .run_kiosk_pass = [&controller] { return controller.RunPass(); },
          .exit_requested = [&controller] { return controller.exit_requested(); },
          .pass_due = [&controller] { controller.PassDue(); }};
}

}  // namespace tw
