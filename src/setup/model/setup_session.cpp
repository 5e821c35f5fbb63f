#include "setup/model/setup_session.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace tw {
namespace {

std::string WithSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

std::string FileName(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

SetupSession::SetupSession(std::string folder)
    : folder_(WithSlash(std::move(folder))), paths_(SetupPaths::In(folder_)) {
  LoadedSetup loaded = LoadSetup(paths_);
  config_ = std::move(loaded.config);
  stamp_ = std::move(loaded.tarnwick_stamp);
  notices_ = std::move(loaded.notices);
}

std::string SetupSession::Caption() const { return std::string(kSetupTitle) + " - " + shown_file_; }

bool SetupSession::HasUnsavedChanges() const { return opened_other_ || config_.IsDirty(); }

bool SetupSession::ChangedOnDisk() const { return FileStamp(paths_.tarnwick) != stamp_; }

SetupSession::SaveResult SetupSession::Apply(bool overwrite_changed_file) {
  SaveResult result{Outcome::kSaved, ValidateSetup(config_)};
  if (HasErrors(result.problems)) {
    result.outcome = Outcome::kBlocked;
    return result;
  }
  if (!overwrite_changed_file && ChangedOnDisk()) {
    result.outcome = Outcome::kChangedOnDisk;
    return result;
  }
  SaveSetup(config_, paths_);
  // What is on disk now is the base of the next edit.
  config_ = SetupConfig(config_.TarnwickText(), config_.LanguageText());
  stamp_ = FileStamp(paths_.tarnwick);
  shown_file_ = "Tarnwick.ini";
  opened_other_ = false;
  return result;
}

SetupSession::SaveResult SetupSession::SaveAs(const std::string& path) {
  SaveResult result{Outcome::kSaved, ValidateSetup(config_)};
  if (HasErrors(result.problems)) {
    result.outcome = Outcome::kBlocked;
    return result;
  }
  SaveConfigurationAs(config_, path);
  shown_file_ = FileName(path);
  return result;
}

void SetupSession::Open(const std::string& path) {
  const auto text = ReadFileIfPresent(path);
  if (!text) throw SetupFileError(path, std::strerror(ENOENT));
  // The visitor messages stay as edited: a named configuration holds Tarnwick.ini only.
  SetupConfig opened(*text, ReadFileIfPresent(paths_.language).value_or(""));
  for (std::size_t i = 0; i < kSetupMessageCount; ++i) opened.SetMessage(i, config_.Message(i));
  config_ = std::move(opened);
  shown_file_ = FileName(path);
  opened_other_ = true;
}

void SetupSession::Reload() {
  LoadedSetup loaded = LoadSetup(paths_);
  config_ = std::move(loaded.config);
  stamp_ = std::move(loaded.tarnwick_stamp);
  shown_file_ = "Tarnwick.ini";
  opened_other_ = false;
}

std::string SetupSession::ConfigurationsFolder() const {
  const std::string dir = folder_ + "Configurations/";
  ::mkdir(dir.c_str(), 0755);
  return dir;
}

}  // namespace tw
