#include "kiosk/core/log/activity_log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "common/texts/log_texts.h"
#include "kiosk/core/log/file_moves.h"

namespace tw {
namespace {

constexpr char kCurrentLogName[] = "TWCurrentLog.txt";
// The action time counts as reached only when more than this has passed since the last one.
constexpr std::int64_t kMinRollOverGap = 23 * 3600 + 59 * 60;

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> FeedbackFiles(const std::string& dir) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
    if (!entry.is_regular_file(ec)) continue;
    const std::string name = entry.path().filename().string();
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".txt") == 0) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string FileName(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

ActivityLog::ActivityLog(LogPaths paths, LogSettings settings, const Clock& clock, LogMail& mail, ErrorSink on_error)
    : paths_(std::move(paths)),
      settings_(settings),
      clock_(clock),
      mail_(mail),
      on_error_(std::move(on_error)),
      current_path_(paths_.log_dir + kCurrentLogName) {}

ActivityLog::~ActivityLog() { CloseFile(); }

std::string ActivityLog::FormatLine(LocalTime t, std::string_view text) {
  std::string line = FormatLogStamp(t) + " --- ";
  line.append(text);
  std::replace(line.begin(), line.end(), '\r', ' ');
  std::replace(line.begin(), line.end(), '\n', ' ');
  line += '\n';
  return line;
}

std::int64_t ActivityLog::ActionTimeOfDay() const {
  return static_cast<std::int64_t>(settings_.log_hour) * 3600 + static_cast<std::int64_t>(settings_.log_minute) * 60;
}

void ActivityLog::Open() {
  const LocalTime now = clock_.Now();
  const LocalTime today_action = now.Date() + ActionTimeOfDay();
  last_action_ = now.TimeOfDay() > ActionTimeOfDay() ? today_action : today_action - LocalTime::kSecondsPerDay;

  struct stat st {};
  if (::stat(current_path_.c_str(), &st) == 0) {
    const LocalTime file_date = LocalTime::FromTimeT(st.st_mtime);
    EnsureOpen(false);
    WriteLog(log_text::kLogReopened);
    if (file_date < last_action_) {
      WriteLog(log_text::kLogPastActionTime);
      RollOverLog();
    }
  } else {
    EnsureOpen(true);
    WriteLog(log_text::kLogOpened);
  }
}

void ActivityLog::Fail(const std::string& what) {
  CloseFile();
  if (failing_) return;
  failing_ = true;
  if (on_error_) on_error_(what);
}

bool ActivityLog::EnsureOpen(bool truncate) {
  if (fd_ >= 0 && !truncate) return true;
  CloseFile();
  int flags = O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC;
  if (truncate) flags |= O_TRUNC;
  fd_ = ::open(current_path_.c_str(), flags, 0644);
  if (fd_ < 0) {
    Fail("Unable to write to " + current_path_ + ": " + std::strerror(errno));
    return false;
  }
  return true;
}

bool ActivityLog::AppendToFile(const std::string& data) {
  std::string_view rest = data;
  while (!rest.empty()) {
    const ssize_t n = ::write(fd_, rest.data(), rest.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail("Unable to write to " + current_path_ + ": " + std::strerror(errno));
      return false;
    }
    rest.remove_prefix(static_cast<std::size_t>(n));
  }
  if (::fdatasync(fd_) != 0) {
    Fail("Unable to write to " + current_path_ + ": " + std::strerror(errno));
    return false;
  }
  return true;
}

bool ActivityLog::FileStillAtPath() const {
  struct stat open_file {};
  struct stat at_path {};
  if (::fstat(fd_, &open_file) != 0) return false;
  if (::stat(current_path_.c_str(), &at_path) != 0) return errno != ENOENT && errno != ENOTDIR;
  return open_file.st_dev == at_path.st_dev && open_file.st_ino == at_path.st_ino;
}

void ActivityLog::WriteLog(std::string_view text) {
  backlog_.push_back(FormatLine(clock_.Now(), text));
  if (backlog_.size() > kMaxBacklog) {
    backlog_.pop_front();
    ++dropped_;
  }
  // Lines written after the file was moved or deleted would reach no one: open the path
  // again (a new file, or the one that took its place) and say so there.
  if (fd_ >= 0 && !FileStillAtPath()) {
    CloseFile();
    moved_away_ = true;
  }
  if (!EnsureOpen(false)) return;
  if (moved_away_) {
    if (!AppendToFile(FormatLine(clock_.Now(), kReopenedText))) return;
    moved_away_ = false;
  }
  if (dropped_ > 0) {
    const std::string note =
        FormatLine(clock_.Now(), std::to_string(dropped_) + " log lines lost while the log could not be written");
    if (!AppendToFile(note)) return;
    dropped_ = 0;
  }
  // Oldest first, so lines kept during an outage reach the file in order.
  while (!backlog_.empty()) {
    if (!AppendToFile(backlog_.front())) return;
    backlog_.pop_front();
  }
  failing_ = false;
}

void ActivityLog::CloseFile() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
}

