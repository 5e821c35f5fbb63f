#include "common/texts/language_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/system/atomic_file.h"
#include "common/config/profile_file.h"

namespace tw {

std::string ReadCurrentLayoutName(const ProfileFile& file) {
  return file.ReadString(kLanguageSection, kCurrentLayoutKey, kUnknownLayout);
}

void WriteCurrentLayoutName(ProfileFile& file, std::string_view layout_name) {
  file.WriteString(kLanguageSection, kCurrentLayoutKey, layout_name);
}

LoadedLayout LoadLayout(const ProfileFile& file, std::vector<NamedKeyboardEntry>& keys) {
  LoadedLayout layout;
  layout.name = ReadCurrentLayoutName(file);
  layout.keyboard = ReadKeyboardEntries(file, keys, VisibleField::kStrictInteger);
  layout.messages = ReadSetupMessages(file);
  return layout;
}

void WriteLayout(ProfileFile& file, const std::vector<NamedKeyboardEntry>& keys, const SetupMessages& messages,
                 std::string_view layout_name) {
  WriteKeyboardEntries(file, keys);
  WriteSetupMessages(file, messages);
  WriteCurrentLayoutName(file, layout_name);
}

std::optional<std::string> CopyLayoutFile(const std::string& layout_path, const std::string& target_path) {
  const std::optional<std::string> data = ReadWholeFile(layout_path);
  if (!data) return "Unable to read " + layout_path;

  if (!ReplaceFileAtomically(target_path, *data)) return "Unable to write to " + target_path;
  return std::nullopt;
}

}  // namespace tw
