// The non-visual controller of an on-screen keyboard: it follows the window that
// keys are typed into, types key scripts into it with the latched modifiers, keeps
// the four modifier latches and mirrors the three lock states.
//
// Every event handler runs guarded: an exception it throws goes to OnException and
// the controller carries on. Messages of the key-script notation ("Invalid Key
// Name", ...) go to OnMessage; nothing here opens a dialog of its own.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <exception>
#include <functional>
#include <string>

#include "common/keyboard/key_geometry.h"
#include "common/keyboard/key_script.h"
#include "common/keyboard/key_table.h"
#include "platform/keyboard_platform.h"

namespace tw {

class KeyboardController : public QObject {
  Q_OBJECT

 public:
  // The services the controller types and looks through; they must outlive it.
  // The sound player is used by the keys.
  using Platform = KeyboardPlatform;
  using Notify = std::function<void(KeyboardController&)>;

  // owner_form: the form the keyboard lies on; its keys follow this controller.
  KeyboardController(QWidget* owner_form, Platform platform);
  ~KeyboardController() override;

  // Published properties.
  bool AutoHandle() const { return auto_handle_; }
  void SetAutoHandle(bool on) { auto_handle_ = on; }
  ColourValue LightColour() const { return palette_.light; }
  ColourValue LightHighColour() const { return palette_.light_high; }
  ColourValue LightLowColour() const { return palette_.light_low; }
  ColourValue DarkColour() const { return palette_.dark; }
  ColourValue DarkHighColour() const { return palette_.dark_high; }
  ColourValue DarkLowColour() const { return palette_.dark_low; }
  void SetLightColour(ColourValue colour);
  void SetDarkColour(ColourValue colour);
  bool UseColour() const { return use_colour_; }
  void SetUseColour(bool on);
  int SmallFontSize() const { return small_font_size_; }
  int MediumFontSize() const { return medium_font_size_; }
  int LargeFontSize() const { return large_font_size_; }
  void SetSmallFontSize(int size) { small_font_size_ = size; }
  void SetMediumFontSize(int size) { medium_font_size_ = size; }
  void SetLargeFontSize(int size) { large_font_size_ = size; }
  // The key font size of a layout.
  int FontSizeFor(KeyLayout layout) const;
  // Face, high and low colour of a kind of key.
  void ColoursOf(KeyColour colour, ColourValue& face, ColourValue& high, ColourValue& low) const;

  // Run-time state.
  QWidget* OwnerForm() const { return owner_form_; }
  WindowHandle AppHandle() const { return app_handle_; }
  const std::string& AppTitle() const { return app_title_; }
  const Platform& platform() const { return platform_; }
  bool CapsLock() const { return locks_.caps_lock; }
  bool NumLock() const { return locks_.num_lock; }
  bool ScrollLock() const { return locks_.scroll_lock; }
  void SetCapsLock(bool on);
  void SetNumLock(bool on);
  void SetScrollLock(bool on);
  bool Shift() const { return latches_.shift; }
  bool Alt() const { return latches_.alt; }
  bool Ctrl() const { return latches_.ctrl; }
  bool AltGr() const { return latches_.alt_gr; }
  void SetShift(bool on);
  void SetAlt(bool on);
  void SetCtrl(bool on);
  void SetAltGr(bool on);
  // The latch that belongs to a modifier key type (false for KeyType::kNormal).
  bool Latched(KeyType type) const;
  void SetLatched(KeyType type, bool on);

  // Makes a window the target unless it already is, is none or not a window, or is
  // the owner form's own window.
  void TrackWindow(WindowHandle window);
  // Brings the target forward when it is not; throws EKeyError "Unable to activate
  // Program" when the system refuses.
  void ActivateTarget();
  // Activates the target and types the key script with the latched modifiers.
  // Throws EKeyError (see ActivateTarget) and ConversionError (a repeat count that
  // is not a number; the keys before it are typed, held modifiers released).
  void SendKeys(const std::string& key_script);
  // One pass of the 10 ms poll: follow the foreground window, notice a vanished
  // target, refresh the title and the lock states.
  void Poll();
  bool Polling() const { return timer_.isActive(); }
  // Polls (from a poll at once) or stops: a keyboard that is not shown need not follow
  // anything, and polls nothing.
  void SetPolling(bool on);

  // Events.
  Notify OnAppTitleChange;
  Notify OnAppHandleChange;
  Notify OnCapsLockStateChange;
  Notify OnScrollLockStateChange;
  Notify OnNumLockStateChange;
  Notify OnShiftStateChange;
  Notify OnAltStateChange;
  Notify OnCtrlStateChange;
  Notify OnAltGrStateChange;
  // A message of the key-script notation: caption "SendKeys" and the text.
  std::function<void(const std::string& caption, const std::string& text)> OnMessage;
  // Exceptions of event handlers (and of key clicks) end here.
  std::function<void(std::exception_ptr)> OnException;

  // Runs a handler; an exception goes to OnException.
  void Guarded(const std::function<void()>& action);

 protected:
  // Called by SendKeys before anything is sent.
  virtual void BeforeSend(const std::string& key_script, WindowHandle target);

 private:
  void Fire(const Notify& event);
  void SetPalette(const KeyPalette& palette);
  void LatchChanged(KeyType type, const Notify& event);
  void SetLock(bool LockStates::*member, bool on, const Notify& event);
  template <typename Visit>
  void ForEachKey(Visit visit);

  QPointer<QWidget> owner_form_;
  Platform platform_;
  QTimer timer_;
  bool auto_handle_ = true;
  KeyPalette palette_ = ColourPalette(kDefaultLightColour, kDefaultDarkColour);
  bool use_colour_ = true;
  int small_font_size_ = 8;
  int medium_font_size_ = 10;
  int large_font_size_ = 16;
  WindowHandle app_handle_ = kNoWindow;
  std::string app_title_;
  LockStates locks_;
  KeyLatches latches_;
};

// The Setup Manager's controller: the same, with an event before every send.
class SendingKeyboardController : public KeyboardController {
  Q_OBJECT

 public:
  using KeyboardController::KeyboardController;
  // Sender, the key script as given (before the latch prefixes), the target window.
  std::function<void(KeyboardController&, const std::string&, WindowHandle)> OnSend;

 protected:
  void BeforeSend(const std::string& key_script, WindowHandle target) override;
};

}  // namespace tw
