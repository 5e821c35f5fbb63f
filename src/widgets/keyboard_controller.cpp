#include "widgets/keyboard_controller.h"

#include <QDebug>

#include "common/config/profile_file.h"
#include "widgets/key_button.h"

namespace tw {
namespace {

constexpr int kPollMilliseconds = 10;
constexpr std::size_t kMaxTitleLength = 255;

// Cuts a UTF-8 title to at most 255 bytes without splitting a character.
std::string CutTitle(std::string title) {
  if (title.size() <= kMaxTitleLength) return title;
  std::size_t end = kMaxTitleLength;
  while (end > 0 && (static_cast<unsigned char>(title[end]) & 0xC0) == 0x80) --end;
  title.resize(end);
  return title;
}

}  // namespace

KeyboardController::KeyboardController(QWidget* owner_form, Platform platform)
    : QObject(owner_form), owner_form_(owner_form), platform_(platform) {
  timer_.setInterval(kPollMilliseconds);
  connect(&timer_, &QTimer::timeout, this, [this] { Guarded([this] { Poll(); }); });
  timer_.start();
}

KeyboardController::~KeyboardController() { timer_.stop(); }

void KeyboardController::SetPolling(bool on) {
  if (on == timer_.isActive()) return;
  if (!on) {
    timer_.stop();
    return;
  }
  Guarded([this] { Poll(); });
  timer_.start();
}

void KeyboardController::SetLook(const KeyboardLook& look) {
  look_ = look;
  ForEachKey([](KeyButton& key) { key.ControllerChanged(); });
}

void KeyboardController::SetUseColour(bool on) {
  if (on == use_colour_) return;
  use_colour_ = on;
  SetPalette(on ? ColourPalette(kDefaultLightColour, kDefaultDarkColour) : GreyPalette());
}

void KeyboardController::SetPalette(const KeyPalette& palette) {
  KeyboardLook look = look_;
  look.palette = palette;
  SetLook(look);
}

bool KeyboardController::Locked(LockKey lock) const {
  switch (lock) {
    case LockKey::kCapsLock: return locks_.caps_lock;
    case LockKey::kNumLock: return locks_.num_lock;
    case LockKey::kScrollLock: return locks_.scroll_lock;
  }
  return false;
}

void KeyboardController::SetLocked(LockKey lock, bool on) {
  bool* state = nullptr;
  switch (lock) {
    case LockKey::kCapsLock: state = &locks_.caps_lock; break;
    case LockKey::kNumLock: state = &locks_.num_lock; break;
    case LockKey::kScrollLock: state = &locks_.scroll_lock; break;
  }
  if (state == nullptr || *state == on) return;
  *state = on;
  if (OnLockChange) Guarded([&] { OnLockChange(*this, lock); });
}

bool KeyboardController::Latched(KeyType type) const {
  switch (type) {
    case KeyType::kShift: return latches_.shift;
    case KeyType::kAlt: return latches_.alt;
    case KeyType::kCtrl: return latches_.ctrl;
    case KeyType::kAltGr: return latches_.alt_gr;
    case KeyType::kNormal: break;
  }
  return false;
}

void KeyboardController::SetLatched(KeyType type, bool on) {
  bool* latch = nullptr;
  switch (type) {
    case KeyType::kShift: latch = &latches_.shift; break;
    case KeyType::kAlt: latch = &latches_.alt; break;
    case KeyType::kCtrl: latch = &latches_.ctrl; break;
    case KeyType::kAltGr: latch = &latches_.alt_gr; break;
    case KeyType::kNormal: break;
  }
  if (latch == nullptr || *latch == on) return;
  *latch = on;
  // Modifier keys of this kind look pressed while the latch is on.
  ForEachKey([type](KeyButton& key) {
    if (key.Type() == type) key.ControllerChanged();
  });
  if (OnLatchChange) Guarded([&] { OnLatchChange(*this, type); });
}

void KeyboardController::TrackWindow(WindowHandle window) {
  if (window == kNoWindow || window == app_handle_) return;
  if (owner_form_ && owner_form_->window()->internalWinId() == static_cast<WId>(window)) return;
  if (!platform_.windows->IsWindow(window)) return;
  app_handle_ = window;
  Fire(OnAppHandleChange);
  std::string title = CutTitle(platform_.windows->WindowText(window));
  if (title != app_title_) {
    app_title_ = std::move(title);
    Fire(OnAppTitleChange);
  }
}

void KeyboardController::ActivateTarget() {
  DesktopWindows& windows = *platform_.windows;
  if (app_handle_ == kNoWindow || !windows.IsWindow(app_handle_)) return;
  if (windows.ForegroundWindow() == app_handle_) return;
  if (!windows.Activate(app_handle_)) throw EKeyError(std::string(kUnableToActivate));
}

void KeyboardController::SendKeys(const std::string& key_script) {
  BeforeSend(key_script, app_handle_);
  ActivateTarget();
  if (key_script.empty()) return;
  KeyLatches before = latches_;
  KeyLatches after = latches_;
  std::string typed = AddLatchPrefixes(key_script, after);
  // Switch the used latches off through the setters, so keys repaint and events fire.
  if (before.shift != after.shift) SetLatched(KeyType::kShift, false);
  if (before.alt != after.alt) SetLatched(KeyType::kAlt, false);
  if (before.ctrl != after.ctrl) SetLatched(KeyType::kCtrl, false);
  if (before.alt_gr != after.alt_gr) SetLatched(KeyType::kAltGr, false);

  KeyInjector& keys = *platform_.keys;
  KeyScriptResult result = InterpretKeyScript(typed, keys);
  for (const KeyScriptStep& step : result.steps) {
    switch (step.kind) {
      case KeyScriptStep::Kind::kKey: keys.SendKey(step.event); break;
      case KeyScriptStep::Kind::kToggleNumLock: keys.ToggleNumLock(); break;
      case KeyScriptStep::Kind::kMessage:
        // Key events so far must reach the target before anyone shows a message.
        keys.Flush();
        if (OnMessage) {
          Guarded([&] { OnMessage(std::string(kKeyScriptCaption), step.message); });
        }
        break;
    }
  }
  keys.Flush();
  if (result.bad_count) throw ConversionError(*result.bad_count);
}

void KeyboardController::Poll() {
  DesktopWindows& windows = *platform_.windows;
  if (auto_handle_) TrackWindow(windows.ForegroundWindow());
  if (app_handle_ != kNoWindow && !windows.IsWindow(app_handle_)) {
    app_handle_ = kNoWindow;
    Fire(OnAppHandleChange);
  }
  std::string title = app_handle_ == kNoWindow ? std::string() : CutTitle(windows.WindowText(app_handle_));
  if (title != app_title_) {
    app_title_ = std::move(title);
    Fire(OnAppTitleChange);
  }
  if (platform_.locks) {
    LockStates now = platform_.locks->ReadLockStates();
    SetLocked(LockKey::kCapsLock, now.caps_lock);
    SetLocked(LockKey::kScrollLock, now.scroll_lock);
    SetLocked(LockKey::kNumLock, now.num_lock);
  }
}

void KeyboardController::Guarded(const std::function<void()>& action) {
  try {
    action();
  } catch (...) {
    if (OnException) {
      try {
        OnException(std::current_exception());
      } catch (...) {
        qWarning("on-screen keyboard: the exception handler threw");
      }
    } else {
      qWarning("on-screen keyboard: an exception was not handled");
    }
  }
}

void KeyboardController::Fire(const Notify& event) {
  if (event) Guarded([&] { event(*this); });
}

template <typename Visit>
void KeyboardController::ForEachKey(Visit visit) {
  if (!owner_form_) return;
  for (KeyButton* key : owner_form_->findChildren<KeyButton*>()) {
    if (key->KeyController() == this) visit(*key);
  }
}

void KeyboardController::BeforeSend(const std::string&, WindowHandle) {}

void SendingKeyboardController::BeforeSend(const std::string& key_script, WindowHandle target) {
  if (OnSend) Guarded([&] { OnSend(*this, key_script, target); });
}

}  // namespace tw
