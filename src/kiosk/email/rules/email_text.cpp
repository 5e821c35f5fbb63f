#include "kiosk/email/rules/email_text.h"

namespace tw {
namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

std::string MessageListLine(const MailHeaders& headers) {
  return headers.GetHeader("Subject") + ", " + headers.GetHeader("From") + ", " + headers.GetHeader("Date");
}

std::string TakeAddress(std::string_view value) {
  const std::size_t at = value.find('@');
  if (at == std::string_view::npos) return {};
  auto stops = [](char c, char bracket) { return c == ' ' || c == '"' || c == '\'' || c == bracket; };
  std::size_t end = at + 1;
  while (end < value.size() && !stops(value[end], '>')) ++end;
  std::size_t begin = at;
  while (begin > 0 && !stops(value[begin - 1], '<')) --begin;
  return std::string(value.substr(begin, end - begin));
}

std::vector<std::string> QuotedForReply(const std::vector<std::string>& lines) {
  std::vector<std::string> quoted;
  quoted.reserve(lines.size() + 1);
  for (const std::string& line : lines) quoted.push_back(">>" + line);
  quoted.emplace_back();
  return quoted;
}

std::vector<std::string> SplitRecipients(std::string_view to) {
  std::vector<std::string> pieces;
  bool quoted = false;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= to.size(); ++i) {
    if (i < to.size() && to[i] == '"') quoted = !quoted;
    if (i == to.size() || (!quoted && (to[i] == ',' || to[i] == ';'))) {
      const std::string_view piece = Trimmed(to.substr(start, i - start));
      if (!piece.empty()) pieces.emplace_back(piece);
      start = i + 1;
    }
  }
  return pieces;
}

}  // namespace tw
