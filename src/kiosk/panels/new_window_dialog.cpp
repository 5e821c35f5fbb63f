#include "kiosk/panels/new_window_dialog.h"

#include <QGuiApplication>
#include <QScreen>
#include <utility>

namespace tw {

NewWindowDialog::NewWindowDialog(const NewBrowserMessages& texts, QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Dialog),
      label1_(new QLabel(this)),
      button1_(new QPushButton(this)),
      button2_(new QPushButton(this)) {
  setObjectName("DialogNewWindow");
  setAccessibleName("New browser window");
  setWindowTitle("New Browser Window Detected");
  setModal(true);
  // Not scaled: the same size on every screen.
  setFixedSize(265, 169);

  auto* frame = new QFrame(this);  // the raised frame around the whole form
  frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
  frame->setLineWidth(2);
  frame->setGeometry(0, 0, 265, 169);
  frame->lower();

  label1_->setObjectName("Label1");
  label1_->setText(QString::fromStdString(texts.title));
  label1_->setAlignment(Qt::AlignCenter);
  label1_->setWordWrap(true);
  QFont heading = label1_->font();
  heading.setPixelSize(16);
  heading.setBold(true);
  label1_->setFont(heading);
  label1_->setFrameStyle(QFrame::Box | QFrame::Sunken);
  label1_->setGeometry(12, 12, 241, 60);

  button1_->setObjectName("Button1");
  button1_->setText(QString::fromStdString(texts.transfer));
  button1_->setGeometry(16, 96, 112, 52);
  button2_->setObjectName("Button2");
  button2_->setText(QString::fromStdString(texts.remove));
  button2_->setGeometry(137, 96, 112, 52);
  button2_->setDefault(true);
  button2_->setAutoDefault(true);
  button1_->setAutoDefault(false);

  connect(button1_, &QPushButton::clicked, this, [this] { done(kTransfer); });
  connect(button2_, &QPushButton::clicked, this, [this] { done(kRemove); });

  // Centred on the screen the visitor looks at (the 800 x 600 centre is off-centre on
  // any other screen).
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->geometry() : QRect(0, 0, 800, 600);
  move(area.center().x() - width() / 2, area.center().y() - height() / 2);

  unanswered_.setSingleShot(true);
  connect(&unanswered_, &QTimer::timeout, this, &NewWindowDialog::Remove);
  connect(this, &QDialog::finished, this, [this](int result) {
    unanswered_.stop();
    // Told from the event loop, never inside the call that closed the question.
    QTimer::singleShot(0, this, [answered = std::exchange(answered_, nullptr), result] {
      if (answered) answered(result == kTransfer);
    });
  });
}

bool NewWindowDialog::Ask(std::function<void(bool transfer)> answered) {
  if (isVisible() || answered_) return false;
  answered_ = std::move(answered);
  setWindowModality(Qt::ApplicationModal);
  show();
  raise();
  button2_->setFocus();
  unanswered_.start(kUnansweredMs);
  return true;
}

void NewWindowDialog::Remove() {
  if (isVisible()) done(kRemove);
}

}  // namespace tw
