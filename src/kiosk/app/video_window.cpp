#include "kiosk/app/video_window.h"

#include <QFileInfo>
#include <QLabel>
#include <QMediaPlayer>
#include <QMouseEvent>
#include <QUrl>
#include <QVideoWidget>
#include <cmath>

#include "common/config/profile_file.h"

namespace tw {

VideoWindow::VideoWindow(Options options, std::function<void(const std::string&)> write_log, QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      write_log_(std::move(write_log)),
      display_panel_(new QLabel(this)),
      file_name_(options.file_name) {
  setObjectName("FormVideo");
  setAccessibleName("Video");
  setWindowTitle("Tarnwick");
  setAutoFillBackground(true);
  QPalette black = palette();
  black.setColor(QPalette::Window, Qt::black);
  black.setColor(QPalette::WindowText, Qt::white);
  setPalette(black);

  display_panel_->setObjectName("DisplayPanel");
  display_panel_->setAutoFillBackground(true);
  display_panel_->setPalette(black);
  display_panel_->setAlignment(Qt::AlignCenter);
  display_panel_->setWordWrap(true);
  QFont font = display_panel_->font();
  font.setPixelSize(21);
  display_panel_->setFont(font);
  display_panel_->resize(std::max(1, options.video_width), std::max(1, options.video_height));
  display_panel_->installEventFilter(this);

  if (!options.open) {
    file_name_.clear();
  } else {
    const QFileInfo info(QString::fromStdString(file_name_));
    if (file_name_.empty() || !info.isFile() || !info.isReadable()) {
      OpenFailed("no such file");
    } else {
      file_name_ = info.absoluteFilePath().toStdString();
    }
  }

  // Design size 800 x 600 at the top left, scaled; the panel centred in it.
  const int width = static_cast<int>(std::lround(800 * options.screen_scale));
  const int height = static_cast<int>(std::lround(600 * options.screen_scale));
  setGeometry(0, 0, width, height);
  display_panel_->move((width - display_panel_->width()) / 2, (height - display_panel_->height()) / 2);
}

VideoWindow::~VideoWindow() {
  if (player_) player_->stop();
}

void VideoWindow::Prepare() {
  if (player_ || file_name_.empty()) return;
  // The media framework takes a tenth of a second and more to start: not while the kiosk
  // itself starts.
  video_widget_ = new QVideoWidget(display_panel_);
  video_widget_->setGeometry(display_panel_->rect());
  video_widget_->setAspectRatioMode(Qt::KeepAspectRatio);
  video_widget_->installEventFilter(this);
  player_ = new QMediaPlayer(this);
  player_->setVideoOutput(video_widget_);
  player_->setLoops(QMediaPlayer::Infinite);
  connect(player_, &QMediaPlayer::errorOccurred, this,
          [this](QMediaPlayer::Error, const QString& text) { OpenFailed(text.toStdString()); });
  connect(player_, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
    if (status == QMediaPlayer::InvalidMedia) OpenFailed("invalid media");
  });
  player_->setSource(QUrl::fromLocalFile(QString::fromStdString(file_name_)));
}

void VideoWindow::OpenFailed(const std::string&) {
  if (failed_) return;
  failed_ = true;
  const std::string text = "Unable to load AVI File - " + file_name_;
  display_panel_->setText(QString::fromStdString(text));
  if (video_widget_) video_widget_->hide();
  if (write_log_) write_log_(text);
  if (player_) player_->stop();
  file_name_.clear();
}

void VideoWindow::StartVideo() {
  show();
  raise();
  Prepare();
  if (!file_name_.empty()) {
    looping_ = true;
    video_widget_->show();
    player_->setPosition(0);
    player_->play();
  }
}

void VideoWindow::StopVideo() {
  looping_ = false;
  if (player_ && !file_name_.empty()) player_->stop();
  hide();
}

bool VideoWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (event->type() == QEvent::MouseButtonPress) {
      mousePressEvent(mouse);
    } else {
      mouseReleaseEvent(mouse);
    }
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void VideoWindow::mousePressEvent(QMouseEvent*) {
  if (OnHold) OnHold(true);
}

void VideoWindow::mouseReleaseEvent(QMouseEvent*) {
  if (OnHold) OnHold(false);
  if (OnClick) OnClick();
}

}  // namespace tw
