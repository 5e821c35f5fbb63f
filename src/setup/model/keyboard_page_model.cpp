#include "setup/model/keyboard_page_model.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "common/system/atomic_file.h"
#include "common/keyboard/keyboard_layout_names.h"
#include "common/texts/language_file.h"

namespace tw {
namespace {

SetupMessages MessagesOf(const SetupConfig& config) {
  SetupMessages messages;
  for (std::size_t i = 0; i < SetupMessageList().size(); ++i) messages.push_back(config.Message(i));
  return messages;
}

std::string LayoutNameIn(const SetupConfig& config) {
  return ProfileText(config.LanguageText()).Get(kLanguageSection, kCurrentLayoutKey).value_or("");
}

}  // namespace

KeyboardPageModel::KeyboardPageModel(SetupSession& session, std::string system_layout)
    : session_(session), system_layout_(std::move(system_layout)) {
  Restart();
}

void KeyboardPageModel::Restart() {
  selected_.reset();
  layout_name_ = LayoutNameIn(session_.config());
  baseline_keys_ = session_.config().Keys();
  baseline_messages_ = MessagesOf(session_.config());
}

bool KeyboardPageModel::Select(std::string_view name) {
  const auto& keys = session_.config().Keys();
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (SameName(keys[i].name, name)) {
      selected_ = i;
      return true;
    }
  }
  return false;
}

const NamedKeyboardEntry* KeyboardPageModel::Selected() const {
  return selected_ ? &session_.config().Keys()[*selected_] : nullptr;
}

void KeyboardPageModel::Change(const KeyboardEntry& entry) { session_.config().SetKey(*selected_, entry); }

std::optional<std::string> KeyboardPageModel::SetText(KeyText field, std::string_view text) {
  const NamedKeyboardEntry* key = Selected();
  if (key == nullptr) return "No key is selected.";
  KeyboardEntry entry = key->entry;
  std::string* target = nullptr;
  switch (field) {
    case KeyText::kTopLeft: target = &entry.caption; break;
    case KeyText::kBottomLeft: target = &entry.caption2; break;
    case KeyText::kTopRight: target = &entry.caption3; break;
    case KeyText::kBottomRight: target = &entry.caption4; break;
    case KeyText::kSendString: target = &entry.send_string; break;
    case KeyText::kFontName: target = &entry.font_name; break;
  }
  *target = std::string(text);
  if (std::optional<std::string> problem = KeyboardEntryProblem(entry)) return problem;
  Change(entry);
  return std::nullopt;
}

bool KeyboardPageModel::SetLayout(KeyLayout layout) {
  const NamedKeyboardEntry* key = Selected();
  if (key == nullptr) return false;
  KeyboardEntry entry = key->entry;
  entry.key_layout = layout;
  entry.font_size = DefaultKeyFontSize(layout);
  Change(entry);
  return true;
}

bool KeyboardPageModel::SetFontSize(int size) {
  const NamedKeyboardEntry* key = Selected();
  if (key == nullptr || size < 1) return false;
  KeyboardEntry entry = key->entry;
  entry.font_size = size;
  Change(entry);
  return true;
}

bool KeyboardPageModel::SetVisible(bool visible) {
  const NamedKeyboardEntry* key = Selected();
  if (key == nullptr) return false;
  KeyboardEntry entry = key->entry;
  entry.visible = visible;
  Change(entry);
  return true;
}

void KeyboardPageModel::Swap() { page_ = page_ == KeyboardPage::kQwert ? KeyboardPage::kAbcde : KeyboardPage::kQwert; }

bool KeyboardPageModel::Customised() const {
  return session_.config().Keys() != baseline_keys_ || MessagesOf(session_.config()) != baseline_messages_;
}

bool KeyboardPageModel::CanSynch() const { return !system_layout_.empty() && system_layout_ != kUnknownKeyboardLayout; }

std::optional<std::string> KeyboardPageModel::SynchChoice(const std::vector<std::string>& layouts) const {
  if (!CanSynch()) return std::nullopt;
  for (const std::string& name : layouts) {
    if (name == system_layout_) return name;
  }
  return std::nullopt;
}

std::string KeyboardPageModel::VirtualKeyboardName() const {
  const std::string name = LayoutNameIn(session_.config());
  return name.empty() ? std::string(kUnknownLayout) : name;
}

std::string KeyboardPageModel::ProposedFileName() const { return CustomLayoutFileName(layout_name_); }

void KeyboardPageModel::ChooseLayout(const std::string& name) {
  if (name.empty()) return;
  session_.ChooseLayout(name);
  Restart();
  layout_name_ = name;
  loaded_ = true;
}

std::string KeyboardPageModel::SavePath(const std::string& chosen) const {
  const auto slash = chosen.find_last_of('/');
  std::string file = slash == std::string::npos ? chosen : chosen.substr(slash + 1);
  if (file.size() < 4 || !SameName(file.substr(file.size() - 4), ".ini")) file += ".ini";
  return session_.folder() + "Language/" + file;
}

std::string KeyboardPageModel::SaveLayout(const std::string& chosen) {
  const std::string path = SavePath(chosen);
  ProfileText text(session_.config().LanguageText());
  const std::string base = path.substr(path.rfind('/') + 1, path.size() - path.rfind('/') - 5);
  text.Set(kLanguageSection, kCurrentLayoutKey, layout_name_.empty() ? base : layout_name_);
  ::mkdir((session_.folder() + "Language").c_str(), 0755);
  if (!ReplaceFileAtomically(path, text.Text())) throw SetupFileError(path, std::strerror(errno));
  return path;
}

}  // namespace tw
