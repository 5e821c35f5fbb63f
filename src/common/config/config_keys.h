// The sections and keys of the configuration file Tarnwick.ini, as data.
//
// This table is the one source for the kiosk's readers and the Setup Manager: every key
// with its kind, the value the Setup Manager shows when the key is absent and the value
// the kiosk uses when it is absent. Sections come in the order of a freshly written file
// and keys in the order in which a save first writes them. Names compare without regard
// to case ("EMailLog" and "EmailLog" are one key). A row also says how the Setup Manager
// shows the key: the group its field stands in, its caption and its control.
//
// To add a key: add its row to config_keys.cpp, in its section where a save should first
// write it, with both defaults and its Setup Manager field (an existing group, or a new one
// in setup_control.*). If the kiosk reads it, add one line to the key list of its struct
// in kiosk/core/settings/kiosk_config.h: the member is declared and read from there, with
// the kiosk default of this table. The demo need not list it (its default applies); the
// counts in tests/common/config/config_keys_test.cpp do.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "common/config/profile_file.h"
#include "common/config/setup_control.h"

namespace tw {

// How a value is written and read.
enum class ConfigKind {
  kString,
  kInteger,
  kBoolean,      // "1" or "0"
  kColour,       // "$00BBGGRR"; top byte 80 names a system colour
  kPosition,     // "0" hidden, "1".."8" tool-bar slot
  kSoundSource,  // 0..7
  kGlyphStates,  // 1..3 images in the glyph bitmap
  kFile,         // absolute path
  kUrl,
};

// What the kiosk does with a key.
enum class KioskRead {
  kWithDefault,       // read; kiosk_default applies when absent
  kHiddenWhenAbsent,  // a position read with "0": an absent key hides the button
  kNotRead,           // kept for the Setup Manager only
};

struct ConfigKey {
  std::string_view section;
  std::string_view name;  // the spelling the Setup Manager writes
  ConfigKind kind;
  std::string_view setup_default;  // "" where the Setup Manager shows an empty field
  std::string_view kiosk_default;  // "0" for kHiddenWhenAbsent, "" for kNotRead
  KioskRead kiosk_read;
  bool written;             // false for keys that only an operator adds by hand (PREFERENCES/Debug)
  SetupControl shown = {};  // none for a button's keys, which the Setup Manager builds itself

  bool kiosk_reads() const { return kiosk_read != KioskRead::kNotRead; }
};

// Every key of every section, in file order.
std::span<const ConfigKey> ConfigKeys();

// The keys of one section, in file order (empty for list sections and unknown names).
std::vector<const ConfigKey*> ConfigKeysOf(std::string_view section);

// The key with this section and name, compared without regard to case; nullptr if none.
const ConfigKey* FindConfigKey(std::string_view section, std::string_view name);

// The defaults of a known key. Both throw std::out_of_range for a key not in the table;
// KioskDefault also throws std::logic_error for a key the kiosk does not read, since a
// reader asking for one is a programming error.
std::string_view SetupDefault(std::string_view section, std::string_view name);
std::string_view KioskDefault(std::string_view section, std::string_view name);

// A section of the file: a section of named keys or one part of a list.
struct ConfigSection {
  std::string_view name;
  bool is_list;
};

// All sections in the order of a freshly written file.
std::span<const ConfigSection> ConfigSections();

// The place of a section in that order (0-based), compared without regard to case.
std::optional<std::size_t> ConfigSectionIndex(std::string_view section);

// The lists of the file. Parallel lists share the index; the count comes from the first
// section.
enum class ConfigListId {
  kProtocols,         // PROTOCOLS/Block
  kAllowedProtocols,  // ALLOWEDPROTOCOLS/Allow: schemes a page may use besides the built-in ones
  kAllowedFolders,    // ALLOWEDFOLDERS/Allow: folders whose files may be shown besides the program folder's
  kLogRecipients,     // EMAILADDRESS/Address + EMAILNAME/Name
  kCarousel,          // CAROUSELURLS/URL + CAROUSELTIMES/Time
  kBanners,           // BANNERGRAPHICS/Graphic + BANNERURLS/URL + BANNERTIMES/Time
  kPrograms,          // PROGRAMS/Program
  kChildStrings,      // CHILDSTRINGS/ChildString
  kConfiguration,     // CONFIGURATION/ConfString (Setup Manager only)
};

struct ConfigListPart {
  std::string_view section;
  std::string_view prefix;
};

struct ConfigList {
  ConfigListId id;
  ConfigListPart first;
  std::span<const ConfigListPart> companions;
  bool kiosk_reads;

  // The parts in the form that ReadList and WriteList take.
  ListSection FirstSection() const;
  std::vector<ListSection> CompanionSections() const;
};

// Every list, in the order of their first sections in the file.
std::span<const ConfigList> ConfigLists();
const ConfigList& GetConfigList(ConfigListId id);

// The list that a section belongs to (as first section or companion), if any.
const ConfigList* FindConfigList(std::string_view section);

// Reads or rewrites a whole list: rows hold the first section's field, then one field
// per companion.
std::vector<std::vector<std::string>> ReadConfigList(const ProfileFile& file, ConfigListId id);
void WriteConfigList(ProfileFile& file, ConfigListId id, const std::vector<std::vector<std::string>>& rows);

}  // namespace tw
