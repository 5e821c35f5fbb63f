#include "kiosk/core/kiosk_config.h"

namespace tw {
namespace {

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

// The reading order matters: a conversion error stops the reading at that key.
void ReadInOrder(const ProfileFile& f, KioskConfig& c) {
  const char* p = "PREFERENCES";
  c.debug = f.ReadBool(p, "Debug", false);
  c.hide_task_bar = f.ReadBool(p, "HideTaskBar", false);
  c.screen_mode = f.ReadString(p, "ScreenMode", "A");
  c.scroll_on = f.ReadBool(p, "ScrollOn", true);
  c.cancel_security = f.ReadBool(p, "CancelSecurity", true);
  c.show_busy_bar = f.ReadBool(p, "ShowBusyBar", true);
  c.new_browser = ReadStrictInteger(f, p, "NewBrowser", 3) - 1;
  c.save_log = f.ReadBool(p, "SaveLog", false);
  c.email_log = f.ReadBool(p, "EMailLog", false);
  c.email_feedback = f.ReadBool(p, "EMailFeedback", false);
  c.email_from_address = Limited(f.ReadString(p, "EMailFromAddress", ""));
  c.email_from_name = Limited(f.ReadString(p, "EMailFromName", ""));
  c.email_server = f.ReadString(p, "EMailServer", "");
  for (const auto& row : ReadList(f, {"EMAILADDRESS", "Address"}, {{"EMAILNAME", "Name"}})) {
    c.log_recipients.push_back({row[0], row[1]});
  }
  c.log_hour = ReadStrictInteger(f, p, "LogHour", 0);
  c.log_minute = ReadStrictInteger(f, p, "LogMinute", 0);
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
  c.browser_kind = ReadStrictInteger(f, "BROWSER", "Browser", 0);
  c.block_right_button = f.ReadBool(p, "BlockRightButton", true);
  c.logo_url = f.ReadString("URLS", "Logo", "NoURLLogo");
  c.start_url = f.ReadString("URLS", "Start", "NoURLStart");
  c.help_url = f.ReadString("URLS", "Help", "NoURLHelp");
  c.time_start = ReadStrictInteger(f, "ATTRACT", "TimeStart", 0);
  c.time_carousel = ReadStrictInteger(f, "ATTRACT", "TimeCarousel", 0);
  c.time_video = ReadStrictInteger(f, "ATTRACT", "TimeVideo", 0);
  c.go_to_start = f.ReadBool("ATTRACT", "GoToStart", true);
  for (const auto& row : ReadList(f, {"CAROUSELURLS", "URL"}, {{"CAROUSELTIMES", "Time"}})) {
    c.carousel_urls.push_back(row[0]);
    c.carousel_times.push_back(row[1]);
  }
  c.block_list = FirstColumn(ReadList(f, {"PROTOCOLS", "Block"}));
  c.allowed_protocols = FirstColumn(ReadList(f, {"ALLOWEDPROTOCOLS", "Allow"}));
  c.command_enabled = f.ReadBool(p, "CommandEnabled", true);
  c.execute_enabled = f.ReadBool(p, "ExecuteEnabled", true);
  c.command_password = f.ReadString(p, "CommandPassword", "");
  c.programs = FirstColumn(ReadList(f, {"PROGRAMS", "Program"}));
  c.child_strings = FirstColumn(ReadList(f, {"CHILDSTRINGS", "ChildString"}));
  c.key_block = f.ReadBool(p, "KeyBlock", true);
  c.mail_to = f.ReadBool("EMAIL", "MailTo", false);
}

}  // namespace

int ReadStrictInteger(const ProfileFile& file, std::string_view section, std::string_view key,
                      int default_value) {
  const std::string text = file.ReadString(section, key, "");
  if (text.find_first_not_of(" \t") == std::string::npos) return default_value;
  return StrictProfileInteger(text);
}

KioskConfigResult ReadKioskConfig(const ProfileFile& file) {
  KioskConfigResult result;
  try {
    ReadInOrder(file, result.config);
  } catch (const ConversionError& e) {
    result.conversion_error = e.what();
  }
  // Command URLs are never passed on as a protocol, whatever else was read.
  result.config.block_list.push_back("tw-command");
  return result;
}

}  // namespace tw
