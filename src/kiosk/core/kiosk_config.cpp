#include "kiosk/core/kiosk_config.h"

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
  auto integer = [&](const char* section, const char* key, int default_value) {
    return errors.Integer(f, section, key, default_value);
  };
  const char* p = "PREFERENCES";
  c.debug = f.ReadBool(p, "Debug", false);
  c.hide_task_bar = f.ReadBool(p, "HideTaskBar", false);
  c.screen_mode = f.ReadString(p, "ScreenMode", "A");
  c.scroll_on = f.ReadBool(p, "ScrollOn", true);
  c.cancel_security = f.ReadBool(p, "CancelSecurity", true);
  c.show_busy_bar = f.ReadBool(p, "ShowBusyBar", true);
  c.new_browser = integer(p, "NewBrowser", 3) - 1;
  c.save_log = f.ReadBool(p, "SaveLog", false);
  c.log_to_journal = f.ReadBool(p, "LogToJournal", true);
  c.email_log = f.ReadBool(p, "EMailLog", false);
  c.email_feedback = f.ReadBool(p, "EMailFeedback", false);
  c.email_from_address = Limited(f.ReadString(p, "EMailFromAddress", ""));
  c.email_from_name = Limited(f.ReadString(p, "EMailFromName", ""));
  c.email_server.address = f.ReadString(p, "EMailServer", "");
  // How the log mail and the e-mail window reach their servers.
  auto mail_security = [&](const char* section, const std::string& prefix, MailServerSettings& s) {
    const std::string key = prefix + "Security";
    const std::string mode = f.ReadString(section, key, "");
    if (const std::optional<MailSecurity> parsed = ParseMailSecurity(mode)) {
      s.security = *parsed;
    } else {
      errors.Add(f, section, key, mode, "'" + mode + "' is not none, starttls or tls");
    }
    s.user_name = f.ReadString(section, prefix + "UserName", "");
    s.password = f.ReadString(section, prefix + "Password", "");
    s.ca_file = f.ReadString(section, prefix + "CAFile", "");
    s.allow_plain_text_auth = f.ReadBool(section, prefix + "AllowPlainTextAuth", false);
  };
  mail_security(p, "EMail", c.email_server);
  c.email_window_server.address = c.email_server.address;
  mail_security("EMAIL", "", c.email_window_server);
  for (const auto& row : ReadList(f, {"EMAILADDRESS", "Address"}, {{"EMAILNAME", "Name"}})) {
    c.log_recipients.push_back({row[0], row[1]});
  }
  c.log_hour = integer(p, "LogHour", 0);
  c.log_minute = integer(p, "LogMinute", 0);
  c.log_switches.log_urls = f.ReadBool(p, "LogURLs", true);
  c.log_switches.log_time_urls = f.ReadBool(p, "LogTimeURLs", true);
  c.log_switches.log_carousel_urls = f.ReadBool(p, "LogCarouselURLs", true);
  c.log_switches.log_video_start = f.ReadBool(p, "LogVideoStart", true);
  c.log_switches.log_loaded_urls = f.ReadBool(p, "LogLoadedURLs", true);
  c.log_switches.log_protocol = f.ReadBool(p, "LogProtocol", true);
  c.password = Limited(f.ReadString(p, "Password", ""));
  c.password_on = f.ReadBool(p, "PasswordOn", false);
  c.browser_file_name = f.ReadString("BROWSER", "FileName", "NoBrowserFile");
  c.browser_dde = f.ReadString("BROWSER", "DDE", "NoBrowserDDE");
  c.browser_kind = integer("BROWSER", "Browser", 0);
  c.block_right_button = f.ReadBool(p, "BlockRightButton", true);
  c.logo_url = f.ReadString("URLS", "Logo", "NoURLLogo");
  c.start_url = f.ReadString("URLS", "Start", "NoURLStart");
  c.help_url = f.ReadString("URLS", "Help", "NoURLHelp");
  c.time_start = integer("ATTRACT", "TimeStart", 0);
  c.time_carousel = integer("ATTRACT", "TimeCarousel", 0);
  c.time_video = integer("ATTRACT", "TimeVideo", 0);
  c.go_to_start = f.ReadBool("ATTRACT", "GoToStart", true);
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
  c.command_enabled = f.ReadBool(p, "CommandEnabled", true);
  c.execute_enabled = f.ReadBool(p, "ExecuteEnabled", true);
  c.command_password = f.ReadString(p, "CommandPassword", "");
  c.programs = FirstColumn(ReadList(f, {"PROGRAMS", "Program"}));
  c.child_strings = FirstColumn(ReadList(f, {"CHILDSTRINGS", "ChildString"}));
  c.key_block = f.ReadBool(p, "KeyBlock", true);
  c.mail_to = f.ReadBool("EMAIL", "MailTo", false);
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
