#include "kiosk/app/stacking_watcher.h"

#include <QSocketNotifier>

#include "platform/x11qt/x11_display.h"

namespace tw {

class StackingWatcher::Connection : public X11EventListener {
 public:
  explicit Connection(std::function<bool(unsigned long)> is_own) : is_own_(std::move(is_own)) {
    if (!display_) return;
    // The top level's changes only (the root window's children); the toolkit's own
    // connection keeps its event mask on the root window.
    XSelectInput(display_.Get(), DefaultRootWindow(display_.Get()), SubstructureNotifyMask);
    XFlush(display_.Get());
    display_.AddListener(this);
  }
  ~Connection() override {
    if (display_) display_.RemoveListener(this);
  }

  bool available() const { return static_cast<bool>(display_); }
  int socket() const { return ConnectionNumber(display_.Get()); }

  // Hands on what has arrived; true when the stacking may have changed.
  bool Pump() {
    changed_ = false;
    display_.Pump();
    return changed_;
  }

  void OnXEvent(const XEvent& event) override {
    switch (event.type) {
      case MapNotify:
        // A window shown, the kiosk's own too: a newly mapped window goes on top.
        changed_ = true;
        break;
      case ConfigureNotify:
        // The kiosk's own restacking is reported too; only others' changes count.
        if (!is_own_(event.xconfigure.window)) changed_ = true;
        break;
      case CirculateNotify:
        if (!is_own_(event.xcirculate.window)) changed_ = true;
        break;
      default: break;
    }
  }

 private:
  X11Display display_;
  std::function<bool(unsigned long)> is_own_;
  bool changed_ = false;
};

StackingWatcher::StackingWatcher(std::function<bool(unsigned long window)> is_own, std::function<void()> changed,
                                 QObject* parent)
    : QObject(parent), connection_(std::make_unique<Connection>(std::move(is_own))), changed_(std::move(changed)) {
  if (!connection_->available()) return;
  notifier_ = new QSocketNotifier(connection_->socket(), QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] { Drain(); });
  Drain();
}

StackingWatcher::~StackingWatcher() = default;

bool StackingWatcher::available() const { return connection_->available(); }

void StackingWatcher::Drain() {
  if (connection_->Pump() && changed_) changed_();
}

}  // namespace tw
