// The Setup Manager's Keyboard page without its window: the key being edited and its
// edits, the keyboard page shown, the layout files of the Language folder, matching the
// machine's own layout ("Synch") and saving a customised keyboard as a layout file.
//
// The keys and messages live in the session's configuration and reach TWLang.ini only
// with OK; nothing here writes TWLang.ini or Tarnwick.ini. The one file written is a
// custom layout the operator saves into Language/.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/keyboard/keyboard_key.h"
#include "setup/model/setup_session.h"

namespace tw {

// The fields of a key that hold text.
enum class KeyText { kTopLeft, kBottomLeft, kTopRight, kBottomRight, kSendString, kFontName };

class KeyboardPageModel {
 public:
  // `system_layout`: the machine's layout name (kUnknownKeyboardLayout when it has none).
  KeyboardPageModel(SetupSession& session, std::string system_layout);

  // The configuration was replaced (opened, reverted, saved): no key selected, the
  // keyboard as it is now counts as unchanged, and its layout name is its CurKB.
  void Restart();

  // Makes the key of that name (compared without regard to case) the one being edited.
  bool Select(std::string_view name);
  // The key being edited, or nothing.
  const NamedKeyboardEntry* Selected() const;

  // Edits of the selected key, applied at once; false (and nothing changed) without a
  // selected key. A text that could not be stored is refused with the reason.
  std::optional<std::string> SetText(KeyText field, std::string_view text);
  // A new layout also gives the key that layout's font size (which SetFontSize changes).
  bool SetLayout(KeyLayout layout);
  bool SetFontSize(int size);  // from 1
  bool SetVisible(bool visible);

  // The page shown: "QWERT" or "ABCDE"; Swap shows the other.
  KeyboardPage Page() const { return page_; }
  void Swap();

  // Keys or messages differ from the layout loaded last (or from the start).
  bool Customised() const;
  // A layout was chosen from the list since the start.
  bool Loaded() const { return loaded_; }

  // "System keyboard:" and whether "Synch" can be used.
  const std::string& SystemLayout() const { return system_layout_; }
  bool CanSynch() const;
  // The entry of `layouts` whose text is the system layout's name exactly.
  std::optional<std::string> SynchChoice(const std::vector<std::string>& layouts) const;

  // "Virtual keyboard:": the layout's CurKB, or "Unknown layout".
  std::string VirtualKeyboardName() const;
  // The name a customised keyboard is proposed to be saved under ("Custom French.ini").
  std::string ProposedFileName() const;

  // Chooses a layout of Language/ (see SetupSession::ChooseLayout); nothing for an empty
  // name. Throws SetupFileError.
  void ChooseLayout(const std::string& name);

  // Where a layout saved under the file the operator picked goes: Language/ with that
  // file's name (".ini" added when missing), whatever folder was picked.
  std::string SavePath(const std::string& chosen) const;
  // Writes the keyboard and messages with CurKB into SavePath(chosen) and returns that
  // path. Throws SetupFileError; the layout that was chosen before is never touched.
  std::string SaveLayout(const std::string& chosen);

 private:
  NamedKeyboardEntry* SelectedEntry();
  void Change(const KeyboardEntry& entry);

  SetupSession& session_;
  std::string system_layout_;
  std::optional<std::size_t> selected_;
  KeyboardPage page_ = KeyboardPage::kQwert;
  std::string layout_name_;  // the file name of the layout, or CurKB at the start
  bool loaded_ = false;
  std::vector<NamedKeyboardEntry> baseline_keys_;
  SetupMessages baseline_messages_;
};

}  // namespace tw
