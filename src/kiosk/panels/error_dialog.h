// The kiosk's own message box: one line of text, OK and, for a question, Cancel. It
// stays above the frame panels and closes by itself ten seconds after it appeared (an
// unanswered question is declined, a message acknowledged). What it shows has been
// logged by whoever reported it.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QTimer>
#include <string>

#include "kiosk/core/frame/dialog_auto_close.h"
#include "kiosk/core/settings/kiosk_settings.h"
#include "platform/button_sound.h"

namespace tw {

class PanelButton;
class TiledBitmap;

class ErrorDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ErrorDialog(QWidget* parent = nullptr);

  // Captions, glyphs, sounds and background, and the dialog scaled.
  void Apply(const ErrorDialogConfig& config, double screen_scale);
  void SetSoundPlayer(ButtonSoundPlayer* player);

  // Shows a message and waits until it is closed.
  void ShowMessage(const std::string& text);
  // Shows a question and waits; true when OK was chosen.
  bool AskQuestion(const std::string& text);
  // Shows a message, modal to the kiosk's windows, and returns at once: the caller's
  // timers and passes go on while it is shown.
  void OpenMessage(const std::string& text);

  void OkClicked();
  void CancelClicked();
  // One second of the automatic close; public so that tests can drive it.
  void SecondTick();

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
  bool ok_pressed_ = false;
};

}  // namespace tw
