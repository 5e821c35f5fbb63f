#include "setup/window/browser_check_dialog.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "setup/model/setup_session.h"

namespace tw {
namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

BrowserCheckDialog::Questions WithDefaults(BrowserCheckDialog::Questions q, QWidget* parent) {
  const QString title = Q(kSetupTitle);
  if (!q.ask) {
    q.ask = [parent, title](const QString& text) {
      return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    };
  }
  if (!q.tell) q.tell = [parent, title](const QString& text) { QMessageBox::critical(parent, title, text); };
  if (!q.locate) {
    q.locate = [parent] {
      return QFileDialog::getOpenFileName(parent, browser_check_text::kLocateTitle, "/usr/bin", "Programs (*)");
    };
  }
  return q;
}

}  // namespace

BrowserCheckDialog::BrowserCheckDialog(std::string file_name, std::string program_dir, QWidget* parent,
                                       Questions questions, BrowserCheckLimits limits)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog),
      file_name_(std::move(file_name)),
      program_dir_(std::move(program_dir)),
      questions_(WithDefaults(std::move(questions), this)),
      limits_(limits),
      heading_(new QLabel(browser_check_text::kChecking, this)),
      group_(new QGroupBox(this)),
      yes_(new QPushButton("&Yes", this)),
      no_(new QPushButton("&No", this)),
      ok_(new QPushButton("&OK", this)) {
  setWindowTitle(Q(kSetupTitle));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading_);
  auto* grid = new QGridLayout(group_);
  for (int r = 0; r < kBrowserCheckRows; ++r) {
    Row& row = rows_[static_cast<std::size_t>(r)];
    row.label = new QLabel(kBrowserCheckRowTexts[static_cast<std::size_t>(r)].label, group_);
    row.bar = new QProgressBar(group_);
    row.bar->setRange(0, 100);
    row.bar->setValue(0);
    row.bar->setTextVisible(false);
    row.bar->setFixedWidth(200);
    row.percent = new QLabel("0%", group_);
    row.percent->setMinimumWidth(70);
    row.detail = new QLabel(group_);
    row.detail->setWordWrap(true);
    row.detail->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(row.label, r, 0);
    grid->addWidget(row.bar, r, 1);
    grid->addWidget(row.percent, r, 2);
    grid->addWidget(row.detail, r, 3);
  }
  grid->setColumnStretch(3, 1);
  layout->addWidget(group_);
  for (QLabel*& line : lines_) {
    line = new QLabel(this);
    line->setWordWrap(true);
    layout->addWidget(line);
  }
  layout->addStretch(1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  for (QPushButton* b : {yes_, no_, ok_}) {
    b->hide();
    buttons->addWidget(b);
  }
  layout->addLayout(buttons);
  connect(yes_, &QPushButton::clicked, this, &BrowserCheckDialog::Adjust);
  connect(no_, &QPushButton::clicked, this, &QDialog::accept);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
}

BrowserCheckDialog::~BrowserCheckDialog() {
  // Every step of the checks has a time limit, so this wait is bounded.
  if (worker_.joinable()) worker_.join();
}

void BrowserCheckDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!started_) {
    started_ = true;
    Run();
  }
}

void BrowserCheckDialog::reject() {
  // Closed by Escape only when a button could close it: never while checking.
  if (!running() && (no_->isVisible() || ok_->isVisible())) QDialog::reject();
}

