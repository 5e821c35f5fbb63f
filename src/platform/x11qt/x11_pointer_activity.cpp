#include "platform/x11qt/x11_pointer_activity.h"

#include <X11/extensions/XInput2.h>

#include "platform/x11qt/x11_display.h"

namespace tw {

class X11PointerActivity::Connection : public X11EventListener {
 public:
  Connection() {
    if (!display_) return;
    int event_base = 0;
    int error_base = 0;
    if (!XQueryExtension(display_.Get(), "XInputExtension", &opcode_, &event_base, &error_base)) return;
    // Raw events reach the root window whatever holds a grab from version 2.1 on.
    int major = 2;
    int minor = 2;
    if (XIQueryVersion(display_.Get(), &major, &minor) != Success || major < 2 || (major == 2 && minor < 1)) return;
    display_.AddListener(this);
    X11ErrorTrap trap(display_.Get());
    Listen(true);
    available_ = trap.Ok();
  }
  ~Connection() override {
    if (display_) display_.RemoveListener(this);
  }

  bool available() const { return available_; }

  bool TakeMoved() {
    if (!available_) return true;
    display_.Pump();
    const bool moved = moved_;
    if (moved) {
      moved_ = false;
      Listen(true);
    }
    return moved;
  }

  void OnXEvent(const XEvent& event) override {
    if (event.type != GenericEvent || event.xcookie.extension != opcode_) return;
    if (!moved_) Listen(false);  // one is enough until the next question
    moved_ = true;
  }

 private:
  // A request without a reply: no wait for the server.
  void Listen(bool on) {
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    if (on) {
      for (int type : {XI_RawMotion, XI_RawButtonPress, XI_RawTouchBegin, XI_RawTouchUpdate}) XISetMask(bits, type);
    }
    XIEventMask mask{XIAllMasterDevices, static_cast<int>(sizeof bits), bits};
    XISelectEvents(display_.Get(), DefaultRootWindow(display_.Get()), &mask, 1);
    XFlush(display_.Get());
  }

  X11Display display_;
  int opcode_ = 0;
  bool available_ = false;
  bool moved_ = false;
};

X11PointerActivity::X11PointerActivity() : connection_(std::make_unique<Connection>()) {}
X11PointerActivity::~X11PointerActivity() = default;

bool X11PointerActivity::available() const { return connection_->available(); }
bool X11PointerActivity::TakeMoved() { return connection_->TakeMoved(); }

}  // namespace tw
