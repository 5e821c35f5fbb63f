#include "common/keyboard/key_table.h"

#include <vector>

#include "common/config/profile_file.h"

namespace tw {
namespace {

struct Row {
  std::string_view name;
  KeyDefinition definition;
};

constexpr KeyColour kLight = KeyColour::kLight;
constexpr KeyColour kDark = KeyColour::kDark;

Row Light(std::string_view name, std::string caption, std::string caption2, std::string send, KeyLayout layout) {
  return {name, {std::move(caption), std::move(caption2), std::move(send), KeyType::kNormal, kLight, layout}};
}

Row DarkNormal(std::string_view name, std::string caption, std::string caption2, std::string send,
               KeyType type = KeyType::kNormal) {
  return {name, {std::move(caption), std::move(caption2), std::move(send), type, kDark, KeyLayout::kNormal}};
}

// A digit or punctuation key: shifted character of a UK keyboard above the plain one.
Row Double(std::string_view name, std::string shifted, std::string plain) {
  return Light(name, std::move(shifted), plain, plain, KeyLayout::kDouble);
}

std::vector<Row> BuildTable() {
  std::vector<Row> rows;
  rows.reserve(kKeyCount);
  rows.push_back(Light("Custom", "", "", "", KeyLayout::kNormal));
  static const char* const kLetterNames[] = {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
                                             "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z"};
  for (const char* letter : kLetterNames) {
    std::string small(1, static_cast<char>(letter[0] - 'A' + 'a'));
    rows.push_back(Light(letter, letter, "", small, KeyLayout::kLetter));
  }
  rows.push_back(Double("One", "!", "1"));
  rows.push_back(Double("Two", "\"", "2"));
  rows.push_back(Double("Three", "\xC2\xA3", "3"));
  rows.push_back(Double("Four", "$", "4"));
  rows.push_back(Double("Five", "%", "5"));
  rows.push_back(Double("Six", "^", "6"));
  rows.push_back(Double("Seven", "&", "7"));
  rows.push_back(Double("Eight", "*", "8"));
  rows.push_back(Double("Nine", "(", "9"));
  rows.push_back(Double("Zero", ")", "0"));
  rows.push_back(Double("Quote", "\xC2\xAC", "`"));
  rows.push_back(Double("Minus", "_", "-"));
  rows.push_back(Double("Equalls", "+", "="));
  rows.push_back(Double("SquareOpen", "{", "["));
  rows.push_back(Double("SquareClose", "}", "]"));
  rows.push_back(Double("SemiColon", ":", ";"));
  rows.push_back(Double("Apostrophe", "@", "'"));
  rows.push_back(Double("Hash", "~", "#"));
  rows.push_back(Double("BackSlash", "|", "\\"));
  rows.push_back(Double("Comma", "<", ","));
  rows.push_back(Double("FullStop", ">", "."));
  rows.push_back(Double("Slash", "?", "/"));
  rows.push_back(Light("SpaceBar", "", "", " ", KeyLayout::kLetter));
  rows.push_back(DarkNormal("Shift", "Shift", "", "", KeyType::kShift));
  rows.push_back(DarkNormal("Alt", "Alt", "", "", KeyType::kAlt));
  rows.push_back(DarkNormal("Ctrl", "Ctrl", "", "", KeyType::kCtrl));
  rows.push_back(DarkNormal("CapsLock", "Caps", "Lock", "{CapsLock}"));
  rows.push_back(DarkNormal("Tab", "Tab", "", "{Tab}"));
  rows.push_back(DarkNormal("Esc", "Esc", "", "{Esc}"));
  rows.push_back(DarkNormal("Return", "Return", "", "~"));
  rows.push_back(DarkNormal("Backspace", "Backspace", "", "{Backspace}"));
  rows.push_back(DarkNormal("PrintScreen", "Print", "Scrn", "{Prtsc}"));
  rows.push_back(DarkNormal("ScrollLock", "Scroll", "Lock", "{ScrollLock}"));
  rows.push_back(DarkNormal("Pause", "Pause", "", "{Break}"));
  rows.push_back(DarkNormal("Insert", "Insert", "", "{Ins}"));
  rows.push_back(DarkNormal("Delete", "Delete", "", "{Del}"));
  rows.push_back(DarkNormal("Home", "Home", "", "{Home}"));
  rows.push_back(DarkNormal("EndKey", "End", "", "{End}"));
  rows.push_back(DarkNormal("PageUp", "Page", "Up", "{PgUp}"));
  rows.push_back(DarkNormal("PageDown", "Page", "Down", "{PgDn}"));
  // Arrows are shown as the Unicode arrow characters.
  rows.push_back(DarkNormal("Up", "\xE2\x86\x91", "", "{Up}"));
  rows.push_back(DarkNormal("Down", "\xE2\x86\x93", "", "{Down}"));
  rows.push_back(DarkNormal("Left", "\xE2\x86\x90", "", "{Left}"));
  rows.push_back(DarkNormal("Right", "\xE2\x86\x92", "", "{Right}"));
  rows.push_back(DarkNormal("NumLock", "Num", "Lock", "{NumLock}"));
  rows.push_back(DarkNormal("NumSlash", "/", "", "/"));
  rows.push_back(DarkNormal("NumAsterisk", "*", "", "*"));
  rows.push_back(DarkNormal("NumMinus", "-", "", "-"));
  // "+" alone would hold Shift down; braces type the character itself.
  rows.push_back(DarkNormal("NumPlus", "+", "", "{+}"));
  rows.push_back(DarkNormal("Enter", "Enter", "", "{Enter}"));
  rows.push_back(Light("NumPoint", ".", "", ".", KeyLayout::kNormal));
  static const char* const kNumNames[] = {"NumOne", "NumTwo",   "NumThree", "NumFour", "NumFive",
                                          "NumSix", "NumSeven", "NumEight", "NumNine", "NumZero"};
  for (int i = 0; i < 10; ++i) {
    std::string digit(1, static_cast<char>('0' + (i + 1) % 10));
    rows.push_back(Light(kNumNames[i], digit, "", digit, KeyLayout::kNormal));
  }
  static const char* const kFunctionNames[] = {"F1", "F2", "F3", "F4",  "F5",  "F6",
                                               "F7", "F8", "F9", "F10", "F11", "F12"};
  for (int i = 0; i < 12; ++i) {
    std::string name = kFunctionNames[i];
    Row row = Light(kFunctionNames[i], name, "", "{" + name + "}", KeyLayout::kNormal);
    if (i >= 4 && i <= 7) row.definition.colour = kDark;
    rows.push_back(std::move(row));
  }
  rows.push_back(DarkNormal("Cut", "Cut", "", "^x"));
  rows.push_back(DarkNormal("Copy", "Copy", "", "^c"));
  rows.push_back(DarkNormal("Paste", "Paste", "", "^v"));
  return rows;
}

const std::vector<Row>& Table() {
  static const std::vector<Row> table = BuildTable();
  return table;
}

}  // namespace

const KeyDefinition& KeyDefinitionFor(KeyId key) { return Table().at(static_cast<std::size_t>(key)).definition; }

std::string_view KeyName(KeyId key) { return Table().at(static_cast<std::size_t>(key)).name; }

std::optional<KeyId> KeyFromName(std::string_view name) {
  const auto& table = Table();
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (SameName(table[i].name, name)) return static_cast<KeyId>(i);
  }
  return std::nullopt;
}

std::optional<KeyId> KeyFromIndex(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= kKeyCount) return std::nullopt;
  return static_cast<KeyId>(index);
}

}  // namespace tw
