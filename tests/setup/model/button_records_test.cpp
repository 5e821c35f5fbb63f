// Every key of every button family, as the operator's guide names them: the Setup Manager
// loads and saves them unchanged, edits each on its own line, and the kiosk's readers find
// each value under the same name.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <utility>
#include <vector>

#include "common/config/profile_file.h"
#include "common/config/setting_errors.h"
#include "kiosk/email/rules/email_window_config.h"
#include "kiosk/core/settings/kiosk_settings.h"
#include "kiosk/core/settings/side_panel_config.h"
#include "kiosk/core/frame/toolbar_layout.h"
#include "setup/model/setup_config.h"
#include "setup/model/setup_fields.h"
#include "support/file_text.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

using Key = std::pair<std::string, std::string>;

// The button keys in file order, each with a value no other key has.
class ButtonFile {
 public:
  ButtonFile() {
    const std::vector<std::string> toolbar = {"Start",    "Back",   "Forward",  "Help",        "Print",    "Stop",
                                              "Reload",   "Email",  "BCustom1", "BCustom2",    "BCustom3", "BCustom4",
                                              "BCustom5", "ZoomIn", "ZoomOut",  "HighContrast"};
    const std::vector<std::string> arrows = {"Up", "Down", "Left", "Right"};
    const std::vector<std::string> email = {"Cancel", "Ok", "Get", "New", "Reply", "Delete", "Send"};
    std::vector<std::string> looks = toolbar;
    looks.insert(looks.end(), {"Show", "Hide"});
    looks.insert(looks.end(), arrows.begin(), arrows.end());
    looks.insert(looks.end(), email.begin(), email.end());
    for (const auto& name : looks) Add("TEXT", name, "Caption of " + name);
    for (const auto& name : looks) Add("GLYPH", name, "/glyphs/" + name + ".bmp");
    for (const auto& name : looks) {
      if (name != "Show" && name != "Hide") Add("GLYPHNUM", name, Cycle(1, 3));
    }
    Add("GLYPHNUM", "Keyboard", "3");
    Add("BUTTONS", "NumberOfButtons", "8");
    for (const auto& name : toolbar) Add("BUTTONS", name + "On", Cycle(1, 8));
    Add("BUTTONS", "KeyboardOn", "8");
    for (int n = 1; n <= 5; ++n) Add("BUTTONS", "BCustom" + std::to_string(n) + "TW", std::to_string(n + 8));
    Add("BUTTONS", "ScrollOn", "0");
    for (int n = 1; n <= 10; ++n) {
      const std::string c = "Custom" + std::to_string(n);
      Add("BUTTONS", c + "URL", "http://pages/" + c);
      Add("BUTTONS", c + "Text", "Page " + std::to_string(n));
      Add("BUTTONS", c + "Glyph", "/glyphs/" + c + ".bmp");
      Add("BUTTONS", c + "Number", Cycle(1, 3));
      Add("BUTTONS", "TWCommand" + std::to_string(n), "0");
    }
    std::vector<std::string> sounds = toolbar;
    sounds.push_back("Keyboard");
    sounds.insert(sounds.end(), arrows.begin(), arrows.end());
    for (int n = 1; n <= 10; ++n) sounds.push_back("Custom" + std::to_string(n));
    sounds.insert(sounds.end(), {"Cancel", "Ok", "Get", "New", "Reply", "Del", "Send"});
    for (const auto& name : sounds) {
      Add("SOUNDS", name + "Source", Cycle(0, 7));
      Add("SOUNDS", name + "Wav", "/sounds/" + name + ".wav");
    }
    for (int n = 1; n <= 5; ++n) Add("URLS", "BCustom" + std::to_string(n), "http://toolbar/" + std::to_string(n));
  }

  const std::vector<Key>& keys() const { return keys_; }
  const std::string& operator()(const std::string& section, const std::string& key) const {
    return values_.at({section, key});
  }
  int Number(const std::string& section, const std::string& key) const { return std::stoi((*this)(section, key)); }

