// Reading the properties of any program's window. The window may be gone by the time the
// server reads it: call these under an X11ErrorTrap, which then reports the failure.
#pragma once

#include <X11/Xlib.h>

#include <string>
#include <vector>

namespace tw {

// The 32-bit items (window ids, atoms, numbers) of a property of `type`, at most `limit`
// of them; empty when the property is absent or of another type.
std::vector<unsigned long> PropertyItems(::Display* display, Window window, Atom property, Atom type, long limit = 1);

// The first item of a window-valued property; 0 when it is absent.
Window WindowProperty(::Display* display, Window window, Atom property);

// The bytes of an 8-bit property of any type (a string list keeps its NUL separators).
std::string PropertyBytes(::Display* display, Window window, Atom property);

// The window's title in UTF-8: _NET_WM_NAME, or WM_NAME (Latin-1) when that is absent.
std::string WindowTitle(::Display* display, Window window);

}  // namespace tw
