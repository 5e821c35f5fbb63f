#include "devtools_connection.h"

#include <cstdint>
#include <limits>
#include <utility>

namespace tw {

DevToolsConnection::DevToolsConnection(std::function<void(std::string_view)> send, std::size_t max_frame)
    : send_(std::move(send)), frames_(max_frame) {}

DevToolsReply DevToolsConnection::Failure(std::string_view why) {
  DevToolsReply reply;
  reply.error = std::string(why);
  return reply;
}

int DevToolsConnection::Call(std::string_view method, nlohmann::json params, std::string_view session,
                             Clock::duration timeout, ReplyHandler done) {
  const int id = next_id_;
  next_id_ = next_id_ == std::numeric_limits<int>::max() ? 1 : next_id_ + 1;
  if (closed_) {
    if (done) done(Failure(close_reason_));
    return id;
  }
  nlohmann::json message = {
      {"id", id}, {"method", method}, {"params", params.is_null() ? nlohmann::json::object() : std::move(params)}};
  if (!session.empty()) message["sessionId"] = session;
  pending_[id] = PendingCall{Clock::now() + timeout, std::move(done)};
  // Replacement characters rather than an exception for text that is not UTF-8 (a URL
  // typed by a visitor, say): the browser gets a well-formed message either way.
  send_(FrameMessage(message.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace)));
  return id;
}

void DevToolsConnection::On(std::string method, EventHandler handler) {
  handlers_[std::move(method)].push_back(std::move(handler));
}

bool DevToolsConnection::Receive(std::string_view bytes) {
  if (closed_) return false;
  if (!frames_.Feed(bytes)) {
    Close("the browser sent a message longer than the limit");
    return false;
  }
  while (auto message = frames_.Next()) {
    Dispatch(*message);
    if (closed_) return false;
  }
  if (frames_.Broken()) {
    Close("the browser sent a message longer than the limit");
    return false;
  }
  return true;
}

void DevToolsConnection::Dispatch(const std::string& text) {
  const nlohmann::json message = nlohmann::json::parse(text, nullptr, false);
  if (!message.is_object()) {
    ++dropped_;
    return;
  }
  const auto id = message.find("id");
  if (id != message.end()) {
    const std::int64_t wide = id->is_number_integer() ? id->get<std::int64_t>() : 0;
    if (wide < 1 || wide > std::numeric_limits<int>::max() || !pending_.contains(static_cast<int>(wide))) {
      ++dropped_;
      return;
    }
    DevToolsReply reply;
    const auto result = message.find("result");
    const auto error = message.find("error");
    if (result != message.end() && result->is_object()) {
      reply.ok = true;
      reply.result = *result;
    } else if (error != message.end() && error->is_object()) {
      const auto code = error->find("code");
      const auto text_it = error->find("message");
      reply.error_code = code != error->end() && code->is_number_integer() ? code->get<int>() : -1;
      reply.error =
          text_it != error->end() && text_it->is_string() ? text_it->get<std::string>() : "error without text";
      if (reply.error_code == 0) reply.error_code = -1;  // 0 is ours: no reply at all
    } else {
      reply = Failure("a reply with neither result nor error");
    }
    Finish(static_cast<int>(wide), reply);
    return;
  }
  const auto method = message.find("method");
  if (method == message.end() || !method->is_string()) {
    ++dropped_;
    return;
  }
  const auto handlers = handlers_.find(method->get_ref<const std::string&>());
  if (handlers == handlers_.end()) return;
  const auto params_it = message.find("params");
  const nlohmann::json params =
      params_it != message.end() && params_it->is_object() ? *params_it : nlohmann::json::object();
  const auto session_it = message.find("sessionId");
  const std::string session =
      session_it != message.end() && session_it->is_string() ? session_it->get<std::string>() : "";
  // A handler may add handlers; run over a copy.
  const std::vector<EventHandler> run = handlers->second;
  for (const auto& handler : run) handler(params, session);
}

void DevToolsConnection::Finish(int id, const DevToolsReply& reply) {
  const auto it = pending_.find(id);
  if (it == pending_.end()) return;
  // Out of the table before the handler runs: it may call again, or close.
  ReplyHandler done = std::move(it->second.done);
  pending_.erase(it);
  if (done) done(reply);
}

void DevToolsConnection::ExpireCalls(Clock::time_point now) {
  std::vector<int> overdue;
  for (const auto& [id, call] : pending_) {
    if (call.deadline <= now) overdue.push_back(id);
  }
  for (const int id : overdue) Finish(id, Failure("no reply within the time limit"));
}

std::optional<DevToolsConnection::Clock::time_point> DevToolsConnection::NextDeadline() const {
  std::optional<Clock::time_point> next;
  for (const auto& [id, call] : pending_) {
    if (!next || call.deadline < *next) next = call.deadline;
  }
  return next;
}

void DevToolsConnection::Close(std::string_view reason) {
  if (closed_) return;
  closed_ = true;
  close_reason_ = std::string(reason);
  while (!pending_.empty()) Finish(pending_.begin()->first, Failure(close_reason_));
}

}  // namespace tw
