// The kiosk's settings, read once at start-up from Tarnwick.ini.
//
// A setting that is one key, read as it stands, is one line of a key list below:
// X(type, member, section, key). The line declares the member and kiosk_config.cpp reads
// it, with the key table's kiosk default (common/config_keys.cpp); type is bool, int or
// std::string. The other members (lists, values limited in length, mail security) are
// read by hand in kiosk_config.cpp. A key list's members have no defaults of their own
// (the table's are the only ones): a KioskConfig means what ReadKioskConfig returns.
#pragma once

#include <string>
#include <vector>

#include "common/config/profile_file.h"
#include "common/config/setting_errors.h"
#include "kiosk/core/commands/navigation_reason.h"
#include "mail/mail_security.h"

#define TW_KIOSK_SETTING_MEMBER(type, member, section, key) type member{};

namespace tw {

struct MailRecipient {
  std::string address;
  std::string name;

  bool operator==(const MailRecipient&) const = default;
};

// Whether the log is kept (also in the system journal) and mailed, and the daily time at
// which it is closed; the activity log's settings too.
#define TW_LOG_KEYS(X)                                    \
  X(bool, save_log, "PREFERENCES", "SaveLog")             \
  X(bool, log_to_journal, "PREFERENCES", "LogToJournal")  \
  X(bool, email_log, "PREFERENCES", "EMailLog")           \
  X(bool, email_feedback, "PREFERENCES", "EMailFeedback") \
  X(int, log_hour, "PREFERENCES", "LogHour")              \
  X(int, log_minute, "PREFERENCES", "LogMinute")

struct LogSettings {
  TW_LOG_KEYS(TW_KIOSK_SETTING_MEMBER)

  bool operator==(const LogSettings&) const = default;
};

// Where the daily log mail comes from and goes to.
struct LogMailSettings {
  std::string from_address;
  std::string from_name;
  // The server (PREFERENCES/EMailServer) and how it is reached: EMailSecurity,
  // EMailUserName, EMailPassword, EMailCAFile, EMailAllowPlainTextAuth.
  MailServerSettings server;
  std::vector<MailRecipient> recipients;

  bool operator==(const LogMailSettings&) const = default;
};

// kind: 0 external browser, 1 embedded browser; the controller may fall back to 1.
#define TW_BROWSER_KEYS(X)                         \
  X(std::string, file_name, "BROWSER", "FileName") \
  X(std::string, dde, "BROWSER", "DDE")            \
  X(int, kind, "BROWSER", "Browser")

struct BrowserSettings {
  TW_BROWSER_KEYS(TW_KIOSK_SETTING_MEMBER)

  bool operator==(const BrowserSettings&) const = default;
};

// The idle times (seconds) after which the kiosk returns to the start page, starts the
// carousel and starts the attract video, and how long a visitor is warned before the
// first of them takes the page away (0: no warning).
#define TW_ATTRACT_KEYS(X)                         \
  X(int, time_start, "ATTRACT", "TimeStart")       \
  X(int, time_carousel, "ATTRACT", "TimeCarousel") \
  X(int, time_video, "ATTRACT", "TimeVideo")       \
  X(bool, go_to_start, "ATTRACT", "GoToStart")     \
  X(int, idle_warning_seconds, "ATTRACT", "IdleWarningSeconds")

struct AttractSettings {
  TW_ATTRACT_KEYS(TW_KIOSK_SETTING_MEMBER)
  // The carousel's pages and how long each stays, in seconds; a page whose time cannot
  // be read is left out.
  std::vector<std::string> carousel_urls;
  std::vector<int> carousel_times;

  bool operator==(const AttractSettings&) const = default;
};

// The tw-command: addresses and the programs they may start.
#define TW_COMMAND_KEYS(X)                                  \
  X(bool, enabled, "PREFERENCES", "CommandEnabled")         \
  X(bool, execute_enabled, "PREFERENCES", "ExecuteEnabled") \
  X(std::string, password, "PREFERENCES", "CommandPassword")

struct CommandSettings {
  TW_COMMAND_KEYS(TW_KIOSK_SETTING_MEMBER)
  std::vector<std::string> programs;

  bool operator==(const CommandSettings&) const = default;
};

#define TW_KIOSK_KEYS(X)                                         \
  X(bool, debug, "PREFERENCES", "Debug")                         \
  X(bool, hide_task_bar, "PREFERENCES", "HideTaskBar")           \
  X(std::string, screen_mode, "PREFERENCES", "ScreenMode")       \
  X(bool, scroll_on, "PREFERENCES", "ScrollOn")                  \
  X(bool, cancel_security, "PREFERENCES", "CancelSecurity")      \
  X(bool, show_busy_bar, "PREFERENCES", "ShowBusyBar")           \
  X(bool, password_on, "PREFERENCES", "PasswordOn")              \
  X(bool, block_right_button, "PREFERENCES", "BlockRightButton") \
  X(std::string, logo_url, "URLS", "Logo")                       \
  X(std::string, start_url, "URLS", "Start")                     \
  X(std::string, help_url, "URLS", "Help")                       \
  X(bool, key_block, "PREFERENCES", "KeyBlock")                  \
  X(std::string, frame_key, "PREFERENCES", "FrameKey")           \
  X(bool, mail_to, "EMAIL", "MailTo")

struct KioskConfig {
  TW_KIOSK_KEYS(TW_KIOSK_SETTING_MEMBER)
  int new_browser{};     // NewBrowser minus one: 0 transfer, 1 close, 2 ask
  std::string password;  // the exit password
  LogSettings log;
  LogSwitches log_switches;
  LogMailSettings log_mail;
  // The e-mail window's: the log mail's server for sending, with EMAIL/Security, UserName,
  // Password, CAFile and AllowPlainTextAuth (security and trust also for reading mail).
  MailServerSettings email_window_server;
  BrowserSettings browser;
  AttractSettings attract;
  CommandSettings commands;
  std::vector<std::string> block_list;  // always ends with "tw-command"
  // Schemes a page may use besides the kiosk's own (http, https, file, about:blank,
  // tw-command, mailto): ALLOWEDPROTOCOLS/Allow0, Allow1, ...
  std::vector<std::string> allowed_protocols;
  // Folders whose local files may be shown besides the program folder's pages:
  // ALLOWEDFOLDERS/Allow0, Allow1, ...
  std::vector<std::string> allowed_folders;
  std::vector<std::string> child_strings;

  bool operator==(const KioskConfig&) const = default;
};

struct KioskConfigResult {
  KioskConfig config;
  // The values that could not be converted, in reading order; each has its default.
  SettingErrors errors;
};

// Longest sender address, sender name and exit password that the kiosk keeps.
inline constexpr std::size_t kMaxShortSetting = 255;

KioskConfigResult ReadKioskConfig(const ProfileFile& file);

}  // namespace tw