void ActivityLog::Close() { CloseFile(); }

void ActivityLog::MoveFeedbackFiles() {
  const bool attach = settings_.email_log && settings_.email_feedback;
  for (const std::string& name : FeedbackFiles(paths_.feedback_dir)) {
    const std::string from = paths_.feedback_dir + name;
    if (attach) mail_.attachments.push_back({name, ReadWholeFile(from)});
    const MoveResult moved = MoveToFreeName(from, paths_.sent_dir + name);
    if (!moved.moved) {
      WriteLog(log_text::kFeedbackFileNotMoved + name + " (" + moved.error + ")");
    } else if (FileName(moved.final_path) != name) {
      WriteLog(log_text::kFeedbackFile + name + " moved to sent as " + FileName(moved.final_path));
    }
  }
}

void ActivityLog::ComposeMail() {
  mail_.body = ReadWholeFile(current_path_);
  mail_.subject = "Tarnwick Log from " + FormatLogStamp(clock_.Now());
  mail_.pending = true;
}

bool ActivityLog::SaveClosedLog() {
  const std::string kept = paths_.log_dir + "TW" + FormatCompactStamp(clock_.Now()) + ".txt";
  const MoveResult moved = MoveToFreeName(current_path_, kept);
  if (moved.moved) return true;
  // Keep writing to the current log rather than emptying it: nothing is lost.
  WriteLog(log_text::kLogNotSaved + moved.error);
  return false;
}

void ActivityLog::RollOverLog() {
  if (settings_.save_log) WriteLog(log_text::kLogWillBeSaved);
  MoveFeedbackFiles();
  if (settings_.email_log) {
    for (const MailRecipient& r : mail_.recipients) {
      WriteLog(log_text::kLogWillBeSentTo + r.name + " at " + r.address);
    }
  }
  WriteLog(log_text::kLogClosed);
  CloseFile();
  if (settings_.email_log) ComposeMail();
  if (settings_.save_log && !SaveClosedLog()) return;
  EnsureOpen(true);
  WriteLog(log_text::kLogOpened);
}

void ActivityLog::CheckLogActionTime() {
  const LocalTime now = clock_.Now();
  if (now.TimeOfDay() > ActionTimeOfDay() && now - last_action_ > kMinRollOverGap) {
    WriteLog(log_text::kLogActionTime);
    RollOverLog();
    last_action_ = now;
  }
}

}  // namespace tw

namespace tw {

LocalTime ActivityLog::NextActionTime() const {
  const LocalTime now = clock_.Now();
  // The action time of day must have passed (by a second at least) and the last roll-over
  // must lie far enough back; the first day on which both hold gives the moment.
  for (int day = 0; day < 3; ++day) {
    const LocalTime date = now.Date() + static_cast<std::int64_t>(day) * LocalTime::kSecondsPerDay;
    LocalTime t = std::max(now, date + ActionTimeOfDay() + 1);
    t = std::max(t, last_action_ + kMinRollOverGap + 1);
    if (t < date + LocalTime::kSecondsPerDay) return t;
  }
  return now + LocalTime::kSecondsPerDay;
}

}  // namespace tw
