#include "kiosk/panels/picture_box.h"

#include <QFile>
#include <QImageReader>
#include <QMouseEvent>
#include <QMovie>

namespace tw {

QColor ColourFromValue(std::uint32_t value, const QPalette& palette) {
  if ((value >> 24) == 0x80) {
    switch (value & 0xFF) {
      case 5: return palette.color(QPalette::Base);        // window
      case 6: return palette.color(QPalette::WindowText);  // window frame
      case 8: return palette.color(QPalette::Text);        // window text
      case 13: return palette.color(QPalette::Highlight);
      case 14: return palette.color(QPalette::HighlightedText);
      case 16: return palette.color(QPalette::Dark);    // button shadow
      case 20: return palette.color(QPalette::Light);   // button highlight
      default: return palette.color(QPalette::Button);  // button face and the rest
    }
  }
  return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

bool PictureFileExists(const std::string& path) { return !path.empty() && QFile::exists(QString::fromStdString(path)); }

PictureBox::PictureBox(QWidget* parent) : QLabel(parent) { setAlignment(Qt::AlignLeft | Qt::AlignTop); }

PictureBox::~PictureBox() { DropMovie(); }

void PictureBox::SetCentered(bool centered) {
  setAlignment(centered ? Qt::AlignCenter : (Qt::AlignLeft | Qt::AlignTop));
}

void PictureBox::LoadFromFile(const std::string& path) {
  const QString file = QString::fromStdString(path);
  QByteArray bytes;
  if (QFile f(file); f.open(QIODevice::ReadOnly)) bytes = f.readAll();
  if (!bytes.isEmpty() && ShowReadPicture(file, bytes)) return;
  QImageReader reader(file);
  const bool animated = reader.supportsAnimation() && reader.imageCount() > 1;
  if (animated) {
    auto* movie = new QMovie(file, QByteArray(), this);
    // The whole file is decoded at the first frame, so a damaged one is found now.
    movie->setCacheMode(QMovie::CacheAll);
    if (!movie->isValid() || !movie->jumpToFrame(0)) {
      const QString reason = movie->lastErrorString();
      delete movie;
      throw PictureError("Cannot read picture " + path + " - " + reason.toStdString());
    }
    DropMovie();
    movie_ = movie;
    natural_size_ = movie->currentImage().size();
    setMovie(movie_);
    Fit();
    movie_->start();
    if (!isVisible()) movie_->setPaused(true);
    return;
  }
  const QImage image = reader.read();
  if (image.isNull()) throw PictureError("Cannot read picture " + path + " - " + reader.errorString().toStdString());
  SetPicture(QPixmap::fromImage(image));
  if (!bytes.isEmpty()) KeepReadPicture(file, std::move(bytes));
}

bool PictureBox::ShowReadPicture(const QString& file, const QByteArray& bytes) {
  const auto kept = read_pictures_.find(file);
  if (kept == read_pictures_.end() || kept->bytes != bytes) return false;
  DropMovie();
  original_ = kept->picture;
  if (kept->fitted_to == size()) {
    setPixmap(kept->fitted);
  } else {
    Fit();
    kept->fitted = pixmap();
    kept->fitted_to = size();
  }
  return true;
}

void PictureBox::KeepReadPicture(const QString& file, QByteArray bytes) {
  if (read_pictures_.size() >= kMaxReadPictures && !read_pictures_.contains(file)) read_pictures_.clear();
  read_pictures_.insert(file, ReadPicture{std::move(bytes), original_, pixmap(), size()});
}

void PictureBox::showEvent(QShowEvent* event) {
  QLabel::showEvent(event);
  if (movie_) movie_->setPaused(false);
}

void PictureBox::hideEvent(QHideEvent* event) {
  QLabel::hideEvent(event);
  if (movie_) movie_->setPaused(true);
}

void PictureBox::SetPicture(const QPixmap& picture) {
  DropMovie();
  original_ = picture;
  Fit();
}

void PictureBox::Fit() {
  const QSize box = size();
  if (movie_) {
    const bool larger = natural_size_.width() > box.width() || natural_size_.height() > box.height();
    movie_->setScaledSize(larger ? natural_size_.scaled(box, Qt::KeepAspectRatio) : natural_size_);
    return;
  }
  if (original_.isNull() || (original_.width() <= box.width() && original_.height() <= box.height())) {
    setPixmap(original_);
  } else {
    setPixmap(original_.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation));
  }
}

void PictureBox::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  Fit();
}

QPixmap PictureBox::Current() const { return movie_ ? movie_->currentPixmap() : pixmap(); }

void PictureBox::DropMovie() {
  if (!movie_) return;
  movie_->stop();
  setMovie(nullptr);
  delete movie_;
  movie_ = nullptr;
}

// Taken, so that the release comes here too.
void PictureBox::mousePressEvent(QMouseEvent* event) { event->accept(); }

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && OnClick) OnClick();
}

}  // namespace tw
