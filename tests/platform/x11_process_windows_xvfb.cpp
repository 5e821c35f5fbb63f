// Another program's windows on a real X server (run under Xvfb, no window manager): a
// made-up program on a second connection plays the browser, with windows that carry its
// process id; then, when it is installed, the real browser.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QTimer>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <variant>

#include "devtools/child_process.h"
#include "kiosk/browser/external/browser_window_rule.h"
#include "platform/x11qt/x11_display.h"
#include "platform/x11qt/x11_process_windows.h"

// Last: Xlib's macros (Bool, Status, None) clash with the headers above.
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace tw {
namespace {

using namespace std::chrono_literals;

constexpr long kPid = 3999001;  // no process needs to have it: the windows only say so

struct WindowSpec {
  long pid = kPid;
  const char* title = "";      // _NET_WM_NAME (UTF-8)
  const char* old_title = "";  // WM_NAME (Latin-1)
  int x = 0, y = 0, width = 300, height = 200;
  bool mapped = true;
  bool accepts_close = false;
  bool obeys_close = false;  // destroys itself when asked to close
  const char* type = "";
  const char* role = "";
  Window transient_for = 0;
};

// The made-up program: its own connection, its windows, and its answers to close requests.
class FakeProgram {
 public:
  FakeProgram() : x_(), display_(x_.Get()) {}
  ~FakeProgram() {
    // The root window keeps its properties after the connection ends.
    if (managing_) XDeleteProperty(display_, DefaultRootWindow(display_), x_.Intern("_NET_SUPPORTING_WM_CHECK"));
  }

  Window Create(const WindowSpec& spec) {
    const Window window =
        XCreateSimpleWindow(display_, DefaultRootWindow(display_), spec.x, spec.y, spec.width, spec.height, 0, 0, 0);
    XSelectInput(display_, window, StructureNotifyMask);
    if (spec.pid) {
      const long pid = spec.pid;
      XChangeProperty(display_, window, x_.Intern("_NET_WM_PID"), XA_CARDINAL, 32, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(&pid), 1);
    }
    SetText(window, "_NET_WM_NAME", x_.Intern("UTF8_STRING"), spec.title);
    if (*spec.old_title) XStoreName(display_, window, spec.old_title);
    XClassHint hint{const_cast<char*>("chromium"), const_cast<char*>("Chromium")};
    XSetClassHint(display_, window, &hint);
    SetText(window, "WM_WINDOW_ROLE", XA_STRING, spec.role);
    if (*spec.type) {
      const Atom type = x_.Intern(spec.type);
      XChangeProperty(display_, window, x_.Intern("_NET_WM_WINDOW_TYPE"), XA_ATOM, 32, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(&type), 1);
    }
    if (spec.transient_for) XSetTransientForHint(display_, window, spec.transient_for);
    if (spec.accepts_close) {
      Atom protocols[] = {x_.Intern("WM_DELETE_WINDOW")};
      XSetWMProtocols(display_, window, protocols, 1);
    }
    if (spec.obeys_close) obeys_.insert(window);
    if (spec.mapped) XMapWindow(display_, window);
    XSync(display_, False);
    return window;
  }

  // Answers what the server has sent: a window that obeys goes when asked to close.
  void Pump() {
    while (XPending(display_) > 0) {
      XEvent event;
      XNextEvent(display_, &event);
      if (event.type == ClientMessage && event.xclient.message_type == x_.Intern("WM_PROTOCOLS") &&
          static_cast<Atom>(event.xclient.data.l[0]) == x_.Intern("WM_DELETE_WINDOW")) {
        asked_to_close.insert(event.xclient.window);
        if (obeys_.count(event.xclient.window)) {
          X11ErrorTrap trap(display_);  // destroyed by force meanwhile: not this test's crash
          XDestroyWindow(display_, event.xclient.window);
        }
      } else if (event.type == ClientMessage && event.xclient.message_type == x_.Intern("_NET_ACTIVE_WINDOW")) {
        asked_to_activate.push_back(event.xclient.window);
      }
    }
    XFlush(display_);
  }

  // Plays a window manager for one window: a frame around it, WM_STATE on it, the
  // manager's mark on the root window, and the requests to it caught.
  Window Frame(Window client, int x, int y) {
    ::Display* display = display_;
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureRedirectMask);
    managing_ = true;
    XChangeProperty(display, root, x_.Intern("_NET_SUPPORTING_WM_CHECK"), XA_WINDOW, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&root), 1);
    XWindowAttributes attributes;
    XGetWindowAttributes(display, client, &attributes);
    const Window frame =
        XCreateSimpleWindow(display, root, x, y, attributes.width + 10, attributes.height + 30, 0, 0, 0);
    XReparentWindow(display, client, frame, 5, 25);
    const long state[] = {NormalState, 0};
    XChangeProperty(display, client, x_.Intern("WM_STATE"), x_.Intern("WM_STATE"), 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(state), 2);
    XMapWindow(display, client);
    XMapWindow(display, frame);
    XSync(display, False);
    return frame;
  }

  bool Exists(Window window) {
    X11ErrorTrap trap(display_);
    XWindowAttributes attributes;
    return XGetWindowAttributes(display_, window, &attributes) && trap.Ok();
  }

  void Destroy(Window window) {
    XDestroyWindow(display_, window);
    XSync(display_, False);
  }

  ::Display* display() const { return display_; }

  std::set<Window> asked_to_close;
  std::vector<Window> asked_to_activate;

 private:
  void SetText(Window window, const char* property, Atom type, const char* text) {
    if (!*text) return;
    XChangeProperty(display_, window, x_.Intern(property), type, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(text), static_cast<int>(std::strlen(text)));
  }

  X11Display x_;
  ::Display* display_;
  std::set<Window> obeys_;
  bool managing_ = false;
};

