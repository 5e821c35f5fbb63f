#include "platform/x11qt/x11_window_properties.h"

#include <X11/Xatom.h>

#include <cstring>

namespace tw {
namespace {

std::string Latin1ToUtf8(const std::string& text) {
  std::string out;
  for (const unsigned char c : text) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

// The value of a property of `type` (AnyPropertyType: whatever it is) and `format`.
std::string ReadProperty(::Display* display, Window window, Atom property, Atom type, int format, long limit,
                         unsigned long* items) {
  Atom actual_type = None;
  int actual_format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::string value;
  *items = 0;
  if (XGetWindowProperty(display, window, property, 0, limit, False, type, &actual_type, &actual_format, &count, &after,
                         &data) == Success &&
      data && actual_format == format && (type == AnyPropertyType || actual_type == type)) {
    // Xlib hands 32-bit items over as longs.
    const std::size_t size = format == 32 ? sizeof(long) : static_cast<std::size_t>(format / 8);
    value.assign(reinterpret_cast<const char*>(data), count * size);
    *items = count;
  }
  if (data) XFree(data);
  return value;
}

}  // namespace

std::vector<unsigned long> PropertyItems(::Display* display, Window window, Atom property, Atom type, long limit) {
  unsigned long count = 0;
  const std::string bytes = ReadProperty(display, window, property, type, 32, limit, &count);
  std::vector<unsigned long> items(count);
  for (unsigned long i = 0; i < count; ++i) {
    long item = 0;
    std::memcpy(&item, bytes.data() + i * sizeof item, sizeof item);
    items[i] = static_cast<unsigned long>(item);
  }
  return items;
}

Window WindowProperty(::Display* display, Window window, Atom property) {
  const std::vector<unsigned long> items = PropertyItems(display, window, property, XA_WINDOW);
  return items.empty() ? 0 : items.front();
}

std::string PropertyBytes(::Display* display, Window window, Atom property) {
  unsigned long count = 0;
  return ReadProperty(display, window, property, AnyPropertyType, 8, 4096, &count);
}

std::string WindowTitle(::Display* display, Window window) {
  unsigned long count = 0;
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  std::string title = ReadProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), utf8, 8, 1024, &count);
  if (title.empty()) title = Latin1ToUtf8(ReadProperty(display, window, XA_WM_NAME, XA_STRING, 8, 1024, &count));
  return title;
}

}  // namespace tw
