// The top-level windows of one other program on the X display (the external browser):
// which of them are shown, word when one more is shown, and closing, focusing and
// raising one of them.
//
// It has a connection to the display of its own and is woken by that connection's socket,
// never by a timer. Windows are matched to the program by the process id they carry
// (_NET_WM_PID); under a window manager the program's own window inside the manager's
// frame is the one reported. A window that is gone meanwhile is an answer (false, or
// missing from a list), never an X error that ends the kiosk.
#pragma once

#include <QObject>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/top_level_window.h"

class QSocketNotifier;

namespace tw {

class X11ProcessWindows : public QObject {
 public:
  // Opens its own connection to the display named by DISPLAY.
  explicit X11ProcessWindows(QObject* parent = nullptr);
  ~X11ProcessWindows() override;
  X11ProcessWindows(const X11ProcessWindows&) = delete;
  X11ProcessWindows& operator=(const X11ProcessWindows&) = delete;

  // False without a display: then there are no windows and nothing is ever reported.
  bool available() const;

  // The shown top-level windows of the process, bottom to top.
  std::vector<TopLevelWindow> Windows(long pid);
  // What is known of one window now (viewable or not); nothing when it is gone.
  std::optional<TopLevelWindow> Inspect(WindowHandle window);

  // Calls `shown` with the windows of the process that were shown (mapped, or given back
  // to the screen by a window manager) since the last report, once for every batch of
  // events from the server. A pid of 0 stops the reports. Windows shown before the call
  // are not reported: Windows() lists them.
  void Watch(long pid, std::function<void(const std::vector<TopLevelWindow>&)> shown);

  // Asks the window to close itself when it takes part in that (WM_DELETE_WINDOW) and
  // destroys it when it does not, or when it is still shown `grace` later. The program is
  // never disconnected from the server, but a toolkit may end its program when a window is
  // destroyed under it (the browser's does, at times): give it a grace of seconds, where
  // asking takes milliseconds. False when the window is gone.
  bool Close(WindowHandle window, std::chrono::milliseconds grace);

  // Gives the window the keyboard focus (through the window manager when there is one);
  // false when the server refuses, as it does for a hidden window.
  bool Focus(WindowHandle window);
  // Puts the window (its window manager's frame) above its siblings.
  bool Raise(WindowHandle window);
  // Takes the right mouse button away from the window: its presses come to this
  // connection (which drops them) and never to the program, whatever it or its page
  // does. False when the window is gone or the server refused.
  bool BlockRightButton(WindowHandle window);

 private:
  class Connection;
  void Drain();
  void DrainSoonIfQueued();
  void DestroyIfStillShown(WindowHandle window);

  std::unique_ptr<Connection> connection_;
  QSocketNotifier* notifier_ = nullptr;
  long watched_pid_ = 0;
  std::function<void(const std::vector<TopLevelWindow>&)> shown_;
  bool draining_ = false;
};

}  // namespace tw
