// The kiosk's attract modes, command URLs, program launcher, input lock-down and topics
// for other programs, joined to the running windows.
#pragma once

#include <memory>

#include "kiosk/app/kiosk_attract_frame.h"
#include "kiosk/core/command_interpreter.h"
#include "kiosk/core/program_launcher.h"

namespace tw {

class EmbeddedBrowserLoop;
class KioskController;
class KioskDbusService;
class KioskInputFilter;
class QtProcessRunner;

class KioskAttractHost {
 public:
  KioskAttractHost(KioskController& controller, KioskAttractFrame::Windows windows, KioskButtons* buttons);
  ~KioskAttractHost();

  // Before-navigate checks and the marker files join the embedded browser's loop.
  void AttachEmbedded(EmbeddedBrowserLoop& loop);
  // While the idle cover is up the kiosk's windows are not raised above other programs.
  bool covered() const { return frame_.covered(); }
  CommandInterpreter& interpreter() { return interpreter_; }

 private:
  KioskController& controller_;
  KioskAttractFrame frame_;
  std::unique_ptr<QtProcessRunner> runner_;
  ProgramLauncher launcher_;
  CommandInterpreter interpreter_;
  std::unique_ptr<KioskInputFilter> input_filter_;
  std::unique_ptr<KioskDbusService> dbus_;
};

}  // namespace tw
