#include "common/keyboard/key_spoken_name.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(SpokenKeyName, SaysWhatTheKeyTypesOrWhichKeyItIs) {
  struct Case {
    KeyType type;
    const char* script;
    const char* captions;
    const char* spoken;
  };
  const Case cases[] = {
      {KeyType::kNormal, "a", "A", "a"},
      {KeyType::kNormal, "1", "! 1", "1"},
      {KeyType::kNormal, " ", "", "Space"},
      {KeyType::kNormal, "{Backspace}", "Backspace", "Backspace"},
      {KeyType::kNormal, "{BKSP}", "<-", "Backspace"},
      {KeyType::kNormal, "{pgdn}", "Page Down", "Page Down"},
      {KeyType::kNormal, "{Up}", "\xE2\x86\x91", "Up arrow"},
      {KeyType::kNormal, "{F11}", "F11", "F11"},
      {KeyType::kNormal, "{+}", "+", "+"},
      {KeyType::kNormal, "{}}", "}", "}"},
      {KeyType::kNormal, "~", "", "Enter"},
      {KeyType::kNormal, "^c", "Copy", "Copy"},
      {KeyType::kNormal, "Hello{Enter}", "Hi", "Hi"},
      {KeyType::kNormal, "{F99 3}", "", "Key"},
      {KeyType::kShift, "", "Shift", "Shift"},
      {KeyType::kAltGr, "", "AltGr", "Alt Gr"},
      {KeyType::kCtrl, "", "Ctrl", "Control"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SpokenKeyName(c.type, c.script, c.captions), c.spoken) << c.script;
  }
}

// Every key of the built-in keyboard has a name a listener can use: never empty, never
// the key script's own notation.
TEST(SpokenKeyName, EveryBuiltInKeyIsNamed) {
  for (std::size_t i = 0; i < kKeyCount; ++i) {
    const KeyDefinition& key = KeyDefinitionFor(static_cast<KeyId>(i));
    const std::string spoken = SpokenKeyName(key.type, key.send_string, key.caption + " " + key.caption2);
    if (key.send_string.empty() && key.type == KeyType::kNormal) continue;  // the custom key
    EXPECT_FALSE(spoken.empty()) << key.caption;
    EXPECT_EQ(spoken.find('{'), std::string::npos) << key.send_string;
    EXPECT_NE(spoken, "Key") << key.send_string;
  }
}

}  // namespace
}  // namespace tw
