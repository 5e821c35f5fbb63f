// The Setup Manager's pages as data: which control on which page edits which key, with
// its caption, range and picker. The window builds its pages from this table and the
// validation names a problem by the page and field it shows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "common/config/config_keys.h"

namespace tw {

// The twelve pages in tab order ("&&" shows as one "&").
std::span<const std::string_view> SetupPageCaptions();
inline constexpr int kPreferencesPage = 0;
inline constexpr int kLogFilePage = 1;
inline constexpr int kButtonsPage = 2;
inline constexpr int kAttractPage = 3;
inline constexpr int kBannersPage = 4;
inline constexpr int kCommandPage = 5;
inline constexpr int kSecurityPage = 6;
inline constexpr int kKeyboardPage = 7;
inline constexpr int kBusyBarPage = 8;
inline constexpr int kEmailPage = 9;
inline constexpr int kGraphicsPage = 10;
inline constexpr int kNotesPage = 11;

enum class FieldControl {
  kCheck,  // "1"/"0"
  kText,
  kNumber,    // whole number in [minimum, maximum], stepping by step
  kChoice,    // one of `choices`; two choices show as a radio pair
  kFile,      // a path, with a picker
  kLocalUrl,  // a URL, with a local-page picker
  kColour,    // "$00BBGGRR", with a colour picker
  kList,      // a list of the key table, edited by the list editor
  kNotes,     // a list shown as lines of text
  kPassword,  // the exit password: one object per letter
  kMessage,   // a visitor message of TWLang.ini (`message` is its index)
  kCommand,   // a custom button's command number; choosing one writes the button's address
};

enum class Picker {
  kNone,
  kBrowserProgram,
  kProgram,
  kVideo,
  kBannerGraphic,
  kBitmap,
  kSound,
  kEmailText,
  kLocalPage,
  kCertificates
};

struct PickerSpec {
  std::string_view title;
  std::string_view filter;  // QFileDialog form: "Name (*.a *.b);;Other (*)"
  std::string_view default_suffix;
};
const PickerSpec& GetPickerSpec(Picker picker);

struct FieldChoice {
  std::string_view value;
  std::string_view caption;
};

struct SetupField {
  int page;
  std::string_view group;
  std::string_view caption;
  std::string_view section;  // empty for kList, kNotes and kMessage
  std::string_view key;
  FieldControl control;
  std::int32_t minimum = 0;
  std::int32_t maximum = 0;
  std::int32_t step = 1;
  std::span<const FieldChoice> choices = {};
  Picker picker = Picker::kNone;
  ConfigListId list = ConfigListId::kProtocols;  // kList and kNotes
  std::size_t message = 0;                       // kMessage
  // Buttons are edited one at a time: the fields of one button share an entry of the
  // group's selector ("Start", "Custom Button 1", ...); empty for other fields.
  std::string_view entry = {};
};

// Every field of every page, page by page, in the order shown.
std::span<const SetupField> SetupFields();

// The field that edits a key, or nullptr.
const SetupField* FindSetupField(std::string_view section, std::string_view key);
// The field that edits a list, or nullptr.
const SetupField* FindListField(ConfigListId list);

// How the list editor shows and fills one list.
struct ListColumn {
  std::string_view caption;
  std::string_view new_value;  // the field of a new item
  Picker picker = Picker::kNone;
  bool local_url = false;    // the picker writes a local URL
  std::int32_t minimum = 0;  // number columns (maximum > 0)
  std::int32_t maximum = 0;
  std::int32_t step = 1;
  std::span<const FieldChoice> choices = {};  // the field is one of these
};
struct ListSpec {
  ConfigListId list;
  std::span<const ListColumn> columns;
  bool moves;  // Up and Down offered
};
const ListSpec& GetListSpec(ConfigListId list);

}  // namespace tw
