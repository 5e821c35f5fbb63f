// What the browser writes on its control pipe, cut into reads at fuzzer-chosen places:
// every pending call is answered exactly once, nothing escapes as an exception, and the
// same bytes cut differently give the same answers.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "devtools/devtools_connection.h"

namespace {

std::vector<std::string> Run(std::string_view bytes, std::size_t piece) {
  std::vector<std::string> answers;
  tw::DevToolsConnection connection([](std::string_view) {}, 4096);
  connection.On("Target.attachedToTarget", [&](const nlohmann::json& params, const std::string& session) {
    answers.push_back("event " + session + params.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
  });
  for (int i = 0; i < 3; ++i) {
    connection.Call("M", {}, {}, std::chrono::seconds(1), [&answers, i](const tw::DevToolsReply& reply) {
      answers.push_back(std::to_string(i) + (reply.ok ? "ok" : "err") + reply.error);
    });
  }
  for (std::size_t at = 0; at < bytes.size(); at += piece) connection.Receive(bytes.substr(at, piece));
  connection.Close("end");
  return answers;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t piece = 1 + data[0] % 17;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  const auto whole = Run(bytes, bytes.size() + 1);
  const auto cut = Run(bytes, piece);
  std::size_t calls = 0;
  for (const auto& answer : whole) calls += answer.rfind("event", 0) != 0;
  if (calls != 3 || whole != cut) std::abort();
  return 0;
}