// Runs the event loop (and the made-up program) until `done` or the time is up.
template <typename Done>
bool RunUntil(Done done, FakeProgram* program, std::chrono::milliseconds timeout = 5s) {
  QTimer wake;  // the made-up program has no socket notifier of its own
  wake.start(10);
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (program) program->Pump();
  }
  return true;
}

std::string Described(const std::vector<TopLevelWindow>& windows) {
  std::string text;
  for (const TopLevelWindow& window : windows) {
    text += std::to_string(window.id) + " \"" + window.title + "\" " + window.type + " " +
            std::to_string(window.width) + "x" + std::to_string(window.height) +
            (window.override_redirect ? " override-redirect" : "") + "; ";
  }
  return text;
}

std::vector<WindowHandle> Ids(const std::vector<TopLevelWindow>& windows) {
  std::vector<WindowHandle> ids;
  for (const TopLevelWindow& window : windows) ids.push_back(window.id);
  return ids;
}

class X11ProcessWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(program.display()) << "no X display";
    ASSERT_TRUE(windows.available());
  }
  FakeProgram program;
  X11ProcessWindows windows;
};

TEST_F(X11ProcessWindowsTest, ListsTheShownWindowsOfTheProcessWithTheirFacts) {
  const Window page = program.Create({.old_title = "Caf\xe9", .x = 50, .y = 60, .width = 320, .height = 240});
  program.Create({.width = 10, .height = 10, .mapped = false});  // a hidden helper
  const Window dialog = program.Create({.title = "Datei \xc3\xb6"
                                                 "ffnen",
                                        .x = 70,
                                        .y = 80,
                                        .width = 400,
                                        .height = 300,
                                        .accepts_close = true,
                                        .type = "_NET_WM_WINDOW_TYPE_DIALOG",
                                        .role = "GtkFileChooserDialog",
                                        .transient_for = page});
  program.Create({.pid = kPid + 1, .title = "another program"});
  program.Create({.pid = 0, .title = "no process id"});
  const Window last = program.Create({.title = "last"});

  const std::vector<TopLevelWindow> shown = windows.Windows(kPid);
  EXPECT_EQ(Ids(shown), (std::vector<WindowHandle>{page, dialog, last}));  // bottom to top
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0].title, "Caf\xc3\xa9");
  EXPECT_EQ(shown[0].type, "");
  EXPECT_FALSE(shown[0].accepts_close);
  const TopLevelWindow& facts = shown[1];
  EXPECT_EQ(facts.title,
            "Datei \xc3\xb6"
            "ffnen");
  EXPECT_EQ(facts.instance, "chromium");
  EXPECT_EQ(facts.window_class, "Chromium");
  EXPECT_EQ(facts.role, "GtkFileChooserDialog");
  EXPECT_EQ(facts.type, "_NET_WM_WINDOW_TYPE_DIALOG");
  EXPECT_EQ(facts.transient_for, page);
  EXPECT_EQ(std::vector<int>({facts.x, facts.y, facts.width, facts.height}), std::vector<int>({70, 80, 400, 300}));
  EXPECT_TRUE(facts.viewable);
  EXPECT_TRUE(facts.accepts_close);
  EXPECT_FALSE(facts.override_redirect);
}

