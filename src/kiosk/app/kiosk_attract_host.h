// The kiosk's attract modes, command URLs, program launcher, input lock-down and topics
// for other programs, joined to the running windows.
#pragma once

#include <functional>
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
class VideoWindow;

class KioskAttractHost {
 public:
  KioskAttractHost(KioskController& controller, KioskAttractFrame::Windows windows, KioskButtons* buttons);
  ~KioskAttractHost();

  // Before-navigate checks and the marker files join the embedded browser's loop.
  void AttachEmbedded(EmbeddedBrowserLoop& loop);
  // While the idle cover is up the kiosk's windows are not raised above other programs.
  bool covered() const { return frame_.covered(); }
  CommandInterpreter& interpreter() { return interpreter_; }
  // Keeps the attract video above the frame while it plays.
  void RaiseTopmost();
  VideoWindow* video() const { return video_.get(); }
  // Shutdown, before the windows close: a listed program that still runs is ended and its
  // lines written now, without bringing the kiosk's windows back.
  void EndRunningProgram();

 private:
  static KioskAttractFrame::Windows WithVideo(KioskAttractFrame::Windows windows, KioskAttractHost* host);

  KioskController& controller_;
  std::function<void(bool)> hold_timer_;
  KioskAttractFrame frame_;
  std::unique_ptr<VideoWindow> video_;
  std::unique_ptr<QtProcessRunner> runner_;
  ProgramLauncher launcher_;
  CommandInterpreter interpreter_;
  std::unique_ptr<KioskInputFilter> input_filter_;
  std::unique_ptr<KioskDbusService> dbus_;
};

}  // namespace tw
