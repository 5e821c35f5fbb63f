#include "platform/x11qt/x11_process_windows.h"

#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <map>
#include <set>

// After Qt's headers: Xlib's macros (Bool, Status, None) clash with them.
#include <X11/Xatom.h>

#include "platform/x11qt/x11_display.h"
#include "platform/x11qt/x11_window_properties.h"

namespace tw {

class X11ProcessWindows::Connection : public X11EventListener {
 public:
  Connection() {
    if (!display_) return;
    ::Display* display = display_.Get();
    root_ = DefaultRootWindow(display);
    net_wm_pid_ = display_.Intern("_NET_WM_PID");
    wm_state_ = display_.Intern("WM_STATE");
    wm_window_role_ = display_.Intern("WM_WINDOW_ROLE");
    net_wm_window_type_ = display_.Intern("_NET_WM_WINDOW_TYPE");
    wm_protocols_ = display_.Intern("WM_PROTOCOLS");
    wm_delete_window_ = display_.Intern("WM_DELETE_WINDOW");
    net_active_window_ = display_.Intern("_NET_ACTIVE_WINDOW");
    net_supporting_wm_check_ = display_.Intern("_NET_SUPPORTING_WM_CHECK");
    // The top level's changes only; the toolkit's own connection keeps its event mask.
    XSelectInput(display, root_, SubstructureNotifyMask);
    XFlush(display);
    display_.AddListener(this);
  }
  ~Connection() override {
    if (display_) display_.RemoveListener(this);
  }

  bool available() const { return static_cast<bool>(display_); }
  ::Display* display() const { return display_.Get(); }
  int socket() const { return ConnectionNumber(display_.Get()); }
  Window root() const { return root_; }

  // Hands on what has arrived; then the windows that may have been shown since.
  std::vector<Window> PumpShown() {
    display_.Pump();
    std::vector<Window> shown;
    shown.swap(shown_);
    std::sort(shown.begin(), shown.end());
    shown.erase(std::unique(shown.begin(), shown.end()), shown.end());
    return shown;
  }
  // Whether more events are waiting (reads what the socket holds, never waits).
  bool Pending() const { return XPending(display_.Get()) > 0; }
  bool Queued() const { return XEventsQueued(display_.Get(), QueuedAlready) > 0; }

  void OnXEvent(const XEvent& event) override {
    switch (event.type) {
      case MapNotify:
        if (event.xmap.event == root_) shown_.push_back(event.xmap.window);
        break;
      case ReparentNotify:
        // A window given back to the root window while it is mapped is shown without
        // being mapped again.
        if (event.xreparent.event == root_ && event.xreparent.parent == root_) shown_.push_back(event.xreparent.window);
        break;
      case UnmapNotify: closing_.erase(event.xunmap.window); break;
      case DestroyNotify: closing_.erase(event.xdestroywindow.window); break;
      default: break;
    }
  }

  // The program's own window in a top-level window: the window manager marks it with
  // WM_STATE inside its frame; without a window manager it is the top-level window itself.
  Window ClientOf(Window top) {
    if (HasWmState(top)) return top;
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    Window client = top;
    if (XQueryTree(display(), top, &root, &parent, &children, &count)) {
      for (unsigned i = 0; i < count; ++i) {
        if (HasWmState(children[i])) client = children[i];
      }
    }
    if (children) XFree(children);
    return client;
  }

  long PidOf(Window window) {
    const std::vector<unsigned long> pid = PropertyItems(display(), window, net_wm_pid_, XA_CARDINAL);
    return pid.empty() ? 0 : static_cast<long>(pid.front());
  }

