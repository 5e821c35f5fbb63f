#include "setup/model/setup_fields.h"

#include <algorithm>
#include <array>
#include <deque>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/config/command_numbers.h"
#include "common/texts/language_messages.h"
#include "common/config/profile_file.h"
#include "common/config/toolbar_buttons.h"

namespace tw {
namespace {

using C = FieldControl;

constexpr std::array<std::string_view, 12> kPages = {
    "Preferences", "Log File",           "Buttons", "Attract",  "Banners && URLs", "Command", "Security && Messages",
    "Keyboard",    "Busy Bar && Clock ", "Email",   "Graphics", "Notes",
};

constexpr std::array kPickers = std::to_array<PickerSpec>({
    {"", "", ""},
    {"Please select Browser Program.", "All files (*)", ""},
    {"Please select Program file.", "All files (*)", ""},
    {"Please select AVI video file.", "Video files (*.avi *.mp4 *.webm *.mkv);;All files (*)", "avi"},
    {"Please select a BITMAP or GIF file.", "Pictures (*.bmp *.gif *.png *.jpg);;Bitmaps (*.bmp);;Gifs (*.gif)", "bmp"},
    {"Please select a BITMAP file.", "Bitmaps (*.bmp *.png *.jpg *.gif);;All files (*)", "bmp"},
    {"Please select an AUDIO file.", "Audio Files (*.wav *.ogg *.oga)", "wav"},
    {"Please select an Email text file.", "Text files (*.txt);;Rich Text files (*.rtf);;Any file (*)", "txt"},
    {"Please select a local URL file.", "Hyper Text files (*.htm *.html)", "html"},
    {"Please select a file of CA certificates.", "Certificates (*.pem *.crt);;All files (*)", "pem"},
});

using G = SetupGroup;

// The fields built here, each in its group; the others come from the key table's rows.
SetupField Field(G group, std::string_view caption, std::string_view section, std::string_view key, C control) {
  const SetupGroupInfo& g = GetSetupGroup(group);
  return {g.page, g.caption, caption, section, key, control};
}
SetupField Text(G group, std::string_view caption, std::string_view section, std::string_view key) {
  return Field(group, caption, section, key, C::kText);
}
SetupField Number(G group, std::string_view caption, std::string_view section, std::string_view key,
                  std::int32_t minimum, std::int32_t maximum, std::int32_t step) {
  SetupField f = Field(group, caption, section, key, C::kNumber);
  f.minimum = minimum;
  f.maximum = maximum;
  f.step = step;
  return f;
}
SetupField Choice(G group, std::string_view caption, std::string_view section, std::string_view key,
                  std::span<const FieldChoice> choices, C control = C::kChoice) {
  SetupField f = Field(group, caption, section, key, control);
  f.choices = choices;
  return f;
}
SetupField File(G group, std::string_view caption, std::string_view section, std::string_view key, Picker picker) {
  SetupField f = Field(group, caption, section, key, C::kFile);
  f.picker = picker;
  return f;
}
SetupField Url(G group, std::string_view caption, std::string_view section, std::string_view key) {
  SetupField f = Field(group, caption, section, key, C::kLocalUrl);
  f.picker = Picker::kLocalPage;
  return f;
}
SetupField List(G group, ConfigListId list, C control = C::kList) {
  SetupField f = Field(group, "", "", "", control);
  f.list = list;
  return f;
}
SetupField Message(std::size_t index) {
  SetupField f = Field(G::kMessages, SetupMessageList()[index].setup_entry, "", "", C::kMessage);
  f.message = index;
  return f;
}

constexpr std::array kSlotChoice = std::to_array<FieldChoice>({
    {"0", "0"},
    {"1", "1"},
    {"2", "2"},
    {"3", "3"},
    {"4", "4"},
    {"5", "5"},
    {"6", "6"},
    {"7", "7"},
    {"8", "8"},
});

// Key names made from a button's name ("Custom3URL") live as long as the table.
std::string_view Kept(std::string text) {
  static std::deque<std::string> kept;
  return kept.emplace_back(std::move(text));
}

// One button: its entry in the group's selector and the keys of its record.
struct ButtonKeys {
  std::string_view entry;
  std::string_view text_key;   // TEXT/<name>; empty when the button has none here
  std::string_view glyph_key;  // GLYPH/<name>
  std::string_view slot_key;   // BUTTONS/<name>On; empty for buttons without a slot
  std::string_view states_section;
  std::string_view states_key;
  std::string_view sound_name;  // SOUNDS/<name>Source and <name>Wav
  std::string_view url_section;
  std::string_view url_key;
  std::string_view text_section = "TEXT";
  std::string_view glyph_section = "GLYPH";
  std::string_view command_key = {};  // BUTTONS/TWCommandN or BCustomNTW
};

// The command list as choices: "0" NONE ... "15" Send Mail.
std::span<const FieldChoice> CommandChoices() {
  static const std::vector<FieldChoice> choices = [] {
    std::vector<FieldChoice> c;
    for (const ButtonCommandEntry& entry : ButtonCommands())
      c.push_back({Kept(std::to_string(entry.number)), entry.name});
    return c;
  }();
  return choices;
}

void AddButton(std::vector<SetupField>& f, G group, const ButtonKeys& b) {
  const auto with_entry = [&](SetupField field) {
    field.entry = b.entry;
    f.push_back(field);
  };
  if (!b.url_key.empty()) with_entry(Url(group, "URL", b.url_section, b.url_key));
  if (!b.command_key.empty()) {
    with_entry(Choice(group, "tw-command:", "BUTTONS", b.command_key, CommandChoices(), C::kCommand));
  }
  if (!b.text_key.empty()) with_entry(Text(group, "Text", b.text_section, b.text_key));
  if (!b.glyph_key.empty()) with_entry(File(group, "Glyph", b.glyph_section, b.glyph_key, Picker::kBitmap));
  if (!b.slot_key.empty()) with_entry(Choice(group, "Pos", "BUTTONS", b.slot_key, kSlotChoice));
  with_entry(Number(group, "State", b.states_section, b.states_key, 1, 3, 1));
  with_entry(Choice(group, "Audio Source", "SOUNDS", Kept(std::string(b.sound_name) + "Source"), kSoundSourceChoices));
  with_entry(File(group, "Custom Sound", "SOUNDS", Kept(std::string(b.sound_name) + "Wav"), Picker::kSound));
}

void AddButtonFields(std::vector<SetupField>& f) {
  // The tool bar's own table: a button added there is listed here too.
  for (const ToolbarButtonInfo& button : ToolbarButtons()) {
    if (!button.setup_label || button.setup_label->empty()) continue;  // shared, or the Keyboard's own group
    const std::string_view key = button.text_key;
    ButtonKeys b{*button.setup_label,
                 key,
                 key,
                 Kept(std::string(button.setting) + "On"),
                 "GLYPHNUM",
                 button.glyph_count_key,
                 button.setting,
                 button.has_url ? "URLS" : "",
                 button.has_url ? key : ""};
    if (button.has_url) b.command_key = Kept(std::string(key) + "TW");
    AddButton(f, G::kStandardButtons, b);
  }
  for (std::string_view name : {"Show", "Hide"}) {
    f.push_back(Text(G::kKeyboardButtons, Kept(std::string(name) + " Text"), "TEXT", name));
    f.push_back(File(G::kKeyboardButtons, Kept(std::string(name) + " Glyph"), "GLYPH", name, Picker::kBitmap));
  }
  const ToolbarButtonInfo& keyboard = ToolbarButton(ToolbarButtonId::kKeyboard);
  AddButton(f, G::kKeyboardButtons,
            {"", "", "", Kept(std::string(keyboard.setting) + "On"), "GLYPHNUM", keyboard.glyph_count_key,
             keyboard.setting, "", ""});
  for (std::string_view name : {"Up", "Down", "Left", "Right"}) {
    AddButton(f, G::kDirectionButtons, {name, name, name, "", "GLYPHNUM", name, name, "", ""});
  }
  for (int n = 1; n <= 10; ++n) {
    const std::string prefix = "Custom" + std::to_string(n);
    ButtonKeys b{Kept("Button " + std::to_string(n)),
                 Kept(prefix + "Text"),
                 Kept(prefix + "Glyph"),
                 "",
                 "BUTTONS",
                 Kept(prefix + "Number"),
                 Kept(prefix),
                 "BUTTONS",
                 Kept(prefix + "URL")};
    b.text_section = "BUTTONS";
    b.glyph_section = "BUTTONS";
    b.command_key = Kept("TWCommand" + std::to_string(n));
    AddButton(f, G::kCustomButtons, b);
  }
  for (std::string_view name : {"Cancel", "Ok", "Get", "New", "Reply", "Delete", "Send"}) {
    AddButton(f, G::kEmailButtons, {name, name, name, "", "GLYPHNUM", name, name == "Delete" ? "Del" : name, "", ""});
  }
}

// The fields that are not one key's row: lists, messages and the buttons' records.
std::vector<SetupField> BuiltFields() {
  std::vector<SetupField> f = {
      List(G::kProtocolsToBlock, ConfigListId::kProtocols),
      List(G::kProtocolsToAllow, ConfigListId::kAllowedProtocols),
      List(G::kFoldersToAllow, ConfigListId::kAllowedFolders),
      List(G::kDialogsToProcess, ConfigListId::kChildStrings),
      List(G::kLogRecipients, ConfigListId::kLogRecipients),
      List(G::kCarousel, ConfigListId::kCarousel),
      List(G::kBannerGraphics, ConfigListId::kBanners),
      List(G::kProgramFiles, ConfigListId::kPrograms),
      List(G::kConfigurationNotes, ConfigListId::kConfiguration, C::kNotes),
  };
  for (std::size_t i = 0; i < SetupMessageList().size(); ++i) f.push_back(Message(i));
  AddButtonFields(f);
  return f;
}

// The key table's rows shown in a group: those with a place first, by place, then the
// others; each in table order.
std::vector<const ConfigKey*> KeysShownIn(G group) {
  std::vector<const ConfigKey*> keys;
  for (const ConfigKey& key : ConfigKeys()) {
    if (key.shown.group == group) keys.push_back(&key);
  }
  const auto rank = [](const ConfigKey* key) {
    return key->shown.place > 0 ? key->shown.place : std::numeric_limits<int>::max();
  };
  std::stable_sort(keys.begin(), keys.end(), [&](const ConfigKey* a, const ConfigKey* b) { return rank(a) < rank(b); });
  return keys;
}

SetupField KeyField(const ConfigKey& key) {
  const SetupControl& c = key.shown;
  SetupField f = Field(*c.group, c.caption, key.section, key.name, c.control);
  f.minimum = c.minimum;
  f.maximum = c.maximum;
  f.step = c.step;
  f.choices = c.choices;
  f.picker = c.picker;
  return f;
}

const std::vector<SetupField>& Fields() {
  static const std::vector<SetupField> fields = [] {
    const std::vector<SetupField> built = BuiltFields();
    std::vector<SetupField> f;
    for (const SetupGroupInfo& group : SetupGroups()) {
      for (const ConfigKey* key : KeysShownIn(group.group)) f.push_back(KeyField(*key));
      for (const SetupField& field : built) {
        if (field.page == group.page && field.group == group.caption) f.push_back(field);
      }
    }
    return f;
  }();
  return fields;
}

constexpr std::array kProtocolColumns = std::to_array<ListColumn>({{"Protocol", "protocol"}});
constexpr std::array kAllowedColumns = std::to_array<ListColumn>({{"Protocol", "protocol"}});
constexpr std::array kFolderColumns = std::to_array<ListColumn>({{"Folder", "/"}});
constexpr std::array kRecipientColumns =
    std::to_array<ListColumn>({{"E-Mail Address", "name@domain"}, {"Name", "Name"}});
constexpr std::array kCarouselColumns = std::to_array<ListColumn>(
    {{"URL", "http://", Picker::kLocalPage, true}, {"Time", "5", Picker::kNone, false, 1, 21600, 5}});
constexpr std::array kBannerColumns = std::to_array<ListColumn>({
    {"Graphic File", "", Picker::kBannerGraphic},
    {"URL", "none", Picker::kLocalPage, true},
    {"Time", "5", Picker::kNone, false, 1, 21600, 5},
    {"Description", ""},
});
constexpr std::array kProgramColumns = std::to_array<ListColumn>({{"Program File", "", Picker::kProgram}});
constexpr std::array kChildColumns = std::to_array<ListColumn>({{"Dialog with string ...", ""}});
constexpr std::array kNotesColumns = std::to_array<ListColumn>({{"Configuration Notes", ""}});

constexpr std::array kListSpecs = std::to_array<ListSpec>({
    {ConfigListId::kProtocols, kProtocolColumns, false},
    {ConfigListId::kAllowedProtocols, kAllowedColumns, false},
    {ConfigListId::kAllowedFolders, kFolderColumns, false},
    {ConfigListId::kLogRecipients, kRecipientColumns, false},
    {ConfigListId::kCarousel, kCarouselColumns, true},
    {ConfigListId::kBanners, kBannerColumns, true},
    {ConfigListId::kPrograms, kProgramColumns, true},
    {ConfigListId::kChildStrings, kChildColumns, false},
    {ConfigListId::kConfiguration, kNotesColumns, false},
});

}  // namespace

std::span<const std::string_view> SetupPageCaptions() { return kPages; }

const PickerSpec& GetPickerSpec(Picker picker) { return kPickers.at(static_cast<std::size_t>(picker)); }

std::span<const SetupField> SetupFields() { return Fields(); }

const SetupField* FindSetupField(std::string_view section, std::string_view key) {
  for (const SetupField& field : Fields()) {
    if (!field.section.empty() && SameName(field.section, section) && SameName(field.key, key)) return &field;
  }
  return nullptr;
}

const SetupField* FindListField(ConfigListId list) {
  for (const SetupField& field : Fields()) {
    if ((field.control == C::kList || field.control == C::kNotes) && field.list == list) return &field;
  }
  return nullptr;
}

const ListSpec& GetListSpec(ConfigListId list) {
  for (const ListSpec& spec : kListSpecs) {
    if (spec.list == list) return spec;
  }
  throw std::out_of_range("no list editor for this list");
}

}  // namespace tw
