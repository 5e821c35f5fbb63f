#include "platform/x11qt/xkb_system_keyboard.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <vector>

#include "common/keyboard/keyboard_layout_names.h"
#include "platform/x11qt/x11_display.h"

namespace tw {

std::string XkbSystemKeyboard::XkbLayout() const {
  ::Display* display = display_.Get();
  if (display == nullptr) return {};
  const Atom names = XInternAtom(display, "_XKB_RULES_NAMES", True);
  if (names == None) return {};
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, DefaultRootWindow(display), names, 0, 1024, False, XA_STRING, &type, &format, &count,
                         &after, &data) != Success ||
      data == nullptr) {
    return {};
  }
  // Five strings, each ended by a NUL.
  std::vector<std::string> fields;
  const char* text = reinterpret_cast<const char*>(data);
  std::string field;
  for (unsigned long i = 0; i < count; ++i) {
    if (text[i] == '\0') {
      fields.push_back(field);
      field.clear();
    } else {
      field += text[i];
    }
  }
  if (!field.empty()) fields.push_back(field);
  XFree(data);
  if (fields.size() < 3 || fields[2].empty()) return {};
  std::string layout = fields[2].substr(0, fields[2].find(','));
  if (fields.size() > 3) {
    const std::string variant = fields[3].substr(0, fields[3].find(','));
    if (!variant.empty()) layout += "(" + variant + ")";
  }
  return layout;
}

std::string XkbSystemKeyboard::LayoutName() const { return std::string(KeyboardLayoutNameOfXkb(XkbLayout())); }

}  // namespace tw
