#include "platform/x11qt/x11_resources.h"

#include <X11/Xatom.h>

namespace tw {

std::optional<std::string> ReadServerResources(const X11Display& display) {
  if (!display) return std::nullopt;
  ::Display* d = display.Get();
  X11ErrorTrap trap(d);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0;
  unsigned long left = 0;
  unsigned char* data = nullptr;
  // The whole property: the length is in 32-bit units.
  const int status = XGetWindowProperty(d, DefaultRootWindow(d), XA_RESOURCE_MANAGER, 0, 1L << 24, False, XA_STRING,
                                        &type, &format, &count, &left, &data);
  std::optional<std::string> text;
  if (status == Success) {
    text = (data != nullptr && format == 8) ? std::string(reinterpret_cast<const char*>(data), count) : std::string();
  }
  if (data != nullptr) XFree(data);
  if (!trap.Ok()) return std::nullopt;
  return text;
}

bool WriteServerResources(const X11Display& display, const std::string& database) {
  if (!display) return false;
  ::Display* d = display.Get();
  X11ErrorTrap trap(d);
  XChangeProperty(d, DefaultRootWindow(d), XA_RESOURCE_MANAGER, XA_STRING, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(database.data()), static_cast<int>(database.size()));
  return trap.Ok();
}

}  // namespace tw
