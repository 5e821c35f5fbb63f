// A desktop of made-up windows: titles, which one is in front, and whether the
// system lets a window come forward.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/desktop_windows.h"

namespace tw::test {

class FakeDesktopWindows : public DesktopWindows {
 public:
  WindowHandle ForegroundWindow() override { return foreground; }
  bool IsWindow(WindowHandle window) override { return titles.count(window) != 0; }
  std::string WindowText(WindowHandle window) override {
    auto it = titles.find(window);
    return it == titles.end() ? std::string() : it->second;
  }
  bool Activate(WindowHandle window) override {
    activations.push_back(window);
    if (refuse_activation || !IsWindow(window)) return false;
    foreground = window;
    return true;
  }

  std::map<WindowHandle, std::string> titles;  // the windows that exist
  WindowHandle foreground = kNoWindow;
  bool refuse_activation = false;
  std::vector<WindowHandle> activations;
};

}  // namespace tw::test
