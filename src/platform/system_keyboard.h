// The name of the keyboard layout the machine itself uses, so that the Setup Manager can
// offer the layout file of the same name ("Synch").
#pragma once

#include <string>

namespace tw {

class SystemKeyboard {
 public:
  virtual ~SystemKeyboard() = default;
  // A layout name as KeyboardLayoutName gives it ("English", "German"), or
  // kUnknownKeyboardLayout (common/keyboard_layout_names.h).
  virtual std::string LayoutName() const = 0;
};

}  // namespace tw
