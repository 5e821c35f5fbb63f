// The controller's window: the splash picture while the kiosk starts, later the cover
// that hides the frame while idle mode is on.
#pragma once

#include <QLabel>
#include <QPixmap>
#include <QWidget>
#include <functional>

namespace tw {

class SplashWindow : public QWidget {
  Q_OBJECT

 public:
  explicit SplashWindow(QWidget* parent = nullptr);

  // Shows this picture file instead of the built-in one; false when it cannot be read.
  bool LoadSplash(const QString& file);
  void SetFirstPaintCallback(std::function<void()> callback) { on_first_paint_ = std::move(callback); }

  QLabel* ImageSplash() const { return image_splash_; }
  QLabel* LabelLine1() const { return label_line1_; }

  // Draws the picture at the picture control's current size (after scaling).
  void RefreshPicture();

  // The built-in picture, drawn at the given size.
  static QPixmap DesignedPicture(const QSize& size);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QLabel* image_splash_;
  QLabel* label_line1_;
  QPixmap loaded_;
  std::function<void()> on_first_paint_;
};

}  // namespace tw
