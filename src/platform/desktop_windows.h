// The top-level windows of the desktop, as far as the on-screen keyboard needs them:
// which one is in front, whether one still exists, its title, bringing it forward.
#pragma once

#include <cstdint>
#include <string>

namespace tw {

// A top-level window of any program; 0 is no window.
using WindowHandle = std::uint64_t;
inline constexpr WindowHandle kNoWindow = 0;

class DesktopWindows {
 public:
  virtual ~DesktopWindows() = default;
  // The window that has the keyboard focus (its top-level window), or kNoWindow.
  virtual WindowHandle ForegroundWindow() = 0;
  virtual bool IsWindow(WindowHandle window) = 0;
  // The window's title (UTF-8), empty when it has none.
  virtual std::string WindowText(WindowHandle window) = 0;
  // Brings the window to the front with the keyboard focus; false when the system
  // refused.
  virtual bool Activate(WindowHandle window) = 0;
};

}  // namespace tw
