#include "kiosk/email/window/kiosk_email_window.h"

#include <QCoreApplication>
#include <QRect>
#include <cmath>

#include "kiosk/email/window/email_form.h"

namespace tw {

KioskEmailWindow::KioskEmailWindow(const EmailWindowConfig& config, const MailServerSettings& server, bool debug,
                                   double screen_scale, ButtonSoundPlayer* sounds, Parts parts)
    : parts_(std::move(parts)), rules_(*this, config, server, debug) {
  EmailForm::Events events;
  events.edited = [this](EmailField field, std::string text) { Forward([&] { rules_.Edit(field, std::move(text)); }); };
  events.cc_self = [this](bool on) { Forward([&] { rules_.SetCcSelf(on); }); };
  events.memo = [this](std::vector<std::string> lines) { rules_.SetMemo(std::move(lines)); };
  events.selected = [this](int index) { Forward([&] { rules_.SelectMessage(index); }); };
  events.get = [this] { Forward([&] { rules_.GetMail(); }); };
  events.new_message = [this] { Forward([&] { rules_.NewMessage(); }); };
  events.reply = [this] { Forward([&] { rules_.Reply(); }); };
  events.del = [this] { Forward([&] { rules_.Delete(); }); };
  events.send = [this] { Forward([&] { rules_.Send(); }); };
  events.cancel = [this](EmailPage page) { Forward([&] { rules_.Cancel(page); }); };
  events.focus_taken = [this] { rules_.FocusTaken(); };
  form_ = std::make_unique<EmailForm>(config, sounds, std::move(events));
  form_->Scale(screen_scale);
  // The bar swings between full and empty while mail moves: |cos(counter degrees)|.
  busy_timer_.setInterval(20);
  QObject::connect(&busy_timer_, &QTimer::timeout, [this] {
    parts_.busy_meter(static_cast<int>(std::abs(std::trunc(std::cos(busy_counter_ * M_PI / 180.0) * 100))));
    ++busy_counter_;
  });
  // Only the form: the kiosk's other windows may not exist yet.
  form_->Render(rules_.View(), rules_.Buttons());
}

KioskEmailWindow::~KioskEmailWindow() = default;

bool KioskEmailWindow::IsVisible() const { return rules_.View().visible; }

void KioskEmailWindow::Hide() {
  Forward([&] { rules_.Hide(); });
}

void KioskEmailWindow::Open(int mode, const std::string& address) {
  Forward([&] { rules_.Open(mode, address); });
}

void KioskEmailWindow::PrintText() {
  const std::vector<std::string> lines = rules_.PrintLines();
  if (!lines.empty()) parts_.print(lines);
}

void KioskEmailWindow::SelectMessage(int step) {
  Forward([&] { rules_.StepSelection(step); });
}

void KioskEmailWindow::TakeFocus() {
  if (!IsVisible()) return;
  form_->activateWindow();
  // The field being typed in keeps the focus: the on-screen keyboard's keys go to it.
  if (!form_->focusWidget()) form_->setFocus(Qt::OtherFocusReason);
}

void KioskEmailWindow::ClearVisitor() {
  Forward([&] { rules_.ClearVisitor(); });
}

void KioskEmailWindow::Place(const QRect& bounds) { form_->Place(bounds); }

void KioskEmailWindow::ShowError(const std::string& text) {
  Render();
  parts_.show_error(text);
}

void KioskEmailWindow::WindowShown(bool shown) {
  if (shown) {
    form_->show();
    form_->raise();
    form_->activateWindow();
  } else {
    form_->hide();
  }
  parts_.shown(shown);
}

void KioskEmailWindow::MainLoopMeter(int percent) {
  if (!Busy()) parts_.busy_meter(percent);
}

void KioskEmailWindow::BusyChanged(bool busy) {
  if (busy) {
    busy_counter_ = 0;
    busy_timer_.start();
  } else {
    busy_timer_.stop();
    parts_.busy_meter(-1);
  }
  Render();
}

void KioskEmailWindow::PumpMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents, 10); }

void KioskEmailWindow::Forward(const std::function<void()>& action) {
  parts_.guarded([&] {
    action();
    Render();
  });
}

void KioskEmailWindow::Render() {
  const EmailButtons buttons = rules_.Buttons();
  form_->Render(rules_.View(), buttons);
  parts_.message_steps(rules_.View().visible, buttons.previous, buttons.next);
}

}  // namespace tw
