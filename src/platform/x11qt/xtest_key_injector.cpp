#include "platform/x11qt/xtest_key_injector.h"

#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <xkbcommon/xkbcommon.h>

#include <vector>

namespace tw {
namespace {

constexpr auto kKeymapLifetime = std::chrono::milliseconds(500);

// The keysym of a virtual key of the key-script notation.
KeySym KeysymOfVirtualKey(std::uint32_t code) {
  switch (code) {
    case vk::kCancel: return XK_Break;
    case vk::kBack: return XK_BackSpace;
    case vk::kTab: return XK_Tab;
    case vk::kClear: return XK_Clear;
    case vk::kReturn: return XK_Return;
    case vk::kShift: return XK_Shift_L;
    case vk::kControl: return XK_Control_L;
    case vk::kMenu: return XK_Alt_L;
    case vk::kCapital: return XK_Caps_Lock;
    case vk::kEscape: return XK_Escape;
    case vk::kPrior: return XK_Prior;
    case vk::kNext: return XK_Next;
    case vk::kEnd: return XK_End;
    case vk::kHome: return XK_Home;
    case vk::kLeft: return XK_Left;
    case vk::kUp: return XK_Up;
    case vk::kRight: return XK_Right;
    case vk::kDown: return XK_Down;
    case vk::kPrint: return XK_Print;
    case vk::kInsert: return XK_Insert;
    case vk::kDelete: return XK_Delete;
    case vk::kHelp: return XK_Help;
    case vk::kNumLock: return XK_Num_Lock;
    case vk::kScroll: return XK_Scroll_Lock;
    case vk::kAltGr: return XK_ISO_Level3_Shift;
    default: break;
  }
  if (code >= vk::kF1 && code < vk::kF1 + 16) return XK_F1 + (code - vk::kF1);
  if (code >= 'A' && code <= 'Z') return XK_a + (code - 'A');
  if (code >= '0' && code <= '9') return XK_0 + (code - '0');
  return NoSymbol;
}

}  // namespace

XTestKeyInjector::XTestKeyInjector(::Display* display) : display_(display) {
  if (!display_) return;
  int event_base, error_base, major = XkbMajorVersion, minor = XkbMinorVersion, opcode;
  available_ = XTestQueryExtension(display_, &event_base, &error_base, &major, &minor) &&
               XkbQueryExtension(display_, &opcode, &event_base, &error_base, &major, &minor);
}

XTestKeyInjector::~XTestKeyInjector() {
  if (keymap_) XkbFreeKeyboard(keymap_, 0, True);
}

XkbDescPtr XTestKeyInjector::Keymap() const {
  auto now = std::chrono::steady_clock::now();
  if (keymap_ && now - keymap_time_ < kKeymapLifetime) return keymap_;
  if (keymap_) XkbFreeKeyboard(keymap_, 0, True);
  keymap_ = XkbGetMap(display_, XkbAllClientInfoMask, XkbUseCoreKbd);
  keymap_time_ = now;
  return keymap_;
}

std::optional<CharacterKey> XTestKeyInjector::MapCharacter(char32_t character) const {
  if (!available_) return std::nullopt;
  KeySym sym = xkb_utf32_to_keysym(static_cast<std::uint32_t>(character));
  XkbDescPtr xkb = Keymap();
  if (sym == NoSymbol || !xkb) return std::nullopt;
  XkbStateRec state;
  if (XkbGetState(display_, XkbUseCoreKbd, &state) != Success) return std::nullopt;
  const unsigned level3 = XkbKeysymToModifiers(display_, XK_ISO_Level3_Shift);
  // The modifiers we may press, cheapest first. The locked ones (Caps Lock, Num
  // Lock) stay as they are, so with Caps Lock on a capital needs no Shift.
  const unsigned locked = state.locked_mods;
  std::vector<unsigned> choices = {0, ShiftMask};
  if (level3 != 0) {
    choices.push_back(level3);
    choices.push_back(level3 | ShiftMask);
  }

  for (unsigned pressed : choices) {
    for (int code = xkb->min_key_code; code <= xkb->max_key_code; ++code) {
      int groups = XkbKeyNumGroups(xkb, code);
      if (groups == 0) continue;
      // Only keys that carry the symbol somewhere in the active group are tried.
      int group = state.group < groups ? state.group : 0;
      int width = XkbKeyGroupWidth(xkb, code, group);
      bool carries = false;
      for (int level = 0; level < width && !carries; ++level) {
        carries = XkbKeySymEntry(xkb, code, level, group) == sym;
      }
      if (!carries) continue;
      unsigned consumed = 0;
      KeySym produced = NoSymbol;
      unsigned mods = XkbBuildCoreState(pressed | locked, state.group);
      if (!XkbTranslateKeyCode(xkb, static_cast<KeyCode>(code), mods, &consumed, &produced) || produced != sym) {
        continue;
      }
      return CharacterKey{{static_cast<std::uint32_t>(code), true},
                          (pressed & ShiftMask) != 0,
                          false,
                          false,
                          level3 != 0 && (pressed & level3) != 0};
    }
  }
  return std::nullopt;
}

KeyCode XTestKeyInjector::KeyCodeOf(const Key& key) const {
  if (key.layout) return static_cast<KeyCode>(key.code);
  KeySym sym = KeysymOfVirtualKey(key.code);
  if (sym == NoSymbol) return 0;
  KeyCode code = XKeysymToKeycode(display_, sym);
  if (code == 0 && key.code == vk::kCancel) code = XKeysymToKeycode(display_, XK_Pause);
  if (code == 0 && key.code == vk::kAltGr) code = XKeysymToKeycode(display_, XK_Mode_switch);
  return code;
}

void XTestKeyInjector::SendKey(const KeyEvent& event) {
  if (!available_) return;
  KeyCode code = KeyCodeOf(event.key);
  if (code == 0) return;  // this keyboard has no such key
  XTestFakeKeyEvent(display_, code, event.down ? True : False, CurrentTime);
}

void XTestKeyInjector::ToggleNumLock() {
  if (!available_) return;
  unsigned mask = XkbKeysymToModifiers(display_, XK_Num_Lock);
  XkbStateRec state;
  if (mask == 0 || XkbGetState(display_, XkbUseCoreKbd, &state) != Success) return;
  XkbLockModifiers(display_, XkbUseCoreKbd, mask, (state.locked_mods & mask) ? 0 : mask);
}

void XTestKeyInjector::Flush() {
  if (display_) XSync(display_, False);
}

}  // namespace tw
