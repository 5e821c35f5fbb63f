// The Setup Manager's pages as data: which control on which page edits which key, with
// its caption, range and picker. A key's field comes from its row in the key table
// (common/config_keys.cpp); the lists, messages and buttons' records are built here. The
// window builds its pages from these fields and the validation names a problem by the
// page and field it shows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "common/config/config_keys.h"
#include "common/config/setup_control.h"

namespace tw {

// The twelve pages in tab order ("&&" shows as one "&"); their numbers are in
// common/setup_control.h.
std::span<const std::string_view> SetupPageCaptions();

struct PickerSpec {
  std::string_view title;
  std::string_view filter;  // QFileDialog form: "Name (*.a *.b);;Other (*)"
  std::string_view default_suffix;
};
const PickerSpec& GetPickerSpec(Picker picker);

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

// Every field of every page, page by page and group by group, in the order shown: the
// fields of the key table's rows (in table order, or by their place), then those built
// here (lists, messages, buttons).
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
