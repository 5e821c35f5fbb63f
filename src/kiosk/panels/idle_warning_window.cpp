#include "kiosk/panels/idle_warning_window.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

namespace tw {

IdleWarningWindow::IdleWarningWindow(const std::string& question, QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      question_(new QLabel(this)),
      countdown_(new QLabel(this)) {
  setObjectName("FormIdleWarning");
  setAccessibleName("Idle warning");
  setAccessibleDescription(QString::fromStdString(question));
  setWindowTitle("Tarnwick");
  setFocusPolicy(Qt::StrongFocus);
  setAutoFillBackground(true);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, QColor(16, 32, 64));
  colours.setColor(QPalette::WindowText, Qt::white);
  setPalette(colours);

  question_->setObjectName("LabelQuestion");
  question_->setText(QString::fromStdString(question));
  question_->setAlignment(Qt::AlignCenter);
  question_->setWordWrap(true);
  countdown_->setObjectName("LabelCountdown");
  countdown_->setAlignment(Qt::AlignCenter);

  auto* layout = new QVBoxLayout(this);
  layout->addStretch(2);
  layout->addWidget(question_);
  layout->addWidget(countdown_);
  layout->addStretch(3);
}

void IdleWarningWindow::FitToScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->geometry() : QRect(0, 0, 800, 600);
  setGeometry(area);
  layout()->setContentsMargins(area.width() / 10, 0, area.width() / 10, 0);
  QFont font = question_->font();
  font.setPixelSize(std::max(16, area.height() / 18));
  font.setBold(true);
  question_->setFont(font);
  font.setPixelSize(std::max(32, area.height() / 6));
  countdown_->setFont(font);
}

void IdleWarningWindow::ShowCountdown(int seconds_left) {
  const QString count = QString::number(seconds_left);
  countdown_->setText(count);
  countdown_->setAccessibleName(count);
  if (isVisible()) return;
  FitToScreen();
  show();
  raise();
  // It takes the keyboard: a key answers it whichever browser had the focus, and a screen
  // reader reads out the window that became active, the question with it.
  activateWindow();
  setFocus(Qt::OtherFocusReason);
}

void IdleWarningWindow::Answer() {
  if (answered) answered();
}

void IdleWarningWindow::mousePressEvent(QMouseEvent* event) {
  event->accept();
  Answer();
}

void IdleWarningWindow::keyPressEvent(QKeyEvent* event) {
  event->accept();
  Answer();
}

}  // namespace tw
