// A flat tool-bar button with a caption and a picture to its right. The picture is a
// strip of equal frames: the first is shown normally, the second while disabled. A
// press plays the button's sound; the button takes the keyboard focus only from the
// keyboard (the frame key), never from a touch.
#pragma once

#include <QAbstractButton>
#include <QPainter>
#include <QPixmap>
#include <string>

#include "platform/button_sound.h"

namespace tw {

class PanelButton : public QAbstractButton {
  Q_OBJECT

 public:
  explicit PanelButton(QWidget* parent = nullptr);

  // The picture strip and how many frames it holds (1 to 4; others count as 1).
  void SetGlyph(const QPixmap& strip);
  const QPixmap& Glyph() const { return glyph_; }
  void SetNumGlyphs(int count);
  int NumGlyphs() const { return num_glyphs_; }
  // The frame shown in the current state.
  QPixmap CurrentFrame() const;

  void SetSound(int source) { sound_ = source; }
  int Sound() const { return sound_; }
  void SetCustomSound(const std::string& path) { custom_sound_ = path; }
  const std::string& CustomSound() const { return custom_sound_; }
  void SetSoundPlayer(ButtonSoundPlayer* player) { sounds_ = player; }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QPixmap glyph_;
  int num_glyphs_ = 2;
  int sound_ = 0;
  std::string custom_sound_;
  ButtonSoundPlayer* sounds_ = nullptr;
};

// In the high-contrast look, the button's edge in its caption's colour.
void DrawContrastOutline(QPainter& painter, const QWidget& button);

}  // namespace tw
