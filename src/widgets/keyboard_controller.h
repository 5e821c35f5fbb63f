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
  // The keys take their colours from the look at once, their font size the next time
  // their layout is set (or they are Loaded).
  const KeyboardLook& Look() const { return look_; }
  void SetLook(const KeyboardLook& look);
  // Switching colour on or off replaces the look's palette with the default coloured
  // one or the grey one.
  bool UseColour() const { return use_colour_; }
  void SetUseColour(bool on);

  // Run-time state.
  QWidget* OwnerForm() const { return owner_form_; }
  WindowHandle AppHandle() const { return app_handle_; }
  const std::string& AppTitle() const { return app_title_; }
  const Platform& platform() const { return platform_; }
  // The locks mirror the system's (see Poll).
  bool Locked(LockKey lock) const;
  void SetLocked(LockKey lock, bool on);
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
  // A latch or a lock went on or off; Latched or Locked tells which way.
  std::function<void(KeyboardController&, KeyType)> OnLatchChange;
  std::function<void(KeyboardController&, LockKey)> OnLockChange;
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
  template <typename Visit>
  void ForEachKey(Visit visit);

  QPointer<QWidget> owner_form_;
  Platform platform_;
  QTimer timer_;
  bool auto_handle_ = true;
  KeyboardLook look_;
  bool use_colour_ = true;
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
