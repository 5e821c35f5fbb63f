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

void KeyboardController::SetLightColour(ColourValue colour) { SetPalette(ColourPalette(colour, palette_.dark)); }

void KeyboardController::SetDarkColour(ColourValue colour) { SetPalette(ColourPalette(palette_.light, colour)); }

void KeyboardController::SetUseColour(bool on) {
  if (on == use_colour_) return;
  use_colour_ = on;
  SetPalette(on ? ColourPalette(kDefaultLightColour, kDefaultDarkColour) : GreyPalette());
}

void KeyboardController::SetPalette(const KeyPalette& palette) {
  palette_ = palette;
  ForEachKey([](KeyButton& key) { key.ControllerChanged(); });
}

int KeyboardController::FontSizeFor(KeyLayout layout) const {
  switch (layout) {
    case KeyLayout::kNormal: return small_font_size_;
    case KeyLayout::kDouble:
    case KeyLayout::kQuad: return medium_font_size_;
    case KeyLayout::kLetter:
    case KeyLayout::kLetterPlus: return large_font_size_;
  }
  return small_font_size_;
}

void KeyboardController::ColoursOf(KeyColour colour, ColourValue& face, ColourValue& high, ColourValue& low) const {
  bool light = colour == KeyColour::kLight;
  face = light ? palette_.light : palette_.dark;
  high = light ? palette_.light_high : palette_.dark_high;
  low = light ? palette_.light_low : palette_.dark_low;
}

void KeyboardController::SetCapsLock(bool on) { SetLock(&LockStates::caps_lock, on, OnCapsLockStateChange); }
void KeyboardController::SetNumLock(bool on) { SetLock(&LockStates::num_lock, on, OnNumLockStateChange); }
void KeyboardController::SetScrollLock(bool on) { SetLock(&LockStates::scroll_lock, on, OnScrollLockStateChange); }

void KeyboardController::SetLock(bool LockStates::*member, bool on, const Notify& event) {
  if (locks_.*member == on) return;
  locks_.*member = on;
  Fire(event);
}

void KeyboardController::SetShift(bool on) { SetLatched(KeyType::kShift, on); }
void KeyboardController::SetAlt(bool on) { SetLatched(KeyType::kAlt, on); }
void KeyboardController::SetCtrl(bool on) { SetLatched(KeyType::kCtrl, on); }
void KeyboardController::SetAltGr(bool on) { SetLatched(KeyType::kAltGr, on); }

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
  const Notify* event = nullptr;
  switch (type) {
    case KeyType::kShift:
      latch = &latches_.shift;
      event = &OnShiftStateChange;
      break;
    case KeyType::kAlt:
      latch = &latches_.alt;
      event = &OnAltStateChange;
      break;
    case KeyType::kCtrl:
      latch = &latches_.ctrl;
      event = &OnCtrlStateChange;
      break;
    case KeyType::kAltGr:
      latch = &latches_.alt_gr;
      event = &OnAltGrStateChange;
      break;
    case KeyType::kNormal: return;
  }
  if (*latch == on) return;
  *latch = on;
  LatchChanged(type, *event);
}

void KeyboardController::LatchChanged(KeyType type, const Notify& event) {
  // Modifier keys of this kind look pressed while the latch is on.
  ForEachKey([type](KeyButton& key) {
    if (key.Type() == type) key.ControllerChanged();
  });
  Fire(event);
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
  if (before.shift != after.shift) SetShift(false);
  if (before.alt != after.alt) SetAlt(false);
  if (before.ctrl != after.ctrl) SetCtrl(false);
  if (before.alt_gr != after.alt_gr) SetAltGr(false);

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
    SetCapsLock(now.caps_lock);
    SetScrollLock(now.scroll_lock);
    SetNumLock(now.num_lock);
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