TEST_F(X11ProcessWindowsTest, ReportsEachShownWindowOfTheWatchedProcessOnly) {
  std::vector<WindowHandle> reported;
  windows.Watch(kPid, [&](const std::vector<TopLevelWindow>& shown) {
    for (const TopLevelWindow& window : shown) reported.push_back(window.id);
  });
  program.Create({.pid = kPid + 1, .title = "another program"});
  program.Create({.title = "hidden", .mapped = false});
  const Window first = program.Create({.title = "first"});
  const Window second = program.Create({.title = "second"});
  ASSERT_TRUE(RunUntil([&] { return reported.size() >= 2; }, &program)) << reported.size();
  EXPECT_EQ(reported, (std::vector<WindowHandle>{first, second}));

  // Shown again after being hidden: reported again; after the watch ends, nothing.
  XUnmapWindow(program.display(), first);
  XMapWindow(program.display(), first);
  XSync(program.display(), False);
  ASSERT_TRUE(RunUntil([&] { return reported.size() >= 3; }, &program));
  EXPECT_EQ(reported.back(), first);
  windows.Watch(0, nullptr);
  const Window unwatched = program.Create({.title = "unwatched"});
  EXPECT_FALSE(RunUntil([&] { return reported.size() > 3; }, &program, 300ms)) << unwatched;
}

TEST_F(X11ProcessWindowsTest, ClosesPolitelyThenByForceAndSurvivesWindowsThatAreGone) {
  const Window obeying = program.Create({.title = "obeys", .accepts_close = true, .obeys_close = true});
  const Window ignoring = program.Create({.title = "ignores", .accepts_close = true});
  const Window plain = program.Create({.title = "takes no part"});
  const Window vanishing = program.Create({.title = "goes by itself", .accepts_close = true});

  ASSERT_TRUE(windows.Close(obeying, 5s));
  ASSERT_TRUE(RunUntil([&] { return !program.Exists(obeying); }, &program));
  EXPECT_TRUE(program.asked_to_close.count(obeying));  // it went because it was asked

  ASSERT_TRUE(windows.Close(ignoring, 1500ms));
  RunUntil([] { return false; }, &program, 300ms);
  EXPECT_TRUE(program.Exists(ignoring)) << "destroyed before its grace";
  ASSERT_TRUE(RunUntil([&] { return !program.Exists(ignoring); }, &program));
  EXPECT_TRUE(program.asked_to_close.count(ignoring));

  ASSERT_TRUE(windows.Close(plain, 5s));
  ASSERT_TRUE(RunUntil([&] { return !program.Exists(plain); }, &program, 1s)) << "not destroyed at once";

  // Gone while its grace runs, and asked about afterwards: answers, no X error.
  ASSERT_TRUE(windows.Close(vanishing, 200ms));
  program.Destroy(vanishing);
  RunUntil([] { return false; }, &program, 400ms);
  EXPECT_FALSE(windows.Close(vanishing, 200ms));
  EXPECT_FALSE(windows.Focus(vanishing));
  EXPECT_FALSE(windows.Raise(vanishing));
  EXPECT_FALSE(windows.Inspect(vanishing).has_value());
  EXPECT_TRUE(windows.Windows(kPid).empty());
}

TEST_F(X11ProcessWindowsTest, FocusesAndRaisesAWindow) {
  const Window page = program.Create({.title = "page"});
  const Window other = program.Create({.title = "other"});
  ASSERT_TRUE(windows.Focus(page));
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(program.display(), &focus, &revert);
  EXPECT_EQ(focus, page);
  ASSERT_TRUE(windows.Raise(page));
  EXPECT_EQ(Ids(windows.Windows(kPid)), (std::vector<WindowHandle>{other, page}));
  const Window hidden = program.Create({.title = "hidden", .mapped = false});
  EXPECT_FALSE(windows.Focus(hidden));  // the server refuses the focus for a hidden window
}

TEST_F(X11ProcessWindowsTest, UnderAWindowManagerTheProgramsOwnWindowInsideItsFrame) {
  std::vector<WindowHandle> reported;
  windows.Watch(kPid, [&](const std::vector<TopLevelWindow>& shown) {
    for (const TopLevelWindow& window : shown) reported.push_back(window.id);
  });
  const Window client = program.Create({.title = "managed", .width = 200, .height = 100, .mapped = false});
  program.Frame(client, 40, 30);
  ASSERT_TRUE(RunUntil([&] { return !reported.empty(); }, &program));
  EXPECT_EQ(reported, std::vector<WindowHandle>{client});
  const std::vector<TopLevelWindow> listed = windows.Windows(kPid);
  ASSERT_EQ(Ids(listed), std::vector<WindowHandle>{client});
  EXPECT_EQ(std::vector<int>({listed[0].x, listed[0].y}), std::vector<int>({45, 55}));  // inside the frame

  // The focus is asked of the window manager, which decides.
  ASSERT_TRUE(windows.Focus(client));
  EXPECT_TRUE(RunUntil([&] { return !program.asked_to_activate.empty(); }, &program));
  EXPECT_EQ(program.asked_to_activate, std::vector<Window>{client});
}

