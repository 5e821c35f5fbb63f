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

#include "common/keyboard/key_geometry.h"
#include "common/keyboard/key_table.h"

namespace tw {

class KeyboardController;

// What a key says: the captions painted on it (where each goes depends on its
// layout) and the key script a click types.
struct KeyLegend {
  std::array<QString, 4> captions{};
  std::string send_string{};
  friend bool operator==(const KeyLegend&, const KeyLegend&) = default;
};

// Which of the controller's colours a key takes, and how its captions are laid out
// (which also picks its font size from the controller).
struct KeyLook {
  KeyColour colour = KeyColour::kLight;
  KeyLayout layout = KeyLayout::kNormal;
  friend bool operator==(const KeyLook&, const KeyLook&) = default;
};

class KeyButton : public QWidget {
  Q_OBJECT

 public:
  explicit KeyButton(QWidget* parent = nullptr);

  const KeyLegend& Legend() const { return legend_; }
  // Places the captions and repaints.
  void SetLegend(const KeyLegend& legend);

  KeyId Key() const { return key_; }
  // Fills the first two captions, the send string, the type and the look from the
  // key table.
  void SetKey(KeyId key);
  KeyType Type() const { return key_type_; }
  void SetKeyType(KeyType type);
  const KeyLook& Look() const { return look_; }
  // Takes the controller's colours of the look's kind and its font size for the
  // look's layout, and places the captions.
  void SetLook(const KeyLook& look);
  KeyboardController* KeyController() const { return controller_; }
  void SetKeyController(KeyboardController* controller);
  bool Active() const { return active_; }
  void SetActive(bool active) { active_ = active; }
  KeySound Sound() const { return sound_; }
  void SetSound(KeySound sound) { sound_ = sound; }
  const std::string& CustomSound() const { return custom_sound_; }
  void SetCustomSound(const std::string& path) { custom_sound_ = path; }

  // After the form has been loaded: apply type and look again, so the controller's
  // colours and font sizes win over stored ones.
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
  void PlaceCaptions();
  // What a screen reader says for the key: what it types, or the key it is.
  void NameForScreenReaders();
  QFont CaptionFont(int index) const;
  void PlaySound();
  void Notify(const MouseNotify& event, QMouseEvent& mouse);

  KeyLegend legend_;
  KeyId key_ = KeyId::Custom;
  KeyType key_type_ = KeyType::kNormal;
  KeyLook look_;
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
