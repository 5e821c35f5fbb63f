#include "common/keyboard/key_table.h"

#include <gtest/gtest.h>

#include <set>

#include "common/keyboard/key_script.h"
#include "fakes/fake_keyboard_layout.h"

namespace tw {
namespace {

TEST(KeyTable, OrderAndNames) {
  struct Case {
    int index;
    const char* name;
  };
  const Case cases[] = {{0, "Custom"},   {1, "A"},         {26, "Z"},        {27, "One"},     {36, "Zero"},
                        {37, "Quote"},   {48, "Slash"},    {49, "SpaceBar"}, {50, "Shift"},   {64, "EndKey"},
                        {71, "NumLock"}, {77, "NumPoint"}, {78, "NumOne"},   {87, "NumZero"}, {88, "F1"},
                        {99, "F12"},     {100, "Cut"},     {102, "Paste"}};
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
  using T = KeyType;
  using C = KeyColour;
  using L = KeyLayout;
  struct Case {
    KeyId key;
    KeyDefinition row;
  };
  const Case cases[] = {
      {KeyId::Custom, {"", "", "", T::kNormal, C::kLight, L::kNormal}},
      {KeyId::Q, {"Q", "", "q", T::kNormal, C::kLight, L::kLetter}},
      {KeyId::Two, {"\"", "2", "2", T::kNormal, C::kLight, L::kDouble}},
      {KeyId::Three, {"\xC2\xA3", "3", "3", T::kNormal, C::kLight, L::kDouble}},
      {KeyId::Quote, {"\xC2\xAC", "`", "`", T::kNormal, C::kLight, L::kDouble}},
      {KeyId::BackSlash, {"|", "\\", "\\", T::kNormal, C::kLight, L::kDouble}},
      {KeyId::SpaceBar, {"", "", " ", T::kNormal, C::kLight, L::kLetter}},
      {KeyId::Shift, {"Shift", "", "", T::kShift, C::kDark, L::kNormal}},
      {KeyId::Ctrl, {"Ctrl", "", "", T::kCtrl, C::kDark, L::kNormal}},
      {KeyId::CapsLock, {"Caps", "Lock", "{CapsLock}", T::kNormal, C::kDark, L::kNormal}},
      {KeyId::Return, {"Return", "", "~", T::kNormal, C::kDark, L::kNormal}},
      {KeyId::PageDown, {"Page", "Down", "{PgDn}", T::kNormal, C::kDark, L::kNormal}},
      {KeyId::Left, {"\xE2\x86\x90", "", "{Left}", T::kNormal, C::kDark, L::kNormal}},
      {KeyId::NumPlus, {"+", "", "{+}", T::kNormal, C::kDark, L::kNormal}},
      {KeyId::NumZero, {"0", "", "0", T::kNormal, C::kLight, L::kNormal}},
      {KeyId::NumOne, {"1", "", "1", T::kNormal, C::kLight, L::kNormal}},
      {KeyId::F4, {"F4", "", "{F4}", T::kNormal, C::kLight, L::kNormal}},
      {KeyId::F5, {"F5", "", "{F5}", T::kNormal, C::kDark, L::kNormal}},
      {KeyId::F8, {"F8", "", "{F8}", T::kNormal, C::kDark, L::kNormal}},
      {KeyId::F9, {"F9", "", "{F9}", T::kNormal, C::kLight, L::kNormal}},
      {KeyId::Paste, {"Paste", "", "^v", T::kNormal, C::kDark, L::kNormal}},
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
