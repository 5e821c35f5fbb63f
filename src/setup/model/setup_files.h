// Loading and saving the Setup Manager's two files.
//
// A save never leaves a half-written file: each file is composed in memory, written in
// full to a temporary file beside it and synced; only then are the files replaced, one
// after the other, each keeping its previous version as "<name>.bak". When anything
// fails, the files already replaced are put back, so neither file changes, and the error
// names the path and the reason.
#pragma once

#include <ctime>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "setup/model/setup_config.h"

namespace tw {

class SetupFileError : public std::runtime_error {
 public:
  SetupFileError(const std::string& path, const std::string& reason)
      : std::runtime_error(path + ": " + reason), path_(path), reason_(reason) {}
  const std::string& path() const { return path_; }
  const std::string& reason() const { return reason_; }

 private:
  std::string path_;
  std::string reason_;
};

struct SetupPaths {
  std::string tarnwick;  // <dir>/Tarnwick.ini
  std::string language;  // <dir>/TWLang.ini

  // `dir` with or without the trailing "/".
  static SetupPaths In(const std::string& dir);
};

// A file's bytes; nothing when it does not exist. Throws SetupFileError when it exists
// but cannot be read (a folder, no permission).
std::optional<std::string> ReadFileIfPresent(const std::string& path);

// Identity of a file's version on disk ("absent" when there is none).
std::string FileStamp(const std::string& path);

struct LoadedSetup {
  SetupConfig config;
  std::string tarnwick_stamp;        // to notice a file changed on disk before saving
  std::vector<std::string> notices;  // files that were absent (their defaults are shown)
};

// Reads both files. An absent file gives the defaults and a notice; a file that exists
// but cannot be read throws SetupFileError.
LoadedSetup LoadSetup(const SetupPaths& paths);

// Writes both files from the model. Throws SetupFileError; then neither file changed.
void SaveSetup(const SetupConfig& config, const SetupPaths& paths);

// Removes the temporary files an interrupted save left in `folder` ("Tarnwick.ini.XXXXXX",
// "TWLang.ini.bak.XXXXXX" ...: our names only, regular files last changed before `before`).
// Only while this program holds the folder's lock, when no save of ours can be running.
// Returns the names removed.
std::vector<std::string> RemoveLeftoverTemporaries(const std::string& folder, std::time_t before);

// Writes only the configuration to another file (a named configuration).
void SaveConfigurationAs(const SetupConfig& config, const std::string& path);

// The replacement of several files as one step, as SaveSetup does it. `rename` moves a
// finished temporary file into place (std::rename's contract, errno set on failure); tests
// give one that fails.
struct FileReplacement {
  std::string path;
  std::string text;
};
using RenameFunction = std::function<int(const char* from, const char* to)>;
void ReplaceFilesTogether(const std::vector<FileReplacement>& files, const RenameFunction& rename);
void ReplaceFilesTogether(const std::vector<FileReplacement>& files);

}  // namespace tw