  std::optional<TopLevelWindow> Facts(Window window) {
    ::Display* display = this->display();
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes)) return std::nullopt;
    TopLevelWindow facts;
    facts.id = window;
    facts.width = attributes.width;
    facts.height = attributes.height;
    facts.viewable = attributes.map_state == IsViewable;
    facts.override_redirect = attributes.override_redirect;
    Window child = 0;
    XTranslateCoordinates(display, window, root_, 0, 0, &facts.x, &facts.y, &child);
    facts.title = WindowTitle(display, window);
    const std::string classes = PropertyBytes(display, window, XA_WM_CLASS);  // "instance\0class\0"
    facts.instance = classes.substr(0, classes.find('\0'));
    if (facts.instance.size() < classes.size()) {
      const std::string rest = classes.substr(facts.instance.size() + 1);
      facts.window_class = rest.substr(0, rest.find('\0'));
    }
    const std::string role = PropertyBytes(display, window, wm_window_role_);
    facts.role = role.substr(0, role.find('\0'));
    const std::vector<unsigned long> type = PropertyItems(display, window, net_wm_window_type_, XA_ATOM);
    if (!type.empty()) facts.type = AtomName(type.front());
    facts.transient_for = WindowProperty(display, window, XA_WM_TRANSIENT_FOR);
    const std::vector<unsigned long> protocols = PropertyItems(display, window, wm_protocols_, XA_ATOM, 32);
    facts.accepts_close = std::find(protocols.begin(), protocols.end(), wm_delete_window_) != protocols.end();
    return facts;
  }

  // The shown windows of the process among these top-level windows, in their order.
  std::vector<TopLevelWindow> ShownOf(const std::vector<Window>& tops, long pid) {
    X11ErrorTrap trap(display());  // any of them may be gone meanwhile
    std::vector<TopLevelWindow> shown;
    for (Window top : tops) {
      XWindowAttributes attributes;
      if (!XGetWindowAttributes(display(), top, &attributes) || attributes.map_state != IsViewable) continue;
      const Window client = ClientOf(top);
      if (PidOf(client) != pid) continue;
      std::optional<TopLevelWindow> facts = Facts(client);
      if (facts && facts->viewable) shown.push_back(std::move(*facts));
    }
    return shown;
  }

  std::vector<Window> TopLevelWindows() {
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    std::vector<Window> tops;
    if (XQueryTree(display(), root_, &root, &parent, &children, &count)) tops.assign(children, children + count);
    if (children) XFree(children);
    return tops;
  }

  void SendProtocolMessage(Window window, Atom message_type, long first, Window to, long mask) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = message_type;
    event.xclient.format = 32;
    event.xclient.data.l[0] = first;
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display(), to, False, mask, &event);
  }

  void AskToClose(Window window) {
    SendProtocolMessage(window, wm_protocols_, static_cast<long>(wm_delete_window_), window, NoEventMask);
  }

  // Asks the window manager to activate the window, as a pager would (it obeys those).
  void AskToActivate(Window window) {
    SendProtocolMessage(window, net_active_window_, 2, root_, SubstructureRedirectMask | SubstructureNotifyMask);
  }

  bool HasWindowManager() { return WindowProperty(display(), root_, net_supporting_wm_check_) != 0; }

  // Windows asked to close whose grace has not run out; forgotten once they are hidden.
  std::set<Window> closing_;

 private:
  bool HasWmState(Window window) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const bool found = XGetWindowProperty(display(), window, wm_state_, 0, 0, False, AnyPropertyType, &type, &format,
                                          &count, &after, &data) == Success &&
                       type != None;
    if (data) XFree(data);
    return found;
  }

  std::string AtomName(Atom atom) {
    auto known = atom_names_.find(atom);
    if (known != atom_names_.end()) return known->second;
    std::string name;
    if (char* text = XGetAtomName(display(), atom)) {
      name = text;
      XFree(text);
    }
    return atom_names_[atom] = name;
  }

  X11Display display_;
  Window root_ = 0;
  Atom net_wm_pid_ = 0;
  Atom wm_state_ = 0;
  Atom wm_window_role_ = 0;
  Atom net_wm_window_type_ = 0;
  Atom wm_protocols_ = 0;
  Atom wm_delete_window_ = 0;
  Atom net_active_window_ = 0;
  Atom net_supporting_wm_check_ = 0;
  std::map<Atom, std::string> atom_names_;
  std::vector<Window> shown_;  // mapped or reparented to the root since the last pump
};

X11ProcessWindows::X11ProcessWindows(QObject* parent) : QObject(parent), connection_(std::make_unique<Connection>()) {
  if (!connection_->available()) return;
  notifier_ = new QSocketNotifier(connection_->socket(), QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] { Drain(); });
}

X11ProcessWindows::~X11ProcessWindows() = default;

bool X11ProcessWindows::available() const { return connection_->available(); }

std::vector<TopLevelWindow> X11ProcessWindows::Windows(long pid) {
  if (!available() || pid <= 0) return {};
  std::vector<TopLevelWindow> windows = connection_->ShownOf(connection_->TopLevelWindows(), pid);
  DrainSoonIfQueued();
  return windows;
}

std::optional<TopLevelWindow> X11ProcessWindows::Inspect(WindowHandle window) {
  if (!available() || window == kNoWindow) return std::nullopt;
  std::optional<TopLevelWindow> facts;
  {
    X11ErrorTrap trap(connection_->display());
    facts = connection_->Facts(static_cast<::Window>(window));
    if (!trap.Ok()) facts.reset();
  }
  DrainSoonIfQueued();
  return facts;
}

