#include "platform/x11qt/x11_desktop_lock.h"

#include <X11/Xlib.h>
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/XF86keysym.h>
#include <X11/keysym.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "common/system/atomic_file.h"
#include "platform/x11qt/x11_display.h"

namespace tw {
namespace {

// A grab holds only for the exact modifier state, and a program reading the key may
// ignore the modifiers it has no use for: every combination is also grabbed with every
// set of the others the keyboard can produce (Caps Lock, Num Lock on Mod2, Mod3, Super
// on Mod4, Alt Gr on Mod5).
constexpr unsigned int kOtherModifiers[] = {LockMask, Mod2Mask, Mod3Mask, Mod4Mask, Mod5Mask};
constexpr unsigned int kVariantCount = 1u << std::size(kOtherModifiers);

unsigned int ModifierVariant(unsigned int index) {
  unsigned int mask = 0;
  for (std::size_t bit = 0; bit < std::size(kOtherModifiers); ++bit) {
    if (index & (1u << bit)) mask |= kOtherModifiers[bit];
  }
  return mask;
}

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
    if (XGetWindowProperty(d, children[i], type_atom, 0, 16, False, XA_ATOM, &actual, &format, &items, &after, &data) ==
            Success &&
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
        {XK_Delete, ControlMask | Mod1Mask},
        {XK_KP_Delete, ControlMask | Mod1Mask},
        {XK_BackSpace, ControlMask | Mod1Mask},
        {XK_Tab, Mod1Mask},
        {XK_Tab, Mod1Mask | ShiftMask},
        {XK_F4, Mod1Mask},
        {XK_Escape, ControlMask},
        {XK_Escape, Mod1Mask},
        {XK_Escape, ControlMask | ShiftMask},
        {XK_Super_L, 0},
        {XK_Super_R, 0},
        {XK_Menu, 0},
        {XK_space, Mod1Mask},
    };
    for (KeySym f = XK_F1; f <= XK_F12; ++f) c.push_back({f, ControlMask | Mod1Mask});
    return c;
  }();
  return combinations;
}