void BrowserCheckDialog::Run() {
  for (QPushButton* b : {yes_, no_, ok_}) b->hide();
  for (QLabel* line : lines_) line->clear();
  heading_->setText(browser_check_text::kChecking);
  for (int r = 0; r < kBrowserCheckRows; ++r) {
    Row& row = rows_[static_cast<std::size_t>(r)];
    row.label->setStyleSheet({});
    row.bar->setValue(0);
    row.percent->setText("0%");
    row.detail->clear();
  }
  // The worker reports through queued calls, which are dropped should the dialog go first.
  QPointer<BrowserCheckDialog> self(this);
  worker_ = std::thread([self, file_name = file_name_, dir = program_dir_, limits = limits_] {
    const auto progress = [self](BrowserCheckRow row, int percent, const BrowserRowResult* result) {
      std::optional<BrowserRowResult> decided;
      if (result != nullptr) decided = *result;
      QMetaObject::invokeMethod(
          self,
          [self, row, percent, decided] {
            if (self) self->OnProgress(row, percent, decided);
          },
          Qt::QueuedConnection);
    };
    const BrowserCheckReport report = RunBrowserChecks(file_name, dir, limits, progress);
    QMetaObject::invokeMethod(
        self,
        [self, report] {
          if (self) self->OnDone(report);
        },
        Qt::QueuedConnection);
  });
}

void BrowserCheckDialog::OnProgress(BrowserCheckRow row, int percent, const std::optional<BrowserRowResult>& result) {
  Row& shown = rows_[static_cast<std::size_t>(row)];
  group_->setTitle(kBrowserCheckRowTexts[static_cast<std::size_t>(row)].caption);
  shown.bar->setValue(percent);
  shown.percent->setText(QString::number(percent) + "%");
  if (result) ShowVerdict(row, *result);
}

void BrowserCheckDialog::ShowVerdict(BrowserCheckRow row, const BrowserRowResult& result) {
  Row& shown = rows_[static_cast<std::size_t>(row)];
  shown.detail->setText(Q(result.detail));
  switch (result.verdict) {
    case RowVerdict::kGood: shown.label->setStyleSheet("color: green"); break;
    case RowVerdict::kBad: shown.label->setStyleSheet("color: red"); break;
    case RowVerdict::kNotNeeded:
      shown.label->setEnabled(false);
      shown.bar->setEnabled(false);
      shown.bar->setValue(0);
      shown.percent->setText("not needed");
      break;
    case RowVerdict::kUnchecked: break;
  }
}

void BrowserCheckDialog::OnDone(const BrowserCheckReport& report) {
  if (worker_.joinable()) worker_.join();
  report_ = report;
  group_->setTitle({});
  heading_->setText(browser_check_text::kFinished);
  if (report_.VersionTooOld() && !asked_version_) {
    asked_version_ = true;
    if (questions_.ask(Q(browser_check_text::VersionQuestion(report_)))) {
      kept_old_version_ = true;
    } else {
      switched_ = true;
    }
  }
  if (!switched_ && report_.NoBrowser() && !asked_no_browser_) {
    asked_no_browser_ = true;
    if (!questions_.ask(Q(browser_check_text::NoBrowserQuestion()))) switched_ = true;
  }
  if (adjusted_ && !switched_ && !report_.SettingsCorrect()) {
    questions_.tell(Q(browser_check_text::AdjustIncomplete(report_)));
  }
  const BrowserCheckView view = FinalView(report_, switched_, kept_old_version_);
  for (std::size_t i = 0; i < lines_.size(); ++i) lines_[i]->setText(Q(view.lines[i]));
  lines_[0]->setVisible(view.show_first_lines);
  lines_[1]->setVisible(view.show_first_lines);
  yes_->setVisible(view.yes_no);
  no_->setVisible(view.yes_no);
  ok_->setVisible(!view.yes_no);
  (view.yes_no ? yes_ : ok_)->setFocus();
  emit Finished();
}

void BrowserCheckDialog::Adjust() {
  if (running()) return;
  if (report_.ProgramAdjustable()) {
    std::string found = FindUsualBrowser(report_.program);
    if (found.empty() && questions_.ask(browser_check_text::kLocateQuestion)) found = questions_.locate().toStdString();
    if (!found.empty()) {
      file_name_ = WithProgram(file_name_, found);
      path_changed_ = true;
    }
  }
  // What cannot be repaired shows in the check that follows.
  if (report_.ProfileAdjustable()) RepairProfileFolder(program_dir_);
  adjusted_ = true;
  Run();
}

}  // namespace tw
