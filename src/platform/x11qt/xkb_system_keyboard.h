// The X server's current keyboard layout, read from the XKB rule names the server
// publishes on the root window (_XKB_RULES_NAMES: rules, model, layout, variant, options).
#pragma once

#include <string>

#include "platform/system_keyboard.h"

namespace tw {

class X11Display;

class XkbSystemKeyboard : public SystemKeyboard {
 public:
  explicit XkbSystemKeyboard(const X11Display& display) : display_(display) {}
  std::string LayoutName() const override;

  // The XKB layout with its variant in parentheses ("gb", "ch(fr)"); empty when the
  // server publishes none.
  std::string XkbLayout() const;

 private:
  const X11Display& display_;
};

}  // namespace tw
