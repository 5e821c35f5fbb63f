#include "platform/x11qt/x11_desktop_lock.h"

#include <X11/Xlib.h>
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/keysym.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "common/atomic_file.h"
#include "platform/x11qt/x11_display.h"

namespace tw {
namespace {

// The lock modifiers a grab must also cover: none, Caps Lock, Num Lock (Mod2) and both.
constexpr unsigned int kLockVariants[] = {0, LockMask, Mod2Mask, LockMask | Mod2Mask};

std::vector<Window> DockWindows(::Display* d, Atom type_atom, Atom dock_atom) {
  std::vector<Window> docks;
  Window root_return = 0, parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(d, DefaultRootWindow(d), &root_return, &parent, &children, &count)) return docks;
  for (unsigned int i = 0; i < count; ++i) {
    Atom actual = 0;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, children[i], type_atom, 0, 16, False, XA_ATOM, &actual, &format, &items, &after,
                           &data) == Success &&
        data != nullptr) {
      const auto* atoms = reinterpret_cast<const Atom*>(data);
      for (unsigned long j = 0; j < items; ++j) {
        if (atoms[j] == dock_atom) {
          docks.push_back(children[i]);
          break;
        }
      }
      XFree(data);
    }
  }
  if (children) XFree(children);
  return docks;
}

// "Ctrl+Alt+Delete", "Alt+Shift+Tab": how an operator would name the combination.
std::string CombinationName(const X11DesktopLock::Combination& c) {
  std::string name;
  if (c.modifiers & ControlMask) name += "Ctrl+";
  if (c.modifiers & Mod1Mask) name += "Alt+";
  if (c.modifiers & ShiftMask) name += "Shift+";
  switch (c.keysym) {
    case XK_KP_Delete: return name + "Keypad Delete";
    case XK_BackSpace: return name + "Backspace";
    case XK_Escape: return name + "Esc";
    case XK_space: return name + "Space";
    case XK_Super_L: return name + "Left Super";
    case XK_Super_R: return name + "Right Super";
    default: break;
  }
  const char* key = XKeysymToString(c.keysym);
  return name + (key ? key : "?");
}

constexpr char kKeyLockFailed[] = "Key Lock Failed - ";

}  // namespace

X11DesktopLock::X11DesktopLock(const std::string& display_name, std::string state_file)
    : display_(std::make_unique<X11Display>(display_name)), state_file_(std::move(state_file)) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (state_file_.empty() && Available() && runtime != nullptr && *runtime != '\0') {
    std::string name = DisplayString(display_->Get());
    for (char& c : name) {
      if (c == '/') c = '_';
    }
    state_file_ = std::string(runtime) + "/tarnwick-keymap-" + name;
  }
}

std::vector<X11DesktopLock::DisabledAction> X11DesktopLock::ReadStateFile() const {
  std::vector<DisabledAction> actions;
  if (state_file_.empty()) return actions;
  std::ifstream in(state_file_);
  int keycode = 0, index = 0, type = 0;
  // One "keycode index type" line per action; anything else ends the reading.
  while (in >> keycode >> index >> type) {
    if (keycode < 8 || keycode > 255 || index < 0 || index > 255) break;
    if (type != XkbSA_SwitchScreen && type != XkbSA_Terminate) break;
    actions.push_back({static_cast<unsigned char>(keycode), index, static_cast<unsigned char>(type)});
  }
  return actions;
}

void X11DesktopLock::WriteStateFile() {
  if (state_file_.empty()) return;
  if (disabled_actions_.empty()) {
    std::remove(state_file_.c_str());
    return;
  }
  std::ostringstream out;
  for (const DisabledAction& a : disabled_actions_) {
    out << static_cast<int>(a.keycode) << ' ' << a.index << ' ' << static_cast<int>(a.type) << '\n';
  }
  if (!ReplaceFileAtomically(state_file_, out.str())) {
    Problem(std::string(kKeyLockFailed) + "the keyboard map's state could not be kept in " + state_file_);
  }
}

X11DesktopLock::~X11DesktopLock() {
  SetSystemKeyLock(false);
  SetBrowserKeyLock(false);
  SetTaskBarHidden(false);
}

bool X11DesktopLock::Available() const { return display_ && display_->Get() != nullptr; }

