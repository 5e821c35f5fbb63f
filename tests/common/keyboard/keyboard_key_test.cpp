#include "common/keyboard/keyboard_key.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "common/keyboard/keyboard_entry.h"

namespace tw {
namespace {

std::set<std::string> Names(KeyboardPage page) {
  std::set<std::string> names;
  for (const KeyboardKey& key : KeyboardKeys(page)) names.insert(std::string(key.name));
  return names;
}

std::set<std::string> Buttons(std::initializer_list<std::pair<int, int>> ranges,
                              std::initializer_list<const char*> others) {
  std::set<std::string> names(others.begin(), others.end());
  for (const auto& [first, last] : ranges) {
    for (int n = first; n <= last; ++n) names.insert("VX4KeyButton" + std::to_string(n));
  }
  return names;
}

TEST(KeyboardKeys, NamesOfBothPages) {
  EXPECT_EQ(KeyboardKeys().size(), 127u);
  EXPECT_EQ(KeyboardKeys(KeyboardPage::kQwert).size(), 68u);
  EXPECT_EQ(KeyboardKeys(KeyboardPage::kAbcde).size(), 59u);
  EXPECT_EQ(Names(KeyboardPage::kQwert),
            Buttons({{17, 33}, {38, 54}, {60, 71}, {76, 86}, {88, 88}, {95, 95}, {98, 100}},
                    {"KCapsLock", "KShiftLeft", "KShiftRight", "KABCDE", "KAltGrLeft", "KAltGrRight"}));
  EXPECT_EQ(Names(KeyboardPage::kAbcde),
            Buttons({{1, 14}, {16, 16}, {34, 37}, {55, 59}, {72, 74}, {89, 94}, {96, 97}, {101, 108}, {111, 124}},
                    {"KQWERT", "KShiftLock"}));
  for (const KeyboardKey& key : KeyboardKeys(KeyboardPage::kQwert)) EXPECT_EQ(key.page, KeyboardPage::kQwert);
}

TEST(KeyboardKeys, FunctionKeyLegendsAndScripts) {
  struct Case {
    const char* name;
    const char* caption;
    const char* send_string;
    KeyType type;
    bool visible;
  };
  const Case cases[] = {
      {"VX4KeyButton30", "Backspace", "{Backspace}", KeyType::kNormal, true},
      {"VX4KeyButton31", "Cut", "^x", KeyType::kNormal, true},
      {"VX4KeyButton32", "Home", "{Home}", KeyType::kNormal, true},
      {"VX4KeyButton33", "Copy", "^c", KeyType::kNormal, true},
      {"VX4KeyButton38", "Tab", "{Tab}", KeyType::kNormal, true},
      {"VX4KeyButton51", "Return", "~", KeyType::kNormal, true},
      {"VX4KeyButton52", "Delete", "{Del}", KeyType::kNormal, true},
      {"VX4KeyButton53", "End", "{End}", KeyType::kNormal, true},
      {"VX4KeyButton54", "Paste", "^v", KeyType::kNormal, true},
      {"KCapsLock", "Caps", "{CapsLock}", KeyType::kNormal, true},
      {"KShiftLeft", "Shift", "", KeyType::kShift, true},
      {"KShiftRight", "Shift", "", KeyType::kShift, true},
      {"KABCDE", "ABCDE...", "", KeyType::kNormal, true},
      {"KAltGrLeft", "Alt Gr", "", KeyType::kAltGr, false},
      {"KAltGrRight", "Alt Gr", "", KeyType::kAltGr, false},
      {"VX4KeyButton14", "Backspace", "{Backspace}", KeyType::kNormal, true},
      {"VX4KeyButton74", "Return", "~", KeyType::kNormal, true},
      {"VX4KeyButton105", "Space", " ", KeyType::kNormal, true},
      {"KQWERT", "QWERT...", "", KeyType::kNormal, true},
      {"KShiftLock", "Shift", "{CapsLock}", KeyType::kNormal, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const KeyboardKey* key = FindKeyboardKey(c.name);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->caption, c.caption);
    EXPECT_EQ(key->send_string, c.send_string);
    EXPECT_EQ(key->key_type, c.type);
    EXPECT_EQ(key->visible, c.visible);
  }
  EXPECT_EQ(FindKeyboardKey("kshiftlock"), FindKeyboardKey("KShiftLock"));
  EXPECT_EQ(FindKeyboardKey("VX4KeyButton15"), nullptr);
}

TEST(KeyboardKeys, KeysLieOnTheirPageWithoutOverlapping) {
  for (const KeyboardPage page : {KeyboardPage::kQwert, KeyboardPage::kAbcde}) {
    const auto keys = KeyboardKeys(page);
    for (std::size_t i = 0; i < keys.size(); ++i) {
      const KeyboardKey& a = keys[i];
      SCOPED_TRACE(std::string(a.name));
      EXPECT_GE(a.left, 0);
      EXPECT_LE(a.left + a.width, 800);
      EXPECT_GE(a.top, 0);
      EXPECT_LE(a.top + a.height, 215);
      for (std::size_t j = i + 1; j < keys.size(); ++j) {
        const KeyboardKey& b = keys[j];
        const bool overlap = a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
                             b.top < a.top + a.height;
        EXPECT_FALSE(overlap) << b.name;
      }
    }
  }
}

// Every built-in key must survive being written to and read from a language file,
// including the keys whose legend or script is a double quote, a comma or a space.
TEST(KeyboardKeys, BuiltInDescriptionsSurviveComposeAndParse) {
  for (const NamedKeyboardEntry& key : BuiltInKeyboard()) {
    SCOPED_TRACE(key.name);
    KeyboardEntry other;
    other.key_layout = KeyLayout::kQuad;
    other.font_size = 99;
    EXPECT_EQ(ParseKeyboardValue(ComposeKeyboardValue(key.entry), other, VisibleField::kStrictInteger), key.entry);
  }
}

}  // namespace
}  // namespace tw
