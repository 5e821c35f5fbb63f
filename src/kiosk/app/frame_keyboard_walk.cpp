#include "kiosk/app/frame_keyboard_walk.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <utility>

#include "widgets/key_button.h"
#include "widgets/keyboard_controller.h"

namespace tw {

FrameKeyboardWalk::FrameKeyboardWalk(std::vector<QWidget*> panels, std::function<void()> return_focus)
    : return_focus_(std::move(return_focus)) {
  for (QWidget* panel : panels) panels_.emplace_back(panel);
  // The panels are given back their never-the-focus once the keyboard has left them,
  // however it left (a press hands it to the page).
  connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* window) {
    for (const QPointer<QWidget>& panel : panels_) {
      if (panel && panel->windowHandle() != window) AcceptFocus(*panel, false);
    }
  });
}

void FrameKeyboardWalk::AcceptFocus(QWidget& panel, bool accept) {
  // On the native window only: changing the widget's flags would hide it.
  if (QWindow* window = panel.windowHandle()) window->setFlag(Qt::WindowDoesNotAcceptFocus, !accept);
}

int FrameKeyboardWalk::CurrentPanel() const {
  const QWidget* focus = QApplication::focusWidget();
  if (focus == nullptr) return -1;
  for (std::size_t i = 0; i < panels_.size(); ++i) {
    if (panels_[i] && panels_[i]->isAncestorOf(focus)) return static_cast<int>(i);
  }
  return -1;
}

std::vector<QWidget*> FrameKeyboardWalk::Stops(QWidget& panel) const {
  std::vector<QWidget*> stops;
  for (QWidget* w : panel.findChildren<QWidget*>()) {
    if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(&panel) && w->isEnabled() && panel.isVisible()) {
      stops.push_back(w);
    }
  }
  // Reading order: row by row (a row is the height of half a key), left to right.
  const auto place = [&panel](const QWidget* w) { return w->mapTo(&panel, QPoint(0, 0)); };
  std::sort(stops.begin(), stops.end(), [&](const QWidget* a, const QWidget* b) {
    const QPoint pa = place(a), pb = place(b);
    const int row_a = pa.y() / std::max(1, a->height() / 2), row_b = pb.y() / std::max(1, a->height() / 2);
    return row_a != row_b ? row_a < row_b : pa.x() < pb.x();
  });
  return stops;
}

void FrameKeyboardWalk::FrameKey() {
  for (int next = CurrentPanel() + 1; next < static_cast<int>(panels_.size()); ++next) {
    if (panels_[static_cast<std::size_t>(next)] && !Stops(*panels_[static_cast<std::size_t>(next)]).empty()) {
      Enter(next);
      return;
    }
  }
  Leave();
}

void FrameKeyboardWalk::Enter(int index) {
  QWidget& panel = *panels_[static_cast<std::size_t>(index)];
  AcceptFocus(panel, true);
  panel.raise();
  panel.activateWindow();
  Stops(panel).front()->setFocus(Qt::TabFocusReason);
}

void FrameKeyboardWalk::Leave() {
  for (const QPointer<QWidget>& panel : panels_) {
    if (panel) AcceptFocus(*panel, false);
  }
  if (return_focus_) return_focus_();
}

void FrameKeyboardWalk::Move(int step) {
  const int index = CurrentPanel();
  if (index < 0) return;
  const std::vector<QWidget*> stops = Stops(*panels_[static_cast<std::size_t>(index)]);
  if (stops.empty()) return;
  const auto at = std::find(stops.begin(), stops.end(), QApplication::focusWidget());
  const int from = at == stops.end() ? 0 : static_cast<int>(at - stops.begin());
  const int count = static_cast<int>(stops.size());
  stops[static_cast<std::size_t>(((from + step) % count + count) % count)]->setFocus(Qt::TabFocusReason);
}

bool FrameKeyboardWalk::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress && CurrentPanel() >= 0) {
    // A touch elsewhere (the page): the keyboard goes back there, once the touch is through.
    auto* widget = qobject_cast<QWidget*>(watched);
    const QPointer<QWidget> panel = panels_[static_cast<std::size_t>(CurrentPanel())];
    if (widget != nullptr && panel && widget->window() != panel) {
      QTimer::singleShot(0, this, [this] { Leave(); });
    }
    return QObject::eventFilter(watched, event);
  }
  if (event->type() != QEvent::KeyPress || CurrentPanel() < 0) return QObject::eventFilter(watched, event);
  QWidget* focus = QApplication::focusWidget();
  switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_Tab: Move(+1); return true;
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Backtab: Move(-1); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      if (auto* button = qobject_cast<QAbstractButton*>(focus)) {
        button->click();
      } else if (auto* key = qobject_cast<KeyButton*>(focus)) {
        key->Click();
      }
      return true;
    case Qt::Key_Escape: Leave(); return true;
    default: return QObject::eventFilter(watched, event);
  }
}

}  // namespace tw
