#include "setup/model/setup_files.h"

#include "common/system/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <sstream>

namespace tw {
namespace {

std::string Reason(int error) { return std::strerror(error); }

}  // namespace

namespace {

// mkstemp's six characters.
bool IsTemporarySuffix(std::string_view s) {
  if (s.size() != 6) return false;
  for (char c : s) {
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
  }
  return true;
}

bool IsOurTemporary(std::string_view name) {
  for (std::string_view base : {"Tarnwick.ini.", "TWLang.ini.", "Tarnwick.ini.bak.", "TWLang.ini.bak."}) {
    if (name.size() > base.size() && name.substr(0, base.size()) == base &&
        IsTemporarySuffix(name.substr(base.size()))) {
      return true;
    }
  }
  return false;
}

}  // namespace

std::vector<std::string> RemoveLeftoverTemporaries(const std::string& folder, std::time_t before) {
  std::vector<std::string> removed;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return removed;
  const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (!IsOurTemporary(name)) continue;
    struct stat st {};
    const std::string path = prefix + name;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_mtime >= before) continue;
    if (::unlink(path.c_str()) == 0) removed.push_back(name);
  }
  ::closedir(dir);
  return removed;
}

std::optional<std::string> ReadFileIfPresent(const std::string& path) {
  int error = 0;
  auto data = ReadWholeFile(path, &error);
  if (!data && error != ENOENT) throw SetupFileError(path, Reason(error));
  return data;
}

namespace {

// Writes `data` to a new temporary file beside `path`, synced; returns its name.
std::string WriteTemporary(const std::string& path, std::string_view data, mode_t mode) {
  std::string temp = path + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) throw SetupFileError(path, Reason(errno));
  int error = 0;
  if (::fchmod(fd, mode) != 0) error = errno;
  while (error == 0 && !data.empty()) {
    const ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno != EINTR) error = errno;
      continue;
    }
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) {
    ::unlink(temp.c_str());
    throw SetupFileError(path, Reason(error));
  }
  return temp;
}

void SyncDirectory(const std::string& path) {
  const int dir = ::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

// One file on its way to being replaced.
struct Pending {
  const FileReplacement* file;
  std::optional<std::string> old_text;
  std::string temp;         // the new text
  std::string backup_temp;  // the old text, to become <path>.bak
  mode_t mode = 0644;
  bool replaced = false;
};

void RemoveTemporaries(const std::vector<Pending>& pending) {
  for (const Pending& p : pending) {
    if (!p.temp.empty() && !p.replaced) ::unlink(p.temp.c_str());
    if (!p.backup_temp.empty()) ::unlink(p.backup_temp.c_str());
  }
}

// Puts the old text back where a file was already replaced; best effort, since the
// first error is the one reported.
void Restore(const std::vector<Pending>& pending) {
  for (const Pending& p : pending) {
    if (!p.replaced) continue;
    if (!p.old_text) {
      ::unlink(p.file->path.c_str());
      continue;
    }
    try {
      const std::string temp = WriteTemporary(p.file->path, *p.old_text, p.mode);
      if (::rename(temp.c_str(), p.file->path.c_str()) != 0) ::unlink(temp.c_str());
    } catch (const SetupFileError&) {
    }
  }
}

}  // namespace

SetupPaths SetupPaths::In(const std::string& dir) {
  std::string base = dir;
  if (base.empty() || base.back() != '/') base += '/';
  return {base + "Tarnwick.ini", base + "TWLang.ini"};
}

std::string FileStamp(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return "absent";
  std::ostringstream s;
  s << st.st_dev << ':' << st.st_ino << ':' << st.st_size << ':' << st.st_mtim.tv_sec << '.' << st.st_mtim.tv_nsec;
  return s.str();
}

LoadedSetup LoadSetup(const SetupPaths& paths) {
  const std::string stamp = FileStamp(paths.tarnwick);
  const auto tarnwick = ReadFileIfPresent(paths.tarnwick);
  const auto language = ReadFileIfPresent(paths.language);
  LoadedSetup loaded{SetupConfig(tarnwick.value_or(""), language.value_or("")), stamp, {}};
  if (!tarnwick) loaded.notices.push_back(paths.tarnwick + " does not exist: the default settings are shown.");
  if (!language) loaded.notices.push_back(paths.language + " does not exist: the default messages are shown.");
  return loaded;
}

void ReplaceFilesTogether(const std::vector<FileReplacement>& files, const RenameFunction& rename) {
  std::vector<Pending> pending;
  for (const FileReplacement& file : files) pending.push_back({&file, {}, {}, {}, 0644, false});
  try {
    for (Pending& p : pending) {
      p.old_text = ReadFileIfPresent(p.file->path);
      if (p.old_text && *p.old_text == p.file->text) continue;  // nothing to replace
      struct stat st {};
      if (::stat(p.file->path.c_str(), &st) == 0) p.mode = st.st_mode & 07777;
      p.temp = WriteTemporary(p.file->path, p.file->text, p.mode);
      if (p.old_text) p.backup_temp = WriteTemporary(p.file->path + ".bak", *p.old_text, p.mode);
    }
    for (Pending& p : pending) {
      if (p.temp.empty()) continue;
      if (rename(p.temp.c_str(), p.file->path.c_str()) != 0) throw SetupFileError(p.file->path, Reason(errno));
      p.replaced = true;
    }
  } catch (const SetupFileError&) {
    Restore(pending);
    RemoveTemporaries(pending);
    throw;
  }
  // The new files are in place; the backups are a convenience and never fail the save.
  for (Pending& p : pending) {
    if (p.backup_temp.empty()) continue;
    if (rename(p.backup_temp.c_str(), (p.file->path + ".bak").c_str()) != 0) ::unlink(p.backup_temp.c_str());
  }
  for (const Pending& p : pending) {
    if (!p.temp.empty()) SyncDirectory(p.file->path);
  }
}

void ReplaceFilesTogether(const std::vector<FileReplacement>& files) {
  ReplaceFilesTogether(files, [](const char* from, const char* to) { return std::rename(from, to); });
}

void SaveSetup(const SetupConfig& config, const SetupPaths& paths) {
  ReplaceFilesTogether({{paths.tarnwick, config.TarnwickText()}, {paths.language, config.LanguageText()}});
}

void SaveConfigurationAs(const SetupConfig& config, const std::string& path) {
  ReplaceFilesTogether({{path, config.TarnwickText()}});
}

}  // namespace tw
