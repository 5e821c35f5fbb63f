// One Setup Manager run over a program folder: the configuration being edited, where it
// came from, and the commands of the main window as plain steps. The window asks the
// questions; this class decides what happens and changes the files.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "setup/model/setup_config.h"
#include "setup/model/setup_files.h"
#include "setup/model/setup_problems.h"

namespace tw {

inline constexpr std::string_view kSetupTitle = "Tarnwick Setup Manager v2.1";

class SetupSession {
 public:
  // Loads <folder>/Tarnwick.ini and TWLang.ini; throws SetupFileError when one exists
  // but cannot be read.
  explicit SetupSession(std::string folder);

  SetupConfig& config() { return config_; }
  const SetupConfig& config() const { return config_; }
  const std::string& folder() const { return folder_; }  // with the trailing "/"
  const SetupPaths& paths() const { return paths_; }
  // Files that were absent at start and are shown with their defaults.
  const std::vector<std::string>& notices() const { return notices_; }
  void AddNotice(std::string notice) { notices_.push_back(std::move(notice)); }

  // The title and the name of the configuration loaded or saved last.
  std::string Caption() const;
  // Changes not yet in the program folder's files.
  bool HasUnsavedChanges() const;
  // Tarnwick.ini was changed by someone else since it was loaded or saved here.
  bool ChangedOnDisk() const;

  enum class Outcome {
    kSaved,
    kBlocked,        // validation found errors; nothing written
    kChangedOnDisk,  // the file changed since loading; nothing written (ask, then overwrite)
  };
  struct SaveResult {
    Outcome outcome;
    std::vector<SetupProblem> problems;  // errors and warnings
  };

  // OK: validates, then writes both files. Throws SetupFileError (nothing changed then).
  SaveResult Apply(bool overwrite_changed_file);
  // Save As: validates, then writes the configuration to `path`; the program folder's
  // files are not touched.
  SaveResult SaveAs(const std::string& path);
  // Open: reads a named configuration; on any failure the current one stays. Its keyboard
  // layout (KEYBOARD/Associated, looked up by name in Language/) comes with it; when that
  // layout is not there, the current keyboard is kept and the returned text says so.
  std::optional<std::string> Open(const std::string& path);

  // The keyboard layouts in <folder>/Language/, by name, sorted.
  std::vector<std::string> LayoutNames() const;
  // Takes a layout's keys and messages for TWLang.ini (written with OK, not before) and
  // makes it the configuration's associated layout. Throws SetupFileError.
  void ChooseLayout(const std::string& name);
  // Revert to saved (also "reload" after a change on disk).
  void Reload();

  // <folder>/Configurations/, created when missing.
  std::string ConfigurationsFolder() const;

 private:
  std::string folder_;
  SetupPaths paths_;
  SetupConfig config_;
  std::string stamp_;
  std::string shown_file_ = "Tarnwick.ini";
  bool opened_other_ = false;
  std::vector<std::string> notices_;
};

}  // namespace tw
