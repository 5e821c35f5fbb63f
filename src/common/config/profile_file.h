// The profile (INI) file shared by the kiosk and the Setup Manager.
//
// Section and key names compare without regard to case. The file keeps its order,
// comments and blank lines: an existing key is rewritten where it stands, a new key
// goes at the end of its section, a new section at the end of the file. Every write
// reaches the disk before it returns, atomically (temporary file, fsync, rename), so a
// crash or a full disk leaves either the old or the new file, never half of one.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tw {

// A failed write: "Unable to write to " + path.
class ProfileWriteError : public std::runtime_error {
 public:
  explicit ProfileWriteError(const std::string& path) : std::runtime_error("Unable to write to " + path), path_(path) {}
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// A text that the strict integer conversion does not accept.
class ConversionError : public std::runtime_error {
 public:
  explicit ConversionError(const std::string& text)
      : std::runtime_error("'" + text + "' is not a valid integer value") {}
};

// The longest value a read returns; longer values are cut.
inline constexpr std::size_t kMaxProfileValue = 1023;

// Integer conversions of profile text.
// Lenient: decimal, "$" + hex, or (longer than two characters) "0x"/"0X" + hex;
// anything else gives std::nullopt. Hexadecimal values use 32 bits and may be
// negative as signed numbers ("$8000000F").
std::optional<std::int32_t> ParseProfileInteger(std::string_view text);
// Strict: the same forms, but text that is not a number throws ConversionError.
std::int32_t StrictProfileInteger(std::string_view text);

// The parsed contents of a profile file, independent of where they came from.
class ProfileText {
 public:
  ProfileText() = default;
  explicit ProfileText(std::string_view text);

  std::optional<std::string> Get(std::string_view section, std::string_view key) const;
  std::vector<std::string> KeyNames(std::string_view section) const;
  std::vector<std::string> SectionNames() const;
  bool HasSection(std::string_view section) const;

  void Set(std::string_view section, std::string_view key, std::string_view value);
  void EraseSection(std::string_view section);
  // Replaces every key of a section with `entries` (name, value), in place: the new keys
  // stand where the section's first key stood, its comments and blank lines stay, and a
  // repeated header of the same section goes with its keys. No entries erase the
  // section; an absent section is added at the end of the file.
  void ReplaceSectionKeys(std::string_view section, const std::vector<std::pair<std::string, std::string>>& entries);

  // The file text: byte for byte the input where nothing was changed.
  std::string Text() const;

 private:
  struct Line {
    std::string text;    // without the line break
    std::string ending;  // "\n", "\r\n" or "" (last line without a break)
  };
  std::optional<std::size_t> FindSection(std::string_view section) const;
  std::size_t SectionEnd(std::size_t header) const;
  std::optional<std::size_t> FindKey(std::size_t header, std::string_view key) const;
  std::string NewLineEnding() const;
  void EnsureLastLineEnded();

  std::vector<Line> lines_;
};

// A profile file opened on a full path. Reads see the file as it is on disk (it is
// read again when it changed since the last read); writes go to disk at once.
class ProfileFile {
 public:
  explicit ProfileFile(std::string path);
  // Settings that are not on disk (the Setup Manager's unsaved configuration), read as the
  // file `path` would be; writing them throws ProfileWriteError.
  static ProfileFile InMemory(std::string path, std::string_view text);

  const std::string& path() const { return path_; }

  std::string ReadString(std::string_view section, std::string_view key, std::string_view default_value) const;
  std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t default_value) const;
  bool ReadBool(std::string_view section, std::string_view key, bool default_value) const;
  std::vector<std::string> ReadSection(std::string_view section) const;
  bool SectionExists(std::string_view section) const;
  bool ValueExists(std::string_view section, std::string_view key) const;

  // Each throws ProfileWriteError when the file cannot be written.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
  void WriteBool(std::string_view section, std::string_view key, bool value);
  void EraseSection(std::string_view section);

 private:
  const ProfileText& Contents() const;
  void Save(const ProfileText& text);

  std::string path_;
  mutable ProfileText contents_;
  mutable std::string stamp_;  // identity of the file version in contents_
  mutable bool loaded_ = false;
  bool in_memory_ = false;
};

// A list stored as keys prefix0, prefix1, ... in one section, with optional companion
// sections that share the index. The count comes from the first section's key names.
struct ListSection {
  std::string section;
  std::string prefix;
};

// Reads items as rows of fields: row[0] from the first section, row[k] from companion k-1
// (absent keys give the empty string).
std::vector<std::vector<std::string>> ReadList(const ProfileFile& file, const ListSection& first,
                                               const std::vector<ListSection>& companions = {});
// Erases the first section and every companion, then writes the rows in order.
// An empty list leaves the sections absent.
void WriteList(ProfileFile& file, const ListSection& first, const std::vector<ListSection>& companions,
               const std::vector<std::vector<std::string>>& rows);

// Case-insensitive comparison of ASCII names.
bool SameName(std::string_view a, std::string_view b);

}  // namespace tw
