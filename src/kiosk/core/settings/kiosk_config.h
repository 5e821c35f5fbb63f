// The kiosk's settings, read once at start-up from Tarnwick.ini in a fixed order.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/config/profile_file.h"
#include "common/config/setting_errors.h"
#include "kiosk/core/commands/navigation_reason.h"
#include "mail/mail_security.h"

namespace tw {

struct MailRecipient {
  std::string address;
  std::string name;

  bool operator==(const MailRecipient&) const = default;
};

struct KioskConfig {
  bool debug = false;
  bool hide_task_bar = false;
  std::string screen_mode = "A";
  bool scroll_on = true;
  bool cancel_security = true;
  bool show_busy_bar = true;
  int new_browser = 2;  // NewBrowser minus one: 0 transfer, 1 close, 2 ask
  bool save_log = false;
  bool log_to_journal = true;  // PREFERENCES/LogToJournal: the log's lines also in the journal
  bool email_log = false;
  bool email_feedback = false;
  std::string email_from_address;
  std::string email_from_name;
  // The log mail's server (PREFERENCES/EMailServer) and how it is reached: EMailSecurity,
  // EMailUserName, EMailPassword, EMailCAFile, EMailAllowPlainTextAuth.
  MailServerSettings email_server;
  // The e-mail window's: the same server for sending, with EMAIL/Security, UserName,
  // Password, CAFile and AllowPlainTextAuth (security and trust also for reading mail).
  MailServerSettings email_window_server;
  std::vector<MailRecipient> log_recipients;
  int log_hour = 0;
  int log_minute = 0;
  LogSwitches log_switches;
  std::string password;
  bool password_on = false;
  std::string browser_file_name = "NoBrowserFile";
  std::string browser_dde = "NoBrowserDDE";
  int browser_kind = 0;  // 0 external browser, 1 embedded browser; the controller may fall back to 1
  bool block_right_button = true;
  std::string logo_url = "NoURLLogo";
  std::string start_url = "NoURLStart";
  std::string help_url = "NoURLHelp";
  int time_start = 0;
  int time_carousel = 0;
  int time_video = 0;
  bool go_to_start = true;
  // The carousel's pages and how long each stays, in seconds; a page whose time cannot
  // be read is left out.
  std::vector<std::string> carousel_urls;
  std::vector<int> carousel_times;
  std::vector<std::string> block_list;  // always ends with "tw-command"
  // Schemes a page may use besides the kiosk's own (http, https, file, about:blank,
  // tw-command, mailto): ALLOWEDPROTOCOLS/Allow0, Allow1, ...
  std::vector<std::string> allowed_protocols;
  // Folders whose local files may be shown besides the program folder's pages:
  // ALLOWEDFOLDERS/Allow0, Allow1, ...
  std::vector<std::string> allowed_folders;
  bool command_enabled = true;
  bool execute_enabled = true;
  std::string command_password;
  std::vector<std::string> programs;
  std::vector<std::string> child_strings;
  bool key_block = true;
  bool mail_to = false;

  bool operator==(const KioskConfig&) const = default;
};

struct KioskConfigResult {
  KioskConfig config;
  // The values that could not be converted; each has its default, the rest was read.
  SettingErrors errors;
};

// Longest sender address, sender name and exit password that the kiosk keeps.
inline constexpr std::size_t kMaxShortSetting = 255;

KioskConfigResult ReadKioskConfig(const ProfileFile& file);

}  // namespace tw