const std::vector<X11DesktopLock::Combination>& X11DesktopLock::SystemCombinations() {
  static const std::vector<Combination> combinations = [] {
    std::vector<Combination> c = {
        {XK_Delete, ControlMask | Mod1Mask},     {XK_KP_Delete, ControlMask | Mod1Mask},
        {XK_BackSpace, ControlMask | Mod1Mask},  {XK_Tab, Mod1Mask},
        {XK_Tab, Mod1Mask | ShiftMask},          {XK_F4, Mod1Mask},
        {XK_Escape, ControlMask},                {XK_Escape, Mod1Mask},
        {XK_Escape, ControlMask | ShiftMask},    {XK_Super_L, 0},
        {XK_Super_R, 0},                         {XK_Menu, 0},
        {XK_space, Mod1Mask},
    };
    for (KeySym f = XK_F1; f <= XK_F12; ++f) c.push_back({f, ControlMask | Mod1Mask});
    return c;
  }();
  return combinations;
}

const std::vector<X11DesktopLock::Combination>& X11DesktopLock::BrowserCombinations() {
  static const std::vector<Combination> combinations = [] {
    const unsigned int ctrl = ControlMask;
    const unsigned int ctrl_shift = ControlMask | ShiftMask;
    std::vector<Combination> c = {
        {XK_F1, 0}, {XK_F7, 0}, {XK_F10, 0}, {XK_F11, 0}, {XK_F12, 0}, {XK_F10, ShiftMask},
        {XK_Home, Mod1Mask}, {XK_d, Mod1Mask}, {XK_e, Mod1Mask}, {XK_f, Mod1Mask}, {XK_i, Mod1Mask | ShiftMask},
    };
    for (KeySym k : {XK_d, XK_e, XK_h, XK_j, XK_k, XK_l, XK_n, XK_o, XK_p, XK_s, XK_t, XK_u, XK_w}) c.push_back({k, ctrl});
    for (KeySym k : {XK_a, XK_b, XK_c, XK_i, XK_j, XK_m, XK_n, XK_o, XK_p, XK_q, XK_t, XK_w, XK_Delete}) {
      c.push_back({k, ctrl_shift});
    }
    return c;
  }();
  return combinations;
}

void X11DesktopLock::SetBrowserKeyLock(bool locked) {
  if (locked == browser_locked_) return;
  browser_locked_ = locked;
  if (!Available()) {
    if (locked) Problem(std::string(kKeyLockFailed) + "no X display");
    return;
  }
  GrabKeys(BrowserCombinations(), locked);
}

void X11DesktopLock::SetReport(Report report) {
  report_ = std::move(report);
  if (!report_) return;
  for (const std::string& text : unreported_) report_(text);
  unreported_.clear();
}

void X11DesktopLock::Problem(const std::string& text) {
  if (report_) {
    report_(text);
  } else {
    unreported_.push_back(text);
  }
}

void X11DesktopLock::GrabKeys(const std::vector<Combination>& combinations, bool grab) {
  ::Display* d = display_->Get();
  const Window root = DefaultRootWindow(d);
  for (const Combination& c : combinations) {
    const KeyCode code = XKeysymToKeycode(d, c.keysym);
    if (code == 0) continue;
    // A combination another client holds already cannot be grabbed (BadAccess); the
    // rest still are.
    X11ErrorTrap trap(d);
    for (unsigned int lock : kLockVariants) {
      if (grab) {
        XGrabKey(d, code, c.modifiers | lock, root, True, GrabModeAsync, GrabModeAsync);
      } else {
        XUngrabKey(d, code, c.modifiers | lock, root);
      }
    }
    if (!trap.Ok() && grab) Problem(kKeyLockFailed + CombinationName(c) + " is held by another program");
  }
}