  // One section after another, with a comment and Windows line ends.
  std::string Text() const {
    std::string text = "; every button key\r\n";
    std::string section;
    for (const auto& [s, k] : keys_) {
      if (s != section) text += "[" + (section = s) + "]\r\n";
      text += k + "=" + values_.at({s, k}) + "\r\n";
    }
    return text;
  }

 private:
  std::string Cycle(int low, int high) { return std::to_string(low + (counter_++ % (high - low + 1))); }
  void Add(const std::string& section, const std::string& key, const std::string& value) {
    // Sections stay together in the file.
    auto at = keys_.end();
    for (auto it = keys_.begin(); it != keys_.end(); ++it) {
      if (it->first == section) at = it + 1;
    }
    keys_.insert(at, {section, key});
    values_[{section, key}] = value;
  }

  std::vector<Key> keys_;
  std::map<Key, std::string> values_;
  int counter_ = 0;
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool IsButtonField(const SetupField& field) {
  return !field.entry.empty() || (field.page == kButtonsPage && !field.section.empty());
}

TEST(ButtonRecords, EveryKeyLoadsSavesAndEditsOnItsOwnLine) {
  const ButtonFile file;
  // The Setup Manager writes every key it knows: a file it saved holds the other pages'
  // keys too, and comes back byte for byte.
  const std::string text = SetupConfig(file.Text(), "").TarnwickText();
  SetupConfig config(text, "");

  // Each key of the file is a field of the pages, showing the file's value; and each
  // button field of the pages is a key of the file.
  for (const auto& [section, key] : file.keys()) {
    EXPECT_NE(FindSetupField(section, key), nullptr) << section << "/" << key;
    EXPECT_EQ(config.Value(section, key), file(section, key)) << section << "/" << key;
  }
  std::size_t fields = 0;
  for (const SetupField& field : SetupFields()) {
    if (!IsButtonField(field)) continue;
    ++fields;
    bool in_file = false;
    for (const auto& [section, key] : file.keys())
      in_file = in_file || (SameName(section, field.section) && SameName(key, field.key));
    EXPECT_TRUE(in_file) << field.section << "/" << field.key;
  }
  EXPECT_EQ(fields, file.keys().size());

  EXPECT_EQ(config.TarnwickText(), text);

  const std::vector<std::string> before = Lines(text);
  for (const SetupField& field : SetupFields()) {
    if (!IsButtonField(field)) continue;
    const std::string old_value = config.Value(field.section, field.key);
    const std::string new_value = field.control == FieldControl::kText || field.control == FieldControl::kFile ||
                                          field.control == FieldControl::kLocalUrl
                                      ? old_value + " edited"
                                      : (old_value == "2" ? "3" : "2");
    config.SetValue(field.section, field.key, new_value);
    const std::vector<std::string> after = Lines(config.TarnwickText());
    ASSERT_EQ(after.size(), before.size()) << field.key;
    std::vector<std::string> changed;
    for (std::size_t i = 0; i < after.size(); ++i) {
      if (after[i] != before[i]) changed.push_back(after[i]);
    }
    EXPECT_EQ(changed, (std::vector<std::string>{std::string(field.key) + "=" + new_value + "\r"})) << field.key;
    config.SetValue(field.section, field.key, old_value);
  }
  EXPECT_EQ(config.TarnwickText(), text);
  EXPECT_FALSE(config.IsDirty());
}

TEST(ButtonRecords, TheKioskReadsEveryKeyUnderTheSameName) {
  const ButtonFile f;
  test::TempDir dir;
  test::Spit(dir.File("Tarnwick.ini"), f.Text());
  test::Spit(dir.File("TWLang.ini"), "");
  const ProfileFile ini(dir.File("Tarnwick.ini"));
  const ProfileFile language(dir.File("TWLang.ini"));
  SettingErrors errors;

  const ToolbarConfig toolbar = ReadToolbarConfig(ini, errors);
  for (const ToolbarButtonInfo& info : ToolbarButtons()) {
    if (info.id == ToolbarButtonId::kBack2 || info.id == ToolbarButtonId::kForward2) continue;
    const ToolbarButtonConfig& b = toolbar.button(info.id);
    const std::string look(info.text_key), name(info.setting);
    EXPECT_EQ(b.caption, f("TEXT", look)) << name;
    EXPECT_EQ(b.glyph_file, f("GLYPH", look)) << name;
    EXPECT_EQ(b.glyph_count, f.Number("GLYPHNUM", name)) << name;
    EXPECT_EQ(b.sound, f.Number("SOUNDS", name + "Source")) << name;
    EXPECT_EQ(b.custom_sound, f("SOUNDS", name + "Wav")) << name;
    EXPECT_EQ(b.slot, f.Number("BUTTONS", name + "On")) << name;
  }
  EXPECT_EQ(toolbar.hide_text, f("TEXT", "Hide"));
  EXPECT_EQ(toolbar.glyph_hide, f("GLYPH", "Hide"));
  for (int n = 1; n <= 5; ++n) {
    const std::string name = "BCustom" + std::to_string(n);
    EXPECT_EQ(toolbar.buttons[static_cast<std::size_t>(ToolbarButtonId::kCustom1) + n - 1].url, f("URLS", name));
  }

  RightPanelConfig right;
  ReadRightPanelConfig(ini, right, errors);
  EXPECT_EQ(right.arrows_visible, false);
  const char* arrows[] = {"Up", "Down", "Left", "Right"};
  for (int i = 0; i < 4; ++i) {
    const std::string name = arrows[i];
    const SidePanelButtonConfig& a = right.arrows[i];
    EXPECT_EQ(a.caption, f("TEXT", name));
    EXPECT_EQ(a.glyph_file, f("GLYPH", name));
    EXPECT_EQ(a.glyph_count, f.Number("GLYPHNUM", name));
    EXPECT_EQ(a.sound, f.Number("SOUNDS", name + "Source"));
    EXPECT_EQ(a.custom_sound, f("SOUNDS", name + "Wav"));
  }
  for (int n = 1; n <= 10; ++n) {
    const std::string c = "Custom" + std::to_string(n);
    const SidePanelButtonConfig& b = right.custom[n - 1];
    EXPECT_EQ(b.caption, f("BUTTONS", c + "Text"));
    EXPECT_EQ(b.glyph_file, f("BUTTONS", c + "Glyph"));
    EXPECT_EQ(b.glyph_count, f.Number("BUTTONS", c + "Number"));
    EXPECT_EQ(b.url, f("BUTTONS", c + "URL"));
    EXPECT_EQ(b.sound, f.Number("SOUNDS", c + "Source"));
    EXPECT_EQ(b.custom_sound, f("SOUNDS", c + "Wav"));
  }

  const EmailWindowConfig email = ReadEmailWindowConfig(ini, language, errors);
  const ErrorDialogConfig dialog = ReadErrorDialogConfig(ini, errors);
  const struct {
    std::string name, sound;
    EmailButtonLook look;
  } looks[] = {
      {"Cancel", "Cancel", email.cancel},
      {"Get", "Get", email.get},
      {"New", "New", email.new_message},
      {"Reply", "Reply", email.reply},
      {"Delete", "Del", email.del},
      {"Send", "Send", email.send},
      {"Ok", "Ok", {dialog.ok_caption, dialog.ok_glyph_count, dialog.ok_glyph, dialog.ok_sound, dialog.ok_wav}},
  };
  for (const auto& row : looks) {
    EXPECT_EQ(row.look.caption, f("TEXT", row.name)) << row.name;
    EXPECT_EQ(row.look.glyph, f("GLYPH", row.name)) << row.name;
    EXPECT_EQ(row.look.glyph_count, f.Number("GLYPHNUM", row.name)) << row.name;
    EXPECT_EQ(row.look.sound, f.Number("SOUNDS", row.sound + "Source")) << row.name;
    EXPECT_EQ(row.look.wav, f("SOUNDS", row.sound + "Wav")) << row.name;
  }
  EXPECT_TRUE(errors.empty());
}

}  // namespace
}  // namespace tw