// The browser's accelerators that open a window, bar, bubble or menu of its own, close or
// leave its window, or change what the page window shows without the page: its whole
// accelerator table but editing, reloading and scrolling, with their keypad and media-key
// twins. Without a modifier only keys that type nothing.
const std::vector<X11DesktopLock::Combination>& X11DesktopLock::BrowserCombinations() {
  static const std::vector<Combination> combinations = [] {
    const unsigned int ctrl = ControlMask;
    const unsigned int shift = ShiftMask;
    const unsigned int alt = Mod1Mask;
    const unsigned int ctrl_shift = ControlMask | ShiftMask;
    const unsigned int alt_shift = Mod1Mask | ShiftMask;
    std::vector<Combination> c = {
        // Help, caret browsing, menus, full screen, developer tools, pane focus, find.
        {XK_F1, 0},
        {XK_F3, 0},
        {XK_F3, shift},
        {XK_F6, 0},
        {XK_F6, shift},
        {XK_F6, ctrl},
        {XK_F6, ctrl_shift},
        {XK_F7, 0},
        {XK_F10, 0},
        {XK_F10, shift},
        {XK_F11, 0},
        {XK_F12, 0},
        {XK_Menu, shift},
        // Task manager; closing the window or the tab; history, tab moves.
        {XK_Escape, shift},
        {XK_F4, ctrl},
        {XK_F4, ctrl_shift},
        {XK_Left, alt},
        {XK_Right, alt},
        {XK_Home, alt},
        {XK_Tab, ctrl},
        {XK_Tab, ctrl_shift},
        {XK_Page_Up, ctrl},
        {XK_Page_Down, ctrl},
        {XK_Page_Up, ctrl_shift},
        {XK_Page_Down, ctrl_shift},
        {XK_Return, alt},
        {XK_KP_Enter, alt},
        // Zoom, on the main keys and the keypad.
        {XK_plus, ctrl},
        {XK_plus, ctrl_shift},
        {XK_equal, ctrl},
        {XK_equal, ctrl_shift},
        {XK_minus, ctrl},
        {XK_minus, ctrl_shift},
        {XK_0, ctrl},
        {XK_KP_Add, ctrl},
        {XK_KP_Subtract, ctrl},
        {XK_KP_0, ctrl},
        {XK_KP_Insert, ctrl},
        // The application menu and the toolbar, bookmarks and feedback.
        {XK_d, alt},
        {XK_e, alt},
        {XK_f, alt},
        {XK_a, alt_shift},
        {XK_b, alt_shift},
        {XK_i, alt_shift},
        {XK_t, alt_shift},
    };
    for (KeySym k :
         {XK_d, XK_e, XK_f, XK_g, XK_h, XK_j, XK_k, XK_l, XK_m, XK_n, XK_o, XK_p, XK_q, XK_s, XK_t, XK_u, XK_w}) {
      c.push_back({k, ctrl});
    }
    for (KeySym k = XK_1; k <= XK_9; ++k) c.push_back({k, ctrl});
    for (KeySym k = XK_1; k <= XK_9; ++k) c.push_back({k, alt});
    for (KeySym k : {XK_a, XK_b, XK_c, XK_d, XK_e, XK_g, XK_i, XK_j, XK_k, XK_l,     XK_m,
                     XK_n, XK_o, XK_p, XK_q, XK_s, XK_t, XK_u, XK_w, XK_y, XK_Delete}) {
      c.push_back({k, ctrl_shift});
    }
    // The keyboard's browser and media keys, with or without a modifier.
    for (KeySym k :
         {XF86XK_Back,       XF86XK_Forward,   XF86XK_HomePage,   XF86XK_Search,    XF86XK_Favorites, XF86XK_History,
          XF86XK_OpenURL,    XF86XK_New,       XF86XK_Close,      XF86XK_Open,      XF86XK_Save,      XF86XK_ZoomIn,
          XF86XK_ZoomOut,    XF86XK_Mail,      XF86XK_Tools,      XF86XK_Launch0,   XF86XK_LaunchA,   XF86XK_Explorer,
          XF86XK_MyComputer, XF86XK_AudioPlay, XF86XK_AudioPause, XF86XK_AudioStop, XF86XK_AudioNext, XF86XK_AudioPrev,
          XF86XK_AudioMedia, XF86XK_Calculator}) {
      for (unsigned int modifiers : {0u, ctrl, shift, alt, ctrl_shift, alt_shift}) c.push_back({k, modifiers});
    }
    return c;
  }();
  return combinations;
}

bool X11DesktopLock::SetBrowserKeyLock(bool locked) {
  if (locked != browser_locked_) {
    browser_locked_ = locked;
    if (!Available()) {
      if (locked) Problem(std::string(kKeyLockFailed) + "no X display");
      browser_keys_held_ = false;
    } else {
      browser_keys_held_ = GrabKeys(BrowserCombinations(), locked) && locked;
    }
  }
  return !locked || browser_keys_held_;
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

bool X11DesktopLock::GrabKeys(const std::vector<Combination>& combinations, bool grab) {
  ::Display* d = display_->Get();
  const Window root = DefaultRootWindow(d);
  bool all = true;
  for (const Combination& c : combinations) {
    // The kiosk's own key (grabbed by the kiosk itself) is taken already.
    if (c.keysym == kept_keysym_ && c.modifiers == 0) continue;
    const KeyCode code = XKeysymToKeycode(d, c.keysym);
    if (code == 0) continue;
    // A combination another client holds already cannot be grabbed (BadAccess); the
    // rest still are.
    X11ErrorTrap trap(d);
    for (unsigned int variant = 0; variant < kVariantCount; ++variant) {
      const unsigned int modifiers = c.modifiers | ModifierVariant(variant);
      if (grab) {
        XGrabKey(d, code, modifiers, root, True, GrabModeAsync, GrabModeAsync);
      } else {
        XUngrabKey(d, code, modifiers, root);
      }
    }
    if (!trap.Ok() && grab) {
      Problem(kKeyLockFailed + CombinationName(c) + " is held by another program");
      all = false;
    }
  }
  return all;
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
    for (Window w :
         DockWindows(d, display_->Intern("_NET_WM_WINDOW_TYPE"), display_->Intern("_NET_WM_WINDOW_TYPE_DOCK"))) {
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
  for (Window w :
       DockWindows(d, display_->Intern("_NET_WM_WINDOW_TYPE"), display_->Intern("_NET_WM_WINDOW_TYPE_DOCK"))) {
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
