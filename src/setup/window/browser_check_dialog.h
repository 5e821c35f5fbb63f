// The external-browser settings check shown by OK: six rows that turn green or red as the
// checks run in a worker thread (the window stays live), the result in three lines, and
// "Yes" to adjust what can be adjusted, after which everything is checked again.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "setup/model/browser_check.h"

class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace tw {

class BrowserCheckDialog : public QDialog {
  Q_OBJECT

 public:
  // What the dialog asks the operator; by default message boxes and a file dialog.
  struct Questions {
    std::function<bool(const QString&)> ask;   // a Yes/No question: true for Yes
    std::function<void(const QString&)> tell;  // an error
    std::function<QString()> locate;           // the program the operator chose; empty when none
  };

  // `file_name`: BROWSER/FileName; `program_dir` ends with "/".
  BrowserCheckDialog(std::string file_name, std::string program_dir, QWidget* parent = nullptr,
                     Questions questions = {}, BrowserCheckLimits limits = {});
  ~BrowserCheckDialog() override;

  // The results for the main window: a new program (with the operator's arguments) was
  // found, and the operator chose the embedded browser instead.
  bool pathChanged() const { return path_changed_; }
  const std::string& fileName() const { return file_name_; }
  bool switchedToEmbedded() const { return switched_; }

  bool running() const { return worker_.joinable(); }
  const BrowserCheckReport& report() const { return report_; }
  QLabel* rowLabel(int row) const { return rows_[static_cast<std::size_t>(row)].label; }
  QProgressBar* rowBar(int row) const { return rows_[static_cast<std::size_t>(row)].bar; }
  QLabel* rowDetail(int row) const { return rows_[static_cast<std::size_t>(row)].detail; }
  QLabel* line(int i) const { return lines_[static_cast<std::size_t>(i)]; }
  QLabel* heading() const { return heading_; }
  QPushButton* yesButton() const { return yes_; }
  QPushButton* noButton() const { return no_; }
  QPushButton* okButton() const { return ok_; }

 signals:
  // A run of the checks ended and its result is shown.
  void Finished();

 public slots:
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  struct Row {
    QLabel* label = nullptr;
    QProgressBar* bar = nullptr;
    QLabel* percent = nullptr;
    QLabel* detail = nullptr;  // what was found, or why the row is red
  };

  void Run();
  void OnProgress(BrowserCheckRow row, int percent, const std::optional<BrowserRowResult>& result);
  void OnDone(const BrowserCheckReport& report);
  void ShowVerdict(BrowserCheckRow row, const BrowserRowResult& result);
  void Adjust();

  std::string file_name_;
  std::string program_dir_;
  Questions questions_;
  BrowserCheckLimits limits_;
  BrowserCheckReport report_;
  bool started_ = false;
  bool adjusted_ = false;
  bool asked_version_ = false;
  bool asked_no_browser_ = false;
  bool kept_old_version_ = false;
  bool switched_ = false;
  bool path_changed_ = false;
  std::thread worker_;

  QLabel* heading_;
  QGroupBox* group_;
  std::array<Row, kBrowserCheckRows> rows_;
  std::array<QLabel*, 3> lines_{};
  QPushButton* yes_;
  QPushButton* no_;
  QPushButton* ok_;
};

}  // namespace tw
