// The on-screen keyboard's two pages, "QWERT" and "ABCDE", with every key of the key
// table at its design place (800 x 215), following one controller. The kiosk's tool bar
// types with it; the Setup Manager shows it to edit keys.
#pragma once

#include <QStackedWidget>
#include <array>
#include <string_view>
#include <vector>

#include "common/keyboard/keyboard_key.h"

namespace tw {

class KeyButton;
class KeyboardController;

class KeyboardPages : public QStackedWidget {
  Q_OBJECT

 public:
  // Keys take the widget's font; "ABCDE..." and "QWERT..." switch the pages.
  KeyboardPages(KeyboardController* controller, QWidget* parent = nullptr);

  // A language file's descriptions, in creation order (as KeyboardKeys()).
  void ApplyEntries(const std::vector<NamedKeyboardEntry>& entries);
  // One key's description: legends, key script, layout, font (size in points), visibility.
  static void ApplyEntry(KeyButton& key, const KeyboardEntry& entry);

  // 0 "QWERT", 1 "ABCDE".
  void ShowPage(int page);
  QWidget* Page(int page) const { return pages_[static_cast<std::size_t>(page)]; }
  // Keys in creation order; Key finds one by name (without regard to case).
  const std::vector<KeyButton*>& Keys() const { return keys_; }
  KeyButton* Key(std::string_view name) const;

 private:
  std::array<QWidget*, 2> pages_{};
  std::vector<KeyButton*> keys_;
};

}  // namespace tw