bool OnPath(const std::string& program) {
  return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

// The real browser, started as the kiosk starts it, with a page that has a file input.
class RealBrowser {
 public:
  RealBrowser() : profile_(std::filesystem::temp_directory_path() / ("tw-x11-windows-" + std::to_string(getpid()))) {
    std::vector<std::string> argv = {
        "chromium",
        "--remote-debugging-pipe",
        "--no-first-run",
        "--user-data-dir=" + profile_.string(),
        "--app=data:text/html,<body style='margin:0'><input type=file style='width:400px;height:150px'>",
        "--window-position=0,0",
        "--window-size=500,400"};
    if (geteuid() == 0) argv.insert(argv.begin() + 1, {"--no-sandbox", "--test-type"});
    const auto started = StartWithControlPipes(argv);
    if (std::holds_alternative<PipedChild>(started)) child_ = std::get<PipedChild>(started);
  }
  ~RealBrowser() {
    if (child_.pid > 0) {
      StopChild(child_.pid, 5s);
      ::close(child_.to_child);
      ::close(child_.from_child);
    }
    std::error_code ignored;
    std::filesystem::remove_all(profile_, ignored);
  }
  pid_t pid() const { return child_.pid; }

 private:
  std::filesystem::path profile_;
  PipedChild child_;
};

// A click of the first button where the pointer is sent, as a visitor's would be.
void Click(::Display* display, int x, int y) {
  XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
  XTestFakeButtonEvent(display, 1, True, CurrentTime);
  XTestFakeButtonEvent(display, 1, False, CurrentTime);
  XSync(display, False);
}

TEST_F(X11ProcessWindowsTest, TheRealBrowsersFileChooserIsClosedAndThePageWindowStays) {
  if (!OnPath("chromium")) GTEST_SKIP() << "chromium is not installed";
  const RealBrowser browser;
  ASSERT_GT(browser.pid(), 0) << "the browser did not start";
  std::vector<TopLevelWindow> reported;
  windows.Watch(browser.pid(), [&](const std::vector<TopLevelWindow>& shown) {
    reported.insert(reported.end(), shown.begin(), shown.end());
  });
  ASSERT_TRUE(RunUntil([&] { return !reported.empty(); }, nullptr, 30s)) << "the browser showed no window";
  RunUntil([] { return false; }, nullptr, 1s);  // any further window it would show
  const std::vector<TopLevelWindow> listed = windows.Windows(browser.pid());
  ASSERT_EQ(listed.size(), 1u);  // its hidden and tiny helpers are not listed
  const TopLevelWindow page = listed.front();
  EXPECT_EQ(page.id, reported.front().id);
  EXPECT_EQ(page.window_class, "Chromium");
  EXPECT_EQ(DecideBrowserWindow(page.id, page).close, false);

  // A click on the file input (repeated while the page is still being drawn) opens the
  // browser's own file chooser. The rule closes it: asked to close, it goes long before
  // its grace of 10 s runs out (a forced close would not do: destroying a window under the
  // browser's own toolkit can end the whole browser), the browser and its page go on, and
  // the next click opens the next chooser.
  const auto open_chooser = [&]() -> std::optional<TopLevelWindow> {
    reported.clear();
    auto next_click = std::chrono::steady_clock::now();
    const bool opened = RunUntil(
        [&] {
          if (reported.empty() && std::chrono::steady_clock::now() >= next_click) {
            Click(program.display(), 100, 60);
            next_click += 500ms;
          }
          return !reported.empty();
        },
        nullptr, 20s);
    return opened ? std::optional(reported.front()) : std::nullopt;
  };
  for (int round = 1; round <= 2; ++round) {
    const std::optional<TopLevelWindow> chooser = open_chooser();
    ASSERT_TRUE(chooser) << "no file chooser";
    EXPECT_EQ(chooser->transient_for, page.id);
    const BrowserWindowDecision decision = DecideBrowserWindow(page.id, *chooser);
    ASSERT_TRUE(decision.close);
    EXPECT_EQ(decision.log_line, "Browser Window Closed - " + chooser->title);
    ASSERT_TRUE(windows.Close(chooser->id, 10s));
    ASSERT_TRUE(RunUntil([&] { return windows.Windows(browser.pid()).size() == 1; }, nullptr, 5s))
        << "round " << round << ", still shown: " << Described(windows.Windows(browser.pid()));
    EXPECT_EQ(windows.Windows(browser.pid()).front().id, page.id);
    EXPECT_FALSE(ChildHasEnded(browser.pid()));
  }
}

}  // namespace
}  // namespace tw

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
