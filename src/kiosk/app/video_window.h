// The attract video: a black window over the whole screen that plays a video file in a
// loop until someone clicks it. A file that cannot be played leaves the black window
// with a caption that says so.
#pragma once

#include <QWidget>
#include <functional>
#include <string>

class QLabel;
class QMediaPlayer;
class QVideoWidget;

namespace tw {

class VideoWindow : public QWidget {
  Q_OBJECT

 public:
  struct Options {
    std::string file_name = "xxx";  // ATTRACT/VideoFileName
    int video_width = 800;          // ATTRACT/VideoWidth, pixels, not scaled
    int video_height = 600;         // ATTRACT/VideoHeight
    bool open = false;              // ATTRACT/TimeVideo is not 0
    double screen_scale = 1.0;
  };

  // `write_log` receives the log lines ("Unable to load AVI File - ..."), also those of
  // the set-up.
  VideoWindow(Options options, std::function<void(const std::string&)> write_log, QWidget* parent = nullptr);
  ~VideoWindow() override;

  // A visitor's click on the video (DisplayPanelClick): the kiosk stops it.
  std::function<void()> OnClick;
  // The mouse button is held down on the video (true) or released (false).
  std::function<void(bool)> OnHold;

  // Makes the player and opens the file (nothing when no video is set or it was not found);
  // done by the first StartVideo at the latest.
  void Prepare();
  // Shows the window and plays the file in a loop (when it could be opened).
  void StartVideo();
  // Stops playing and hides the window.
  void StopVideo();

  bool playing() const { return looping_; }
  bool loaded() const { return !file_name_.empty(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void OpenFailed(const std::string& why);

  std::function<void(const std::string&)> write_log_;
  QLabel* display_panel_;
  QVideoWidget* video_widget_ = nullptr;
  QMediaPlayer* player_ = nullptr;
  std::string file_name_;  // the file to play; empty when there is none
  bool looping_ = false;
  bool failed_ = false;
};

}  // namespace tw
