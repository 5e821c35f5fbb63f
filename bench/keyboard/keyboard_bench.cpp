// Prints the on-screen keyboard's figures: key events per second through the
// key-script interpreter alone and through interpreter and XTest injector, and
// the cost of the controller's 10 ms poll (with the real X11 platform when a
// display is there, e.g. under scripts/with-xvfb).
//   keyboard_bench
#include <time.h>

#include <QApplication>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <string>

#include "common/keyboard/key_script.h"
#include "platform/x11qt/x11_desktop_windows.h"
#include "platform/x11qt/x11_display.h"
#include "platform/x11qt/xkb_lock_states.h"
#include "platform/x11qt/xtest_key_injector.h"
#include "widgets/keyboard_controller.h"

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// A US layout without a server: every printable ASCII character on one key.
class AsciiLayout : public tw::KeyboardLayout {
 public:
  std::optional<tw::CharacterKey> MapCharacter(char32_t c) const override {
    if (c < 0x20 || c > 0x7E) return std::nullopt;
    bool upper = c >= 'A' && c <= 'Z';
    return tw::CharacterKey{{static_cast<std::uint32_t>(upper ? c - 'A' + 'a' : c), true}, upper};
  }
};

// Key scripts as the keyboard page sends them, plus a longer sentence.
const char* const kScripts[] = {"a",  "+b",       "{Backspace}", "~",
                                "^c", "{LEFT 3}", "%^e",         "The quick brown fox jumps over the lazy dog."};

void BenchInterpreter() {
  AsciiLayout layout;
  constexpr int kRounds = 200000;
  std::size_t events = 0;
  auto start = Clock::now();
  for (int i = 0; i < kRounds; ++i) {
    for (const char* script : kScripts) events += tw::InterpretKeyScript(script, layout).steps.size();
  }
  double seconds = SecondsSince(start);
  std::printf("interpreter: %zu key events in %.3f s = %.0f events/s\n", events, seconds,
              static_cast<double>(events) / seconds);
}

void BenchInjector(tw::XTestKeyInjector& keys) {
  // Layout lookups go to the server's keymap (fetched at most twice a second).
  constexpr int kRounds = 300;
  std::size_t events = 0;
  auto start = Clock::now();
  for (int i = 0; i < kRounds; ++i) {
    for (const char* script : kScripts) {
      for (const tw::KeyScriptStep& step : tw::InterpretKeyScript(script, keys).steps) {
        if (step.kind == tw::KeyScriptStep::Kind::kKey) {
          keys.SendKey(step.event);
          ++events;
        }
      }
      keys.Flush();
    }
  }
  double seconds = SecondsSince(start);
  std::printf("interpreter + XTest: %zu key events in %.3f s = %.0f events/s (flushed per script)\n", events, seconds,
              static_cast<double>(events) / seconds);
}

void BenchPoll(tw::KeyboardController& controller, const char* what) {
  constexpr int kPolls = 5000;
  double cpu = CpuSeconds();
  auto start = Clock::now();
  for (int i = 0; i < kPolls; ++i) controller.Poll();
  double wall = SecondsSince(start);
  cpu = CpuSeconds() - cpu;
  double cpu_per_poll = cpu / kPolls;
  std::printf(
      "poll (%s): %.1f us wall, %.1f us CPU per poll; at 100 polls/s %.2f %% of one core "
      "in this process\n",
      what, wall / kPolls * 1e6, cpu_per_poll * 1e6, cpu_per_poll * 100 * 100);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  BenchInterpreter();

  tw::X11Display display;
  if (!display) {
    std::printf("no X display: XTest and poll figures skipped (run under scripts/with-xvfb)\n");
    return 0;
  }
  tw::XTestKeyInjector keys(display.Get());
  tw::X11DesktopWindows windows(display);
  tw::XkbLockStates locks(display);
  BenchInjector(keys);

  QWidget form;
  tw::KeyboardController controller(&form, {&keys, &windows, &locks, nullptr});
  BenchPoll(controller, "X11, no target");

  // A mapped, titled window in front: the poll then also checks and reads it.
  ::Display* dpy = display.Get();
  Window target = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 0, 0, 200, 100, 0, 0, 0);
  XStoreName(dpy, target, "Benchmark target");
  XMapWindow(dpy, target);
  XSync(dpy, False);
  windows.Activate(target);
  controller.Poll();
  std::printf("poll target: %s\n", controller.AppTitle().c_str());
  BenchPoll(controller, "X11, titled target in front");
  XDestroyWindow(dpy, target);
  XSync(dpy, False);
  return 0;
}
