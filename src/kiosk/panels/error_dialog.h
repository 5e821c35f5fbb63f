// The kiosk's own message box: one line of text, OK and, for a question, Cancel. It
// stays above the frame panels, logs every message it shows and closes by itself ten
// seconds after it appeared (an unanswered question is declined, a message acknowledged).
#pragma once

#include <QDialog>
#include <QLabel>
#include <QTimer>
#include <functional>
#include <string>

#include "common/setting_errors.h"
#include "kiosk/core/dialog_auto_close.h"
#include "platform/button_sound.h"

namespace tw {

class PanelButton;
class TiledBitmap;

class ErrorDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ErrorDialog(QWidget* parent = nullptr);

  // Reads the captions, glyphs, sounds and background from Tarnwick.ini and scales the
  // dialog. A glyph count or sound that is not a number has its default and is kept in
  // setting_errors() for the kiosk to report.
  void FormCreate(const std::string& config_file, double screen_scale);
  const SettingErrors& setting_errors() const { return setting_errors_; }
  void SetSoundPlayer(ButtonSoundPlayer* player);

  // Every showing is written here (the activity log).
  std::function<void(const std::string&)> OnLog;

  // Shows a message and waits until it is closed.
  void ShowMessage(const std::string& text);
  // Shows a question and waits; true when OK was chosen.
  bool AskQuestion(const std::string& text);
  // Shows a message, modal to the kiosk's windows, and returns at once: the caller's
  // timers and passes go on while it is shown.
  void OpenMessage(const std::string& text);

  void BOKClick();
  void BCancelClick();
  // One second of the automatic close; public so that tests can drive it.
  void TimerTimer();

  bool ok_pressed() const { return ok_pressed_; }
  int ticks() const { return auto_close_.ticks(); }
  QLabel* ErrorMessage() const { return message_; }
  PanelButton* BOK() const { return ok_; }
  PanelButton* BCancel() const { return cancel_; }
  QTimer* Timer() { return &timer_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void reject() override;  // Escape: no way around the buttons

 private:
  void Centre();

  QLabel* message_ = nullptr;
  PanelButton* ok_ = nullptr;
  PanelButton* cancel_ = nullptr;
  TiledBitmap* tiled_ = nullptr;
  QTimer timer_;
  DialogAutoClose auto_close_;
  SettingErrors setting_errors_;
  bool ok_pressed_ = false;
};

}  // namespace tw