void X11DesktopLock::SetServerActions(bool disabled) {
  // The server carries out VT switching and its own termination before any client sees
  // the key, so a grab cannot stop them: the actions are taken off the keyboard map.
  ::Display* d = display_->Get();
  const std::string map_failed = std::string(kKeyLockFailed) + "the keyboard map could not be changed";
  int opcode = 0, event_base = 0, error_base = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
  if (!XkbQueryExtension(d, &opcode, &event_base, &error_base, &major, &minor)) {
    if (disabled) Problem(map_failed + " (no keyboard extension)");
    return;
  }
  X11ErrorTrap trap(d);
  XkbDescPtr xkb = XkbGetMap(d, XkbKeyActionsMask | XkbKeySymsMask, XkbUseCoreKbd);
  if (xkb == nullptr) {
    if (disabled) Problem(map_failed);
    return;
  }
  bool changed = false;
  if (disabled) {
    disabled_actions_.clear();
    // A kiosk that was killed while locked left these off the map: they are given back
    // at this run's unlock.
    for (const DisabledAction& a : ReadStateFile()) {
      if (a.keycode < xkb->min_key_code || a.keycode > xkb->max_key_code || !XkbKeyHasActions(xkb, a.keycode) ||
          a.index >= XkbKeyNumActions(xkb, a.keycode)) {
        continue;
      }
      if (XkbKeyActionsPtr(xkb, a.keycode)[a.index].type == XkbSA_NoAction) disabled_actions_.push_back(a);
    }
    for (int key = xkb->min_key_code; key <= xkb->max_key_code; ++key) {
      if (!XkbKeyHasActions(xkb, key)) continue;
      XkbAction* actions = XkbKeyActionsPtr(xkb, key);
      const int n = XkbKeyNumActions(xkb, key);
      for (int i = 0; i < n; ++i) {
        const unsigned char type = actions[i].type;
        if (type == XkbSA_SwitchScreen || type == XkbSA_Terminate) {
          disabled_actions_.push_back({static_cast<KeyCode>(key), i, type});
          actions[i].type = XkbSA_NoAction;
          changed = true;
        }
      }
    }
    // On disk before the map changes: a kill right after still finds them.
    WriteStateFile();
  } else {
    for (const DisabledAction& a : disabled_actions_) {
      if (!XkbKeyHasActions(xkb, a.keycode) || a.index >= XkbKeyNumActions(xkb, a.keycode)) continue;
      XkbKeyActionsPtr(xkb, a.keycode)[a.index].type = a.type;
      changed = true;
    }
    disabled_actions_.clear();
  }
  if (changed) {
    XkbMapChangesRec changes{};
    changes.changed = XkbKeyActionsMask;
    changes.first_key_act = xkb->min_key_code;
    changes.num_key_acts = static_cast<unsigned char>(xkb->max_key_code - xkb->min_key_code + 1);
    const bool sent = XkbChangeMap(d, xkb, &changes);
    // Refused: the server keeps its actions, and nothing is to be given back.
    if ((!sent || !trap.Ok()) && disabled) {
      disabled_actions_.clear();
      Problem(map_failed);
    }
  }
  if (!disabled || disabled_actions_.empty()) WriteStateFile();
  XkbFreeKeyboard(xkb, 0, True);
}

void X11DesktopLock::SetSystemKeyLock(bool locked) {
  if (locked == locked_) return;
  locked_ = locked;
  if (!Available()) {
    if (locked) Problem(std::string(kKeyLockFailed) + "no X display");
    return;
  }
  GrabKeys(SystemCombinations(), locked);
  SetServerActions(locked);
}

void X11DesktopLock::SetTaskBarHidden(bool hidden) {
  if (!Available()) return;
  ::Display* d = display_->Get();
  // A dock window may go away between the listing and the request.
  X11ErrorTrap trap(d);
  if (hidden) {
    for (Window w : DockWindows(d, display_->Intern("_NET_WM_WINDOW_TYPE"), display_->Intern("_NET_WM_WINDOW_TYPE_DOCK"))) {
      XWindowAttributes attributes;
      if (XGetWindowAttributes(d, w, &attributes) && attributes.map_state != IsUnmapped) {
        XUnmapWindow(d, w);
        hidden_docks_.push_back(w);
      }
    }
  } else {
    for (unsigned long w : hidden_docks_) XMapWindow(d, w);
    hidden_docks_.clear();
  }
  trap.Ok();
}

std::size_t X11DesktopLock::ShowAllDockWindows() {
  if (!Available()) return 0;
  ::Display* d = display_->Get();
  X11ErrorTrap trap(d);
  std::size_t shown = 0;
  for (Window w : DockWindows(d, display_->Intern("_NET_WM_WINDOW_TYPE"), display_->Intern("_NET_WM_WINDOW_TYPE_DOCK"))) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(d, w, &attributes) && attributes.map_state == IsUnmapped) {
      XMapWindow(d, w);
      ++shown;
    }
  }
  trap.Ok();
  return shown;
}

}  // namespace tw
