#include "kiosk/core/settings/kiosk_config.h"

#include "common/config/config_reader.h"

namespace tw {
namespace {

constexpr std::string_view kCarouselPageSkipped = "the carousel page is skipped";

std::string Limited(std::string s) {
  if (s.size() > kMaxShortSetting) s.resize(kMaxShortSetting);
  return s;
}

std::vector<std::string> FirstColumn(const std::vector<std::vector<std::string>>& rows) {
  std::vector<std::string> out;
  out.reserve(rows.size());
  for (const auto& row : rows) out.push_back(row.at(0));
  return out;
}

// A member of a key list (kiosk_config.h): its type picks the conversion.
void ReadKey(const ConfigReader& read, std::string_view section, std::string_view key, bool& member) {
  member = read.Bool(section, key);
}
void ReadKey(const ConfigReader& read, std::string_view section, std::string_view key, int& member) {
  member = read.Integer(section, key);
}
void ReadKey(const ConfigReader& read, std::string_view section, std::string_view key, std::string& member) {
  member = read.String(section, key);
}

// The members of each key list.
#define TW_READ_KEY(type, member, section, key) ReadKey(read, section, key, s.member);
void ReadKeys(const ConfigReader& read, KioskConfig& s) { TW_KIOSK_KEYS(TW_READ_KEY) }
void ReadKeys(const ConfigReader& read, LogSettings& s) { TW_LOG_KEYS(TW_READ_KEY) }
void ReadKeys(const ConfigReader& read, BrowserSettings& s) { TW_BROWSER_KEYS(TW_READ_KEY) }
void ReadKeys(const ConfigReader& read, AttractSettings& s) { TW_ATTRACT_KEYS(TW_READ_KEY) }
void ReadKeys(const ConfigReader& read, CommandSettings& s) { TW_COMMAND_KEYS(TW_READ_KEY) }
#undef TW_READ_KEY

// Only the values that can be wrong (numbers, mail security, carousel times) make the
// order matter: their errors are reported in this order.
void ReadInOrder(const ProfileFile& f, KioskConfig& c, SettingErrors& errors) {
  const ConfigReader read(f, errors);
  const char* p = "PREFERENCES";
  ReadKeys(read, c);
  c.new_browser = read.Integer(p, "NewBrowser") - 1;
  c.log_mail.from_address = Limited(read.String(p, "EMailFromAddress"));
  c.log_mail.from_name = Limited(read.String(p, "EMailFromName"));
  c.log_mail.server.address = read.String(p, "EMailServer");
  // How the log mail and the e-mail window reach their servers.
  auto mail_security = [&](const char* section, const std::string& prefix, MailServerSettings& s) {
    const std::string key = prefix + "Security";
    const std::string mode = read.String(section, key);
    if (const std::optional<MailSecurity> parsed = ParseMailSecurity(mode)) {
      s.security = *parsed;
    } else {
      errors.Add(f, section, key, mode, "'" + mode + "' is not none, starttls or tls");
    }
    s.user_name = read.String(section, prefix + "UserName");
    s.password = read.String(section, prefix + "Password");
    s.ca_file = read.String(section, prefix + "CAFile");
    s.allow_plain_text_auth = read.Bool(section, prefix + "AllowPlainTextAuth");
  };
  mail_security(p, "EMail", c.log_mail.server);
  c.email_window_server.address = c.log_mail.server.address;
  mail_security("EMAIL", "", c.email_window_server);
  for (const auto& row : ReadList(f, {"EMAILADDRESS", "Address"}, {{"EMAILNAME", "Name"}})) {
    c.log_mail.recipients.push_back({row[0], row[1]});
  }
  ReadKeys(read, c.log);
  c.log_switches.log_urls = read.Bool(p, "LogURLs");
  c.log_switches.log_time_urls = read.Bool(p, "LogTimeURLs");
  c.log_switches.log_carousel_urls = read.Bool(p, "LogCarouselURLs");
  c.log_switches.log_video_start = read.Bool(p, "LogVideoStart");
  c.log_switches.log_loaded_urls = read.Bool(p, "LogLoadedURLs");
  c.log_switches.log_protocol = read.Bool(p, "LogProtocol");
  c.password = Limited(read.String(p, "Password"));
  ReadKeys(read, c.browser);
  ReadKeys(read, c.attract);
  const auto carousel = ReadList(f, {"CAROUSELURLS", "URL"});
  for (std::size_t i = 0; i < carousel.size(); ++i) {
    const auto time = errors.RequiredInteger(f, "CAROUSELTIMES", "Time" + std::to_string(i), kCarouselPageSkipped);
    if (!time) continue;
    c.attract.carousel_urls.push_back(carousel[i][0]);
    c.attract.carousel_times.push_back(*time);
  }
  c.block_list = FirstColumn(ReadList(f, {"PROTOCOLS", "Block"}));
  c.allowed_protocols = FirstColumn(ReadList(f, {"ALLOWEDPROTOCOLS", "Allow"}));
  c.allowed_folders = FirstColumn(ReadList(f, {"ALLOWEDFOLDERS", "Allow"}));
  ReadKeys(read, c.commands);
  c.commands.programs = FirstColumn(ReadList(f, {"PROGRAMS", "Program"}));
  c.child_strings = FirstColumn(ReadList(f, {"CHILDSTRINGS", "ChildString"}));
}

}  // namespace

KioskConfigResult ReadKioskConfig(const ProfileFile& file) {
  KioskConfigResult result;
  ReadInOrder(file, result.config, result.errors);
  // Command URLs are never passed on as a protocol, whatever else was read.
  result.config.block_list.push_back("tw-command");
  return result;
}

}  // namespace tw
