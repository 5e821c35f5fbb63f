#include "mail/pop3_client.h"

#include <algorithm>
#include <charconv>
#include <ostream>
#include <sstream>
#include <streambuf>

#include "mail/base64.h"
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

// Collects what a stream writes in a string, which the caller can size beforehand.
class StringSink : public std::streambuf {
 public:
  explicit StringSink(std::string& out) : out_(out) {}

 protected:
  std::streamsize xsputn(const char* data, std::streamsize size) override {
    out_.append(data, static_cast<std::size_t>(size));
    return size;
  }
  int_type overflow(int_type c) override {
    if (!traits_type::eq_int_type(c, traits_type::eof())) out_.push_back(traits_type::to_char_type(c));
    return traits_type::not_eof(c);
  }

 private:
  std::string& out_;
};

}  // namespace

std::string UnstuffMessage(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  std::size_t start = 0;
  while (start < text.size()) {
    // A line that begins with two dots loses the first.
    if (text[start] == '.' && start + 1 < text.size() && text[start + 1] == '.') ++start;
    const std::size_t lf = text.find('\n', start);
    const std::size_t end = lf == std::string_view::npos ? text.size() : lf + 1;
    result.append(text, start, end - start);
    start = end;
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

Pop3Client::Pop3Client() : MailConnection({"pop3", 110, "pop3s", 995}) {}

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
  if (Settings().user_name.empty()) RaiseSocketError(kMsgUserNameRequired);
  if (Settings().password.empty()) RaiseSocketError(kMsgPasswordRequired);
}

void Pop3Client::Open() {
  CheckRequiredProperties();
  Reset();
  MailConnection::Open();
}

std::optional<ServerCapabilities> Pop3Client::Capabilities() {
  SendLine("CAPA");
  if (ReadPopReply() != 1) return std::nullopt;
  std::vector<std::string> lines;
  std::string line;
  for (;;) {
    const int code = ReadLine(line);
    if (code == -1 && line.empty()) RaiseSocketError(kWsaConnReset);
    if (line == ".") break;
    if (lines.size() >= kMaxReplyLines) RaiseSocketError(kMsgReplyTooManyLines);
    lines.push_back(line);
  }
  return ParseCapaReply(lines);
}

std::optional<ServerCapabilities> Pop3Client::NegotiateTls() {
  if (TlsActive()) return Capabilities();
  const MailSecurity security = Settings().security;
  if (security != MailSecurity::kStartTls && security != MailSecurity::kStartTlsIfOffered) return std::nullopt;
  std::optional<ServerCapabilities> offers = Capabilities();
  // A server without CAPA may still know STLS; when TLS is required, it is tried.
  const bool try_stls = offers ? offers->starttls : security == MailSecurity::kStartTls;
  if (!try_stls) {
    if (security == MailSecurity::kStartTls) RaiseTlsError(Endpoints().host + " does not offer STLS");
    return offers;
  }
  SendLine("STLS");
  if (ReadPopReply() != 1) RaiseTlsError(Endpoints().host + " refused STLS: " + LastReply());
  StartTls();
  // What the server said before TLS may have been tampered with: ask again.
  return Capabilities();
}

void Pop3Client::Authenticate(const std::optional<ServerCapabilities>& offers) {
  const MailConnectionSettings& settings = Settings();
  if (!TlsActive() && !settings.allow_plain_text_auth) {
    RaiseTlsError(settings.security == MailSecurity::kNone
                      ? "the security mode is none; the password is not sent without TLS"
                      : Endpoints().host + " does not offer STLS; the password is not sent without TLS");
  }
  if (offers && offers->Offers("PLAIN")) {
    const std::string response = Base64Encode(std::string(1, '\0') + settings.user_name + '\0' + settings.password);
    SendLine("AUTH PLAIN " + response);
    ReadPopReply();
    if (LastReply().starts_with("+OK")) return;
    // "+ " asks for more: "*" ends the exchange.
    if (LastReply().starts_with("+")) {
      SendLine("*");
      ReadPopReply();
    }
    throw ELoginRefusedError(LoginRefusedText({settings.password, response, Base64Encode(settings.password)}),
                             ELoginRefusedError::Step::kPassword);
  }
  SendLine("USER " + settings.user_name);
  if (ReadPopReply() != 1) throw ELoginRefusedError(LastReply(), ELoginRefusedError::Step::kUser);
  SendLine("PASS " + settings.password);
  if (ReadPopReply() != 1) {
    throw ELoginRefusedError(LoginRefusedText({settings.password}), ELoginRefusedError::Step::kPassword);
  }
}

void Pop3Client::Login() {
  Reset();
  try {
    ConnectSocket();
    if (Settings().security == MailSecurity::kTls) StartTls();
    if (ReadPopReply() != 1) throw EServerError(LastReply());
    Authenticate(NegotiateTls());
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
  std::string received;
  received.reserve(static_cast<std::size_t>(std::min<long long>(size, 1LL << 30)) + 64);
  StringSink sink(received);
  std::ostream stream(&sink);
  ReceiveToStream(stream, size);
  SaveMessage(index, UnstuffMessage(received));
  if (OnRetrieved) OnRetrieved(index);
}

void Pop3Client::DeleteMessage(int index) {
  if (OnDeleting) OnDeleting(index);
  SendLine("DELE " + Number(index));
  ReadPopReply();
}

}  // namespace tw
