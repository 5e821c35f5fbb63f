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

void ReadInOrder(const ProfileFile& f, KioskConfig& c, SettingErrors& errors) {
  const ConfigReader read(f, errors);
  const char* p = "PREFERENCES";
  c.debug = read.Bool(p, "Debug");
  c.hide_task_bar = read.Bool(p, "HideTaskBar");
  c.screen_mode = read.String(p, "ScreenMode");
  c.scroll_on = read.Bool(p, "ScrollOn");
  c.cancel_security = read.Bool(p, "CancelSecurity");
  c.show_busy_bar = read.Bool(p, "ShowBusyBar");
  c.new_browser = read.Integer(p, "NewBrowser") - 1;
  c.save_log = read.Bool(p, "SaveLog");
  c.log_to_journal = read.Bool(p, "LogToJournal");
  c.email_log = read.Bool(p, "EMailLog");
  c.email_feedback = read.Bool(p, "EMailFeedback");
  c.email_from_address = Limited(read.String(p, "EMailFromAddress"));
  c.email_from_name = Limited(read.String(p, "EMailFromName"));
  c.email_server.address = read.String(p, "EMailServer");
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
  mail_security(p, "EMail", c.email_server);
  c.email_window_server.address = c.email_server.address;
  mail_security("EMAIL", "", c.email_window_server);
  for (const auto& row : ReadList(f, {"EMAILADDRESS", "Address"}, {{"EMAILNAME", "Name"}})) {
    c.log_recipients.push_back({row[0], row[1]});
  }
  c.log_hour = read.Integer(p, "LogHour");
  c.log_minute = read.Integer(p, "LogMinute");
  c.log_switches.log_urls = read.Bool(p, "LogURLs");
  c.log_switches.log_time_urls = read.Bool(p, "LogTimeURLs");
  c.log_switches.log_carousel_urls = read.Bool(p, "LogCarouselURLs");
  c.log_switches.log_video_start = read.Bool(p, "LogVideoStart");
  c.log_switches.log_loaded_urls = read.Bool(p, "LogLoadedURLs");
  c.log_switches.log_protocol = read.Bool(p, "LogProtocol");
  c.password = Limited(read.String(p, "Password"));
  c.password_on = read.Bool(p, "PasswordOn");
  c.browser_file_name = read.String("BROWSER", "FileName");
  c.browser_dde = read.String("BROWSER", "DDE");
  c.browser_kind = read.Integer("BROWSER", "Browser");
  c.block_right_button = read.Bool(p, "BlockRightButton");
  c.logo_url = read.String("URLS", "Logo");
  c.start_url = read.String("URLS", "Start");
  c.help_url = read.String("URLS", "Help");
  c.time_start = read.Integer("ATTRACT", "TimeStart");
  c.time_carousel = read.Integer("ATTRACT", "TimeCarousel");
  c.time_video = read.Integer("ATTRACT", "TimeVideo");
  c.go_to_start = read.Bool("ATTRACT", "GoToStart");
  const auto carousel = ReadList(f, {"CAROUSELURLS", "URL"});
  for (std::size_t i = 0; i < carousel.size(); ++i) {
    const auto time = errors.RequiredInteger(f, "CAROUSELTIMES", "Time" + std::to_string(i), kCarouselPageSkipped);
    if (!time) continue;
    c.carousel_urls.push_back(carousel[i][0]);
    c.carousel_times.push_back(*time);
  }
  c.block_list = FirstColumn(ReadList(f, {"PROTOCOLS", "Block"}));
  c.allowed_protocols = FirstColumn(ReadList(f, {"ALLOWEDPROTOCOLS", "Allow"}));
  c.allowed_folders = FirstColumn(ReadList(f, {"ALLOWEDFOLDERS", "Allow"}));
  c.command_enabled = read.Bool(p, "CommandEnabled");
  c.execute_enabled = read.Bool(p, "ExecuteEnabled");
  c.command_password = read.String(p, "CommandPassword");
  c.programs = FirstColumn(ReadList(f, {"PROGRAMS", "Program"}));
  c.child_strings = FirstColumn(ReadList(f, {"CHILDSTRINGS", "ChildString"}));
  c.key_block = read.Bool(p, "KeyBlock");
  c.mail_to = read.Bool("EMAIL", "MailTo");
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
