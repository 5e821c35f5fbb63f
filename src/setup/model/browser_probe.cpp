#include "setup/model/browser_probe.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <variant>

#include "devtools/browser_command_line.h"
#include "devtools/child_process.h"
#include "devtools/pipe_channel.h"

namespace tw {
namespace {

using Clock = DevToolsConnection::Clock;

std::string Seconds(std::chrono::milliseconds limit) {
  const auto tenths = limit.count() / 100;
  return std::to_string(tenths / 10) + (tenths % 10 != 0 ? "." + std::to_string(tenths % 10) : "") + " s";
}

// Asks for the version, then for the browser to close; fills `result`.
void Converse(PipeChannel& channel, const ProbeLimits& limits, const std::function<void(int)>& progress,
              ProbeResult& result) {
  DevToolsReply version;
  bool answered = false;
  channel.Connection().Call("Browser.getVersion", nlohmann::json::object(), "", limits.answer,
                            [&](const DevToolsReply& reply) {
                              version = reply;
                              answered = true;
                            });
  channel.WaitFor([&] { return answered; }, Clock::now() + limits.answer);
  const std::size_t dropped = channel.Connection().DroppedMessages();
  const std::string garbage =
      dropped == 0 ? "" : " It sent " + std::to_string(dropped) + " message(s) that were not the protocol's.";
  if (!answered || !version.ok) {
    const std::string why = !answered                 ? "no answer"
                            : version.error_code != 0 ? "error: " + version.error
                                                      : version.error;
    result.detail =
        "The browser did not answer on its control pipe within " + Seconds(limits.answer) + " (" + why + ")." + garbage;
    return;
  }
  const auto product = version.result.find("product");
  if (product == version.result.end() || !product->is_string() || product->get<std::string>().empty()) {
    result.detail = "The browser's answer did not name it: " + version.result.dump() + garbage;
    return;
  }
  result.answered = true;
  result.product = product->get<std::string>();
  result.detail = "It answered on its control pipe: " + result.product + ".";
  progress(60);
  // The browser ends on its own when asked; what it answers does not matter.
  channel.Connection().Call("Browser.close", nlohmann::json::object(), "", limits.close, [](const DevToolsReply&) {});
  channel.WaitFor([&] { return !channel.Open(); }, Clock::now() + limits.close);
}

}  // namespace

ProbeResult ProbeRemoteControl(std::string_view file_name, const ProbeLimits& limits,
                               const std::function<void(int)>& progress) {
  ProbeResult result;
  std::string profile = (std::filesystem::temp_directory_path() / "tarnwick-browser-check-XXXXXX").string();
  if (::mkdtemp(profile.data()) == nullptr) {
    result.detail = "No temporary profile could be made: " + std::string(std::strerror(errno));
    return result;
  }
  progress(10);
  // Started exactly as the kiosk starts it (its flags and its environment), headless.
  const BrowserStart start{std::string(file_name), profile, "", true};
  std::error_code ignored;
  std::filesystem::create_directories(profile + "/tmp", ignored);
  const auto started = StartWithControlPipes(BrowserArguments(start), BrowserEnvironment(start), true);
  if (const int* error = std::get_if<int>(&started)) {
    result.detail = "The browser could not be started: " + std::string(std::strerror(*error));
  } else {
    const PipedChild child = std::get<PipedChild>(started);
    progress(30);
    {
      PipeChannel channel(child);
      Converse(channel, limits, progress, result);
    }
    // Ended on its own after Browser.close, or stopped now.
    const bool ended = StopChild(child.pid, limits.close) == ChildEnd::kAlreadyGone;
    progress(80);
    // Its helpers end a moment after it and write into the profile until then.
    const bool helpers_ended = EndProcessGroup(child.pid, limits.close);
    if (result.answered && (!ended || !helpers_ended)) result.detail += " It did not end when asked and was stopped.";
    progress(90);
  }
  std::error_code error;
  std::filesystem::remove_all(profile, error);
  if (error) result.detail += " Its temporary profile " + profile + " could not be removed: " + error.message();
  progress(100);
  return result;
}

}  // namespace tw
