#include "setup/model/setup_session.h"

#include <sys/stat.h>

#include <cerrno>
#include <algorithm>
#include <cstring>
#include <filesystem>

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

std::optional<std::string> SetupSession::Open(const std::string& path) {
  const auto text = ReadFileIfPresent(path);
  if (!text) throw SetupFileError(path, std::strerror(ENOENT));
  SetupConfig opened(*text, ReadFileIfPresent(paths_.language).value_or(""));
  // The layout is found by its name in this folder: the path may be another folder's or
  // another system's ("C:\Tarnwick\Language\German.ini").
  const std::string associated = opened.Value("KEYBOARD", "Associated");
  const auto separator = associated.find_last_of("/\\");
  std::string name = separator == std::string::npos ? associated : associated.substr(separator + 1);
  if (name.size() > 4 && SameName(name.substr(name.size() - 4), ".ini")) name.resize(name.size() - 4);
  const std::string layout = folder_ + "Language/" + name + ".ini";
  std::optional<std::string> notice;
  const auto layout_text = name.empty() ? std::nullopt : ReadFileIfPresent(layout);
  if (layout_text) {
    opened.ReplaceLanguageText(*layout_text);
    opened.SetValue("KEYBOARD", "Associated", layout);
  } else {
    // The keyboard and messages being edited stay, and so does their layout.
    opened.ReplaceLanguageText(config_.LanguageText());
    opened.SetValue("KEYBOARD", "Associated", config_.Value("KEYBOARD", "Associated"));
    notice = "The keyboard layout of " + FileName(path) + " (" + (associated.empty() ? "none" : associated) +
             ") was not found in " + folder_ + "Language/: the current keyboard is kept.";
  }
  config_ = std::move(opened);
  shown_file_ = FileName(path);
  opened_other_ = true;
  return notice;
}

std::vector<std::string> SetupSession::LayoutNames() const {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder_ + "Language", ec)) {
    const std::filesystem::path& p = entry.path();
    if (entry.is_regular_file(ec) && p.extension() == ".ini") names.push_back(p.stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

void SetupSession::ChooseLayout(const std::string& name) {
  const std::string path = folder_ + "Language/" + name + ".ini";
  const auto text = ReadFileIfPresent(path);
  if (!text) throw SetupFileError(path, std::strerror(ENOENT));
  config_.ReplaceLanguageText(*text);
  config_.SetValue("KEYBOARD", "Associated", path);
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
