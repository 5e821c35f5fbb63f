#include "common/key_table.h"

#include <gtest/gtest.h>

#include <set>

#include "common/key_script.h"
#include "fakes/fake_keyboard_layout.h"

namespace tw {
namespace {

TEST(KeyTable, OrderAndNames) {
  struct Case {
    int index;
    const char* name;
  };
  const Case cases[] = {{0, "Custom"},   {1, "A"},        {26, "Z"},        {27, "One"},
                        {36, "Zero"},    {37, "Quote"},   {48, "Slash"},    {49, "SpaceBar"},
                        {50, "Shift"},   {64, "EndKey"},  {71, "NumLock"},  {77, "NumPoint"},
                        {78, "NumOne"},  {87, "NumZero"}, {88, "F1"},       {99, "F12"},
                        {100, "Cut"},    {102, "Paste"}};
  for (const Case& c : cases) {
    std::optional<KeyId> key = KeyFromIndex(c.index);
    ASSERT_TRUE(key) << c.index;
    EXPECT_EQ(KeyName(*key), c.name);
    EXPECT_EQ(KeyFromName(c.name), key);
  }
  EXPECT_EQ(KeyFromIndex(static_cast<int>(kKeyCount)), std::nullopt);
  EXPECT_EQ(KeyFromIndex(-1), std::nullopt);
  EXPECT_EQ(KeyFromName("endkey"), KeyId::EndKey);
  EXPECT_EQ(KeyFromName("Enter "), std::nullopt);
  std::set<std::string_view> names;
  for (std::size_t i = 0; i < kKeyCount; ++i) names.insert(KeyName(static_cast<KeyId>(i)));
  EXPECT_EQ(names.size(), kKeyCount);
}

TEST(KeyTable, Rows) {
  using enum KeyType;
  using enum KeyColour;
  using enum KeyLayout;
  struct Case {
    KeyId key;
    KeyDefinition row;
  };
  const Case cases[] = {
      {KeyId::Custom, {"", "", "", ktNormal, kcLight, klNormal}},
      {KeyId::Q, {"Q", "", "q", ktNormal, kcLight, klLetter}},
      {KeyId::Two, {"\"", "2", "2", ktNormal, kcLight, klDouble}},
      {KeyId::Three, {"\xC2\xA3", "3", "3", ktNormal, kcLight, klDouble}},
      {KeyId::Quote, {"\xC2\xAC", "`", "`", ktNormal, kcLight, klDouble}},
      {KeyId::BackSlash, {"|", "\\", "\\", ktNormal, kcLight, klDouble}},
      {KeyId::SpaceBar, {"", "", " ", ktNormal, kcLight, klLetter}},
      {KeyId::Shift, {"Shift", "", "", ktShift, kcDark, klNormal}},
      {KeyId::Ctrl, {"Ctrl", "", "", ktCtrl, kcDark, klNormal}},
      {KeyId::CapsLock, {"Caps", "Lock", "{CapsLock}", ktNormal, kcDark, klNormal}},
      {KeyId::Return, {"Return", "", "~", ktNormal, kcDark, klNormal}},
      {KeyId::PageDown, {"Page", "Down", "{PgDn}", ktNormal, kcDark, klNormal}},
      {KeyId::Left, {"\xE2\x86\x90", "", "{Left}", ktNormal, kcDark, klNormal}},
      {KeyId::NumPlus, {"+", "", "{+}", ktNormal, kcDark, klNormal}},
      {KeyId::NumZero, {"0", "", "0", ktNormal, kcLight, klNormal}},
      {KeyId::NumOne, {"1", "", "1", ktNormal, kcLight, klNormal}},
      {KeyId::F4, {"F4", "", "{F4}", ktNormal, kcLight, klNormal}},
      {KeyId::F5, {"F5", "", "{F5}", ktNormal, kcDark, klNormal}},
      {KeyId::F8, {"F8", "", "{F8}", ktNormal, kcDark, klNormal}},
      {KeyId::F9, {"F9", "", "{F9}", ktNormal, kcLight, klNormal}},
      {KeyId::Paste, {"Paste", "", "^v", ktNormal, kcDark, klNormal}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(KeyName(c.key));
    const KeyDefinition& row = KeyDefinitionFor(c.key);
    EXPECT_EQ(row.caption, c.row.caption);
    EXPECT_EQ(row.caption2, c.row.caption2);
    EXPECT_EQ(row.send_string, c.row.send_string);
    EXPECT_EQ(row.type, c.row.type);
    EXPECT_EQ(row.colour, c.row.colour);
    EXPECT_EQ(row.layout, c.row.layout);
  }
}

TEST(KeyTable, EverySendStringIsAValidKeyScript) {
  // On a UK-like layout every key of the table types without a message.
  test::FakeKeyboardLayout layout;
  layout.Add(U'\u00A3', {{'3', true}, true});
  for (std::size_t i = 0; i < kKeyCount; ++i) {
    KeyId key = static_cast<KeyId>(i);
    KeyScriptResult result = InterpretKeyScript(KeyDefinitionFor(key).send_string, layout);
    EXPECT_FALSE(result.bad_count) << KeyName(key);
    for (const KeyScriptStep& step : result.steps) {
      EXPECT_NE(step.kind, KeyScriptStep::Kind::kMessage) << KeyName(key) << ": " << step.message;
    }
  }
}

}  // namespace
}  // namespace tw
