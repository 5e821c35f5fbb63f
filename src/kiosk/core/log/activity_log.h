// The activity log: one time-stamped line per event, on disk before WriteLog returns,
// closed, kept, mailed and begun anew once a day at the action time.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <string_view>

#include "common/system/local_time.h"
#include "kiosk/core/log/log_mail.h"
#include "kiosk/core/settings/kiosk_config.h"  // LogSettings
#include "platform/clock.h"

namespace tw {

struct LogPaths {
  std::string log_dir;       // ".../log/"
  std::string feedback_dir;  // ".../feedback/"
  std::string sent_dir;      // ".../feedback/sent/"
};

class ActivityLog {
 public:
  // Written first into a log file opened again because the old one left its path.
  static constexpr std::string_view kReopenedText = "Log File Re-opened - it was moved or deleted";

  // Receives a clear message when the log cannot be written; called once per outage.
  using ErrorSink = std::function<void(const std::string&)>;

  // Lines kept in memory while the log cannot be written, written out when it can again.
  static constexpr std::size_t kMaxBacklog = 50000;

  ActivityLog(LogPaths paths, LogSettings settings, const Clock& clock, LogMail& mail, ErrorSink on_error);
  ~ActivityLog();
  ActivityLog(const ActivityLog&) = delete;
  ActivityLog& operator=(const ActivityLog&) = delete;

  // Start-up: computes the last action time, then re-opens the current log (rolling it
  // over when it was last written before that time) or creates it.
  void Open();
  void WriteLog(std::string_view text);
  void RollOverLog();
  // Rolls the log over once the daily action time has passed (called on every loop pass).
  void CheckLogActionTime();
  // The first moment, from now on, at which CheckLogActionTime rolls the log over; a
  // day from now when the clock stands so far back that none is near.
  LocalTime NextActionTime() const;
  // Shutdown: closes the file (after the caller's last line).
  void Close();

  const std::string& current_path() const { return current_path_; }
  LocalTime last_action_time() const { return last_action_; }
  bool healthy() const { return !failing_; }
  std::size_t backlog_size() const { return backlog_.size(); }

  // The line as written: "dddd, dd-mm-yyyy, hh:nn:ss --- " + text + "\n", line breaks in
  // the text written as spaces so that one event is always one line.
  static std::string FormatLine(LocalTime t, std::string_view text);

 private:
  std::int64_t ActionTimeOfDay() const;
  bool EnsureOpen(bool truncate);
  // Whether the open file is still the one at the current log's path (it may have been
  // moved, deleted or replaced while the kiosk runs).
  bool FileStillAtPath() const;
  bool AppendToFile(const std::string& data);
  void Fail(const std::string& what);
  void CloseFile();
  void MoveFeedbackFiles();
  void ComposeMail();
  bool SaveClosedLog();

  LogPaths paths_;
  LogSettings settings_;
  const Clock& clock_;
  LogMail& mail_;
  ErrorSink on_error_;
  std::string current_path_;
  LocalTime last_action_;
  int fd_ = -1;
  bool failing_ = false;
  std::deque<std::string> backlog_;
  std::size_t dropped_ = 0;
  bool moved_away_ = false;  // noticed, not yet noted in the re-opened file
};

}  // namespace tw
