#include "common/keyboard/keyboard_layout_names.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(KeyboardLayoutNames, IdentifierToName) {
  struct Case {
    const char* identifier;
    std::uint32_t value;
    std::string_view name;
  };
  const Case cases[] = {
      {"00000809", 2057, "English"},
      {"0000040c", 1036, "French"},
      {"0000040C", 1036, "French"},
      {"00000414", 1044, kUnknownKeyboardLayout},
      {"00000814", 2068, "Norweigan"},
      {"00001809", 6153, "Irish"},
      {"409", 1033, "American"},
      {"0000o409", 0, kUnknownKeyboardLayout},
      {"00000409 ", 0, kUnknownKeyboardLayout},
      {"", 0, kUnknownKeyboardLayout},
      {"100000409", 0, kUnknownKeyboardLayout},  // too long: would wrap onto "American"
      {"FFFFFFFF", 0xFFFFFFFFu, kUnknownKeyboardLayout},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.identifier);
    EXPECT_EQ(KeyboardLayoutIdentifierValue(c.identifier), c.value);
    EXPECT_EQ(KeyboardLayoutName(c.value), c.name);
    EXPECT_EQ(IsKnownKeyboardLayout(c.value), c.name != kUnknownKeyboardLayout);
  }
}

TEST(KeyboardLayoutNames, XkbLayoutToName) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"gb", "English"},
      {"us", "American"},
      {"de(nodeadkeys)", "German"},
      {"ch(fr)", "Swiss [French]"},
      {"ch", "Swiss [German]"},
      {"us,de", "American"},
      {"ca(eng)", "Canadian [English]"},
      {"es(cat)", "Catalan"},
      {"es(nodeadkeys)", "Spanish"},
      {"ru", kUnknownKeyboardLayout},
      {"", kUnknownKeyboardLayout},
      {"(fr)", kUnknownKeyboardLayout},
  };
  for (const auto& [xkb, name] : cases) EXPECT_EQ(KeyboardLayoutNameOfXkb(xkb), name) << xkb;
}

TEST(KeyboardLayoutNames, CustomFileNames) {
  EXPECT_EQ(CustomLayoutFileName("French"), "Custom French.ini");
  EXPECT_EQ(CustomLayoutFileName("Custom French"), "Custom French.ini");
  EXPECT_EQ(CustomLayoutFileName(""), "Custom Keyboard.ini");
  EXPECT_EQ(CustomLayoutFileName("Customer"), "Custom Customer.ini");
  EXPECT_EQ(CustomLayoutFileName("custom French"), "Custom custom French.ini");
  EXPECT_EQ(CustomLayoutFileName("Swiss [German]"), "Custom Swiss [German].ini");
}

}  // namespace
}  // namespace tw
