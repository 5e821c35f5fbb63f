// A picture on a panel: a still picture, or an animated one (GIF) that plays with its
// own frame delays and loop count. Reports clicks.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QLabel>
#include <QPixmap>
#include <cstdint>
#include <functional>
#include <stdexcept>

class QMovie;

namespace tw {

// A picture file that exists but cannot be read.
class PictureError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A colour value 00BBGGRR; a top byte of 80 names a system colour, taken from `palette`.
QColor ColourFromValue(std::uint32_t value, const QPalette& palette);

bool PictureFileExists(const std::string& path);

class PictureBox : public QLabel {
  Q_OBJECT

 public:
  explicit PictureBox(QWidget* parent = nullptr);
  ~PictureBox() override;

  // Centred in the box, or at its top-left corner. A picture larger than the box is
  // shrunk to fit it, keeping its proportions; a smaller one keeps its own size.
  void SetCentered(bool centered);
  // Loads a picture file in any format the image readers know; several frames play as
  // an animation. Throws PictureError when the file cannot be read; the shown picture
  // stays then. A still picture whose file holds the same bytes as when it was last
  // read here is not decoded and scaled again (rotating banners come back every few
  // seconds).
  void LoadFromFile(const std::string& path);
  void SetPicture(const QPixmap& picture);
  bool Animated() const { return movie_ != nullptr; }
  QMovie* Movie() const { return movie_; }
  // The picture as shown now (the current frame of an animation).
  QPixmap Current() const;

  // A press and release of the left button within the box.
  std::function<void()> OnClick;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  // An animated picture moves only while it is shown.
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void DropMovie();
  void Fit();

  // A still picture as read from its file, and as last fitted to the box.
  struct ReadPicture {
    QByteArray bytes;
    QPixmap picture;
    QPixmap fitted;
    QSize fitted_to;
  };
  static constexpr int kMaxReadPictures = 16;
  bool ShowReadPicture(const QString& file, const QByteArray& bytes);
  void KeepReadPicture(const QString& file, QByteArray bytes);

  QHash<QString, ReadPicture> read_pictures_;
  QMovie* movie_ = nullptr;
  QPixmap original_;
  QSize natural_size_;  // of the animation's frames
};

}  // namespace tw
