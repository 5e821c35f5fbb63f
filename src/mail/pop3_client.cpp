#include "mail/pop3_client.h"

#include <algorithm>
#include <charconv>
#include <sstream>

#include "mail/mail_strings.h"

namespace tw {
namespace {

std::string Number(int index) { return std::to_string(index + 1); }

// A decimal number filling the whole text.
bool ParseNumber(std::string_view text, long long* value) {
  if (text.empty()) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), *value);
  return error == std::errc() && end == text.data() + text.size();
}

// Up to the next blank or the end.
std::string_view Word(std::string_view text) { return text.substr(0, text.find(' ')); }

}  // namespace

std::string UnstuffMessage(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  bool line_start = true;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (line_start && c == '.' && i + 1 < text.size() && text[i + 1] == '.') {
      line_start = false;
      continue;  // drop the first of the two dots
    }
    result += c;
    line_start = c == '\n';
  }
  return result;
}

std::optional<StatCounts> ParseStatReply(std::string_view reply) {
  // The status word and its blank go first.
  const std::string_view rest = reply.substr(std::min<std::size_t>(4, reply.size()));
  const auto blank = rest.find(' ');
  if (blank == std::string_view::npos) return std::nullopt;
  long long count = 0;
  StatCounts counts;
  if (!ParseNumber(rest.substr(0, blank), &count) || !ParseNumber(Word(rest.substr(blank + 1)), &counts.size) ||
      count < 0 || count > 0x7fffffff || counts.size < 0) {
    throw EServerError(std::string(reply));
  }
  counts.count = static_cast<int>(count);
  return counts;
}

long long ParseListSize(std::string_view reply) {
  // After the status word, the text after the message number.
  const std::string_view rest = reply.substr(std::min<std::size_t>(4, reply.size()));
  const auto blank = rest.find(' ');
  long long size = 0;
  if (blank == std::string_view::npos || !ParseNumber(Word(rest.substr(blank + 1)), &size)) return 0;
  return std::max(size, 0LL);
}

Pop3Client::Pop3Client() {
  SetServiceName("pop3");
  SetDefaultPort(110);
}

Pop3Client::~Pop3Client() = default;

int Pop3Client::ReplyCode(std::string_view line) const {
  if (line.empty()) return 0;
  if (line.front() == '+') return 1;
  if (line.front() == '-') return -1;
  return 0;
}

int Pop3Client::ReadPopReply() {
  std::string line;
  const int code = ReadLine(line);
  // ReadLine gives -1 and no text when the server closed without a reply.
  if (code == -1 && line.empty()) RaiseSocketError(kWsaConnReset);
  SetLastReply(std::move(line));
  return code;
}

void Pop3Client::Command(const std::string& command) {
  SendLine(command);
  if (ReadPopReply() != 1) throw EServerError(LastReply());
}

void Pop3Client::CheckRequiredProperties() {
  if (user_name_.empty()) RaiseSocketError(kMsgUserNameRequired);
  if (password_.empty()) RaiseSocketError(kMsgPasswordRequired);
}

void Pop3Client::Open() {
  CheckRequiredProperties();
  Reset();
  MailConnection::Open();
}

void Pop3Client::Login() {
  Reset();
  try {
    ConnectSocket();
    if (ReadPopReply() != 1) throw EServerError(LastReply());
    Command("USER " + user_name_);
    Command("PASS " + password_);
    Command("STAT");
    if (const std::optional<StatCounts> counts = ParseStatReply(LastReply())) {
      message_count_ = counts->count;
      mailbox_size_ = counts->size;
    }
  } catch (...) {
    Close();
    throw;
  }
}

void Pop3Client::Logout() {
  if (!Connected()) return;
  Command("QUIT");
}

bool Pop3Client::FetchInfo(int index, Pop3MessageInfo& item, bool want_headers, bool want_uidl) {
  bool uidl_supported = true;
  if (want_uidl) {
    item.unique_id.clear();
    SendLine("UIDL " + Number(index));
    if (ReadPopReply() == 1) {
      std::istringstream words(LastReply());
      std::string word;
      for (int i = 0; i < 3 && words >> word; ++i) {
        if (i == 2) item.unique_id = word;
      }
    } else {
      uidl_supported = false;
    }
  }
  if (want_headers) {
    Command("LIST " + Number(index));
    item.size = ParseListSize(LastReply());
    Command("TOP " + Number(index) + " 1");
    std::ostringstream received;
    ReceiveToStream(received, -1);
    const std::string text = UnstuffMessage(received.str());
    item.headers.Clear();
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      std::string line = text.substr(start, end - start);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      // The header block ends at the first empty line (or at the terminating ".").
      if (line.empty() || line == ".") break;
      item.headers.Add(std::move(line));
      start = end + 1;
    }
  }
  return uidl_supported;
}

void Pop3Client::RetrieveMessage(int index) {
  Command("LIST " + Number(index));
  const long long size = ParseListSize(LastReply());
  if (OnRetrieving) OnRetrieving(index);
  Command("RETR " + Number(index));
  std::ostringstream received;
  ReceiveToStream(received, size);
  SaveMessage(index, UnstuffMessage(received.str()));
  if (OnRetrieved) OnRetrieved(index);
}

void Pop3Client::DeleteMessage(int index) {
  if (OnDeleting) OnDeleting(index);
  SendLine("DELE " + Number(index));
  ReadPopReply();
}

}  // namespace tw
