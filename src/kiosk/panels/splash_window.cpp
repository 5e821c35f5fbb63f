#include "kiosk/panels/splash_window.h"

#include <QFileInfo>
#include <QLinearGradient>
#include <QPainter>

#include "kiosk/core/kiosk_controller.h"

namespace tw {

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      image_splash_(new QLabel(this)),
      label_line1_(new QLabel(this)) {
  setObjectName("FormSplash");
  setAccessibleName("Starting");
  setWindowTitle("Tarnwick");
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAutoFillBackground(true);
  QPalette black = palette();
  black.setColor(QPalette::Window, Qt::black);
  black.setColor(QPalette::WindowText, Qt::white);
  setPalette(black);

  // Design geometry inside the 700 x 483 form; scaled with the form.
  image_splash_->setObjectName("ImageSplash");
  image_splash_->setGeometry(50, 24, 600, 400);
  image_splash_->setAlignment(Qt::AlignCenter);
  label_line1_->setObjectName("LabelLine1");
  label_line1_->setGeometry(50, 440, 600, 24);
  label_line1_->setAlignment(Qt::AlignCenter);
  label_line1_->setText(kVersionLine);
  setGeometry(25, 60, 700, 483);
}

bool SplashWindow::LoadSplash(const QString& file) {
  if (file.isEmpty() || !QFileInfo::exists(file)) return false;
  QPixmap picture(file);
  if (picture.isNull()) return false;
  loaded_ = picture;
  RefreshPicture();
  return true;
}

QPixmap SplashWindow::DesignedPicture(const QSize& size) {
  QPixmap picture(size.isEmpty() ? QSize(1, 1) : size);
  picture.fill(Qt::black);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, picture.height());
  sky.setColorAt(0, QColor(20, 60, 120));
  sky.setColorAt(1, QColor(5, 15, 40));
  p.fillRect(picture.rect(), sky);
  QFont font("Sans");
  font.setPixelSize(std::max(8, picture.height() / 5));
  font.setBold(true);
  p.setFont(font);
  p.setPen(QColor(240, 200, 60));
  p.drawText(picture.rect(), Qt::AlignCenter, "Tarnwick");
  font.setPixelSize(std::max(6, picture.height() / 16));
  font.setBold(false);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(picture.rect().adjusted(0, picture.height() / 2, 0, 0), Qt::AlignCenter, "Public Internet Kiosk");
  return picture;
}

void SplashWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  RefreshPicture();
}

void SplashWindow::RefreshPicture() {
  if (loaded_.isNull()) {
    image_splash_->setPixmap(DesignedPicture(image_splash_->size()));
  } else {
    image_splash_->setPixmap(loaded_.scaled(image_splash_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
  }
}

void SplashWindow::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  if (on_first_paint_) {
    auto callback = std::move(on_first_paint_);
    on_first_paint_ = nullptr;
    callback();
  }
}

}  // namespace tw