void X11ProcessWindows::Watch(long pid, std::function<void(const std::vector<TopLevelWindow>&)> shown) {
  watched_pid_ = pid;
  shown_ = std::move(shown);
  // Events that arrived before this are not about the new process's windows.
  if (available()) connection_->PumpShown();
}

bool X11ProcessWindows::Close(WindowHandle handle, std::chrono::milliseconds grace) {
  if (!available() || handle == kNoWindow) return false;
  const auto window = static_cast<::Window>(handle);
  bool asked = false;
  bool ok = false;
  {
    X11ErrorTrap trap(connection_->display());
    // Told when it hides or goes, also inside a window manager's frame.
    XSelectInput(connection_->display(), window, StructureNotifyMask);
    const std::optional<TopLevelWindow> facts = connection_->Facts(window);
    if (facts && facts->accepts_close) {
      connection_->AskToClose(window);
      asked = true;
    } else if (facts) {
      // Nothing polite to ask: only this window goes, never the program's connection.
      XDestroyWindow(connection_->display(), window);
    }
    ok = trap.Ok() && facts.has_value();
  }
  if (ok && asked) {
    connection_->closing_.insert(window);
    QTimer::singleShot(grace, this, [this, handle] { DestroyIfStillShown(handle); });
  }
  DrainSoonIfQueued();
  return ok;
}

void X11ProcessWindows::DestroyIfStillShown(WindowHandle handle) {
  const auto window = static_cast<::Window>(handle);
  Drain();  // an UnmapNotify or DestroyNotify that has arrived forgets the window
  if (!connection_->closing_.erase(window)) return;
  {
    X11ErrorTrap trap(connection_->display());
    XWindowAttributes attributes;
    if (XGetWindowAttributes(connection_->display(), window, &attributes) && attributes.map_state != IsUnmapped) {
      XDestroyWindow(connection_->display(), window);
    }
    trap.Ok();
  }
  DrainSoonIfQueued();
}

bool X11ProcessWindows::Focus(WindowHandle handle) {
  if (!available() || handle == kNoWindow) return false;
  const auto window = static_cast<::Window>(handle);
  bool ok = false;
  {
    X11ErrorTrap trap(connection_->display());
    if (connection_->HasWindowManager()) {
      connection_->AskToActivate(window);
    } else {
      // Refused (BadMatch) when the window is not shown.
      XSetInputFocus(connection_->display(), window, RevertToParent, CurrentTime);
    }
    ok = trap.Ok();
  }
  DrainSoonIfQueued();
  return ok;
}

bool X11ProcessWindows::BlockRightButton(WindowHandle handle) {
  if (!available() || handle == kNoWindow) return false;
  bool ok = false;
  {
    X11ErrorTrap trap(connection_->display());
    // A passive grab of this connection's: the press activates it for this client, so
    // the window's own client sees neither the press nor the release.
    XGrabButton(connection_->display(), Button3, AnyModifier, static_cast<::Window>(handle), False,
                ButtonPressMask | ButtonReleaseMask, GrabModeAsync, GrabModeAsync, None, None);
    ok = trap.Ok();
  }
  DrainSoonIfQueued();
  return ok;
}

bool X11ProcessWindows::Raise(WindowHandle handle) {
  if (!available() || handle == kNoWindow) return false;
  bool ok = false;
  {
    // Under a window manager the request goes to it, which raises the window's frame.
    X11ErrorTrap trap(connection_->display());
    XRaiseWindow(connection_->display(), static_cast<::Window>(handle));
    ok = trap.Ok();
  }
  DrainSoonIfQueued();
  return ok;
}

void X11ProcessWindows::Drain() {
  if (draining_ || !available()) return;
  draining_ = true;
  const QPointer<X11ProcessWindows> alive(this);
  do {
    const std::vector<::Window> candidates = connection_->PumpShown();
    if (watched_pid_ <= 0 || !shown_ || candidates.empty()) continue;
    const std::vector<TopLevelWindow> shown = connection_->ShownOf(candidates, watched_pid_);
    if (shown.empty()) continue;
    const auto report = shown_;  // the receiver may watch another process meanwhile
    report(shown);
    if (!alive) return;  // the receiver ended the watch with this object
  } while (connection_->Pending());
  draining_ = false;
}

// Answers to our own requests can bring events off the socket into the connection's queue,
// where the socket notifier does not see them.
void X11ProcessWindows::DrainSoonIfQueued() {
  if (draining_ || !connection_->Queued()) return;
  QTimer::singleShot(0, this, [this] { Drain(); });
}

}  // namespace tw
