// A painted 3-D key of the on-screen keyboard with up to four captions. A click
// types the key's script through its controller; modifier keys also invert their
// latch and look pressed while it is on.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "common/key_geometry.h"
#include "common/key_table.h"

namespace tw {

class KeyboardController;

class KeyButton : public QWidget {
  Q_OBJECT

 public:
  explicit KeyButton(QWidget* parent = nullptr);

  const QString& Caption() const { return captions_[0]; }
  const QString& Caption2() const { return captions_[1]; }
  const QString& Caption3() const { return captions_[2]; }
  const QString& Caption4() const { return captions_[3]; }
  void SetCaption(const QString& text) { SetCaptionAt(0, text); }
  void SetCaption2(const QString& text) { SetCaptionAt(1, text); }
  void SetCaption3(const QString& text) { SetCaptionAt(2, text); }
  void SetCaption4(const QString& text) { SetCaptionAt(3, text); }
  const std::string& SendString() const { return send_string_; }
  void SetSendString(const std::string& script) { send_string_ = script; }

  KeyId Key() const { return key_; }
  // Fills captions, send string, type, colour and layout from the key table.
  void SetKey(KeyId key);
  KeyType Type() const { return key_type_; }
  void SetKeyType(KeyType type);
  KeyColour Colour() const { return key_colour_; }
  // Takes the controller's three colours of that kind.
  void SetKeyColour(KeyColour colour);
  KeyLayout Layout() const { return key_layout_; }
  // Takes the controller's font size for the layout and places the captions.
  void SetKeyLayout(KeyLayout layout);
  KeyboardController* KeyController() const { return controller_; }
  void SetKeyController(KeyboardController* controller);
  bool Active() const { return active_; }
  void SetActive(bool active) { active_ = active; }
  KeySound Sound() const { return sound_; }
  void SetSound(KeySound sound) { sound_ = sound; }
  const std::string& CustomSound() const { return custom_sound_; }
  void SetCustomSound(const std::string& path) { custom_sound_ = path; }

  // After the form has been loaded: apply type, colour and layout again, so the
  // controller's colours and font sizes win over stored ones.
  void Loaded();
  // The controller's colours or latches changed.
  void ControllerChanged();

  // Clicks the key: types its script (when Active and with a controller), inverts
  // a modifier's latch, repaints, then fires OnClick. Errors of the typing go to
  // the controller's OnException; the click then stops.
  void Click();
  std::function<void(KeyButton&)> OnClick;
  // Mouse events of an enabled key, after the key has handled them.
  using MouseNotify = std::function<void(KeyButton&, QMouseEvent&)>;
  MouseNotify OnMouseDown;
  MouseNotify OnMouseMove;
  MouseNotify OnMouseUp;

  // State for painting and tests.
  bool Held() const { return held_; }
  bool LooksPressed() const;
  const KeyColours& Colours() const { return colours_; }
  const std::array<PixelPoint, 4>& CaptionPositions() const { return positions_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void SetCaptionAt(int index, const QString& text);
  void PlaceCaptions();
  QFont CaptionFont(int index) const;
  void PlaySound();
  void Notify(const MouseNotify& event, QMouseEvent& mouse);

  std::array<QString, 4> captions_;
  std::string send_string_;
  KeyId key_ = KeyId::Custom;
  KeyType key_type_ = KeyType::kNormal;
  KeyColour key_colour_ = KeyColour::kLight;
  KeyLayout key_layout_ = KeyLayout::kNormal;
  QPointer<KeyboardController> controller_;
  bool active_ = true;
  KeySound sound_ = KeySound::kNone;
  std::string custom_sound_;

  bool mouse_down_ = false;  // the left button went down on the key and is held
  bool held_ = false;        // mouse down and the pointer inside: looks pressed
  KeyColours colours_ = KeyboardLook().palette.light;
  std::array<PixelPoint, 4> positions_{};
};

}  // namespace tw
