#include "common/keyboard/keyboard_entry.h"

#include <gtest/gtest.h>

#include <optional>

#include "common/config/profile_file.h"

namespace tw {
namespace {

// A key as it might be built in before the language file changes it.
KeyboardEntry Original() {
  KeyboardEntry entry;
  entry.caption = "old";
  entry.caption2 = "old2";
  entry.send_string = "o";
  entry.key_layout = KeyLayout::kQuad;
  entry.font_name = "Old Font";
  entry.font_size = 9;
  entry.visible = false;
  return entry;
}

KeyboardEntry Entry(std::string caption, std::string caption2, std::string caption3, std::string caption4,
                    std::string send, KeyLayout layout, std::string font, int size, bool visible) {
  return {std::move(caption),
          std::move(caption2),
          std::move(caption3),
          std::move(caption4),
          std::move(send),
          layout,
          std::move(font),
          size,
          visible};
}

TEST(KeyboardValue, ParsesFromTheKeysOwnDescription) {
  struct Case {
    const char* name;
    const char* value;
    VisibleField rule;
    KeyboardEntry expected;
  };
  const KeyboardEntry old = Original();
  const Case cases[] = {
      {"example", R"("Q","","","","q",0,MS Sans Serif,10,1)", VisibleField::kExactlyOne,
       Entry("Q", "", "", "", "q", KeyLayout::kNormal, "MS Sans Serif", 10, true)},
      {"hidden with 0", R"("Q","","","","q",0,MS Sans Serif,10,0)", VisibleField::kExactlyOne,
       Entry("Q", "", "", "", "q", KeyLayout::kNormal, "MS Sans Serif", 10, false)},
      {"hidden with 2", R"("Q","","","","q",0,MS Sans Serif,10,2)", VisibleField::kExactlyOne,
       Entry("Q", "", "", "", "q", KeyLayout::kNormal, "MS Sans Serif", 10, false)},
      {"strict 2 hides", R"("Q","","","","q",0,MS Sans Serif,10,2)", VisibleField::kStrictInteger,
       Entry("Q", "", "", "", "q", KeyLayout::kNormal, "MS Sans Serif", 10, false)},
      {"kiosk wants exactly 1", R"("Q","","","","q",0,F,10,01)", VisibleField::kExactlyOne,
       Entry("Q", "", "", "", "q", KeyLayout::kNormal, "F", 10, false)},
      {"strict reads 01 as 1", R"("Q","","","","q",0,F,10,01)", VisibleField::kStrictInteger,
       Entry("Q", "", "", "", "q", KeyLayout::kNormal, "F", 10, true)},
      {"empty value keeps the key", "", VisibleField::kStrictInteger, old},
      {"all four legends", R"("!","1","\u","#","1",3,DejaVu Sans,12,1)", VisibleField::kExactlyOne,
       Entry("!", "1", "\\u", "#", "1", KeyLayout::kQuad, "DejaVu Sans", 12, true)},
      {"layout 7 keeps the layout", R"("A","","","","a",7,F,16,1)", VisibleField::kExactlyOne,
       Entry("A", "", "", "", "a", KeyLayout::kQuad, "F", 16, true)},
      {"layout -1 keeps the layout", R"("A","","","","a",-1,F,16,1)", VisibleField::kExactlyOne,
       Entry("A", "", "", "", "a", KeyLayout::kQuad, "F", 16, true)},
      {"layout 4", R"("A","","","","a",4,F,16,1)", VisibleField::kExactlyOne,
       Entry("A", "", "", "", "a", KeyLayout::kLetterPlus, "F", 16, true)},
      {"size 0 keeps the size", R"("A","","","","a",1,F,0,1)", VisibleField::kExactlyOne,
       Entry("A", "", "", "", "a", KeyLayout::kLetter, "F", 9, true)},
      {"blanks around numbers", R"("A","","","","a", 1 ,F, 12 ,1)", VisibleField::kExactlyOne,
       Entry("A", "", "", "", "a", KeyLayout::kLetter, "F", 12, true)},
      {"double quote legend and script", R"(""","","","",""",1,F,16,1)", VisibleField::kExactlyOne,
       Entry("\"", "", "", "", "\"", KeyLayout::kLetter, "F", 16, true)},
      // Only three legend separators: the fourth legend is taken as missing, three
      // characters go with it, and the key script is lost too.
      {"missing legend separator", R"("Q","","","XYZ",0,F,10,1)", VisibleField::kExactlyOne,
       Entry("Q", "", "", "", "", KeyLayout::kNormal, "F", 10, true)},
      // No opening quote: the first character of the legend is dropped instead.
      {"missing opening quote", R"(Qx","","","","q",0,F,10,1)", VisibleField::kExactlyOne,
       Entry("x", "", "", "", "q", KeyLayout::kNormal, "F", 10, true)},
      {"visibility is the whole rest", R"("Q","","","","q",0,F,10,1,1)", VisibleField::kExactlyOne,
       Entry("Q", "", "", "", "q", KeyLayout::kNormal, "F", 10, false)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ParseKeyboardValue(c.value, old, c.rule), c.expected);
  }
}

TEST(KeyboardValue, ConversionErrorsLeaveTheKeyUntouched) {
  struct Case {
    const char* value;
    VisibleField rule;
    const char* bad_text;
  };
  const Case cases[] = {
      {R"("Q","","","","q",x,F,10,1)", VisibleField::kExactlyOne, "x"},
      {R"("Q","","","","q",0,F,ten,1)", VisibleField::kExactlyOne, "ten"},
      {R"("Q","","","","q",$1,F,10,1)", VisibleField::kExactlyOne, "$1"},
      {R"("Q","","","","q",0,F,0x10,1)", VisibleField::kExactlyOne, "0x10"},
      {R"("Q","","","","q",0,F,99999999999,1)", VisibleField::kExactlyOne, "99999999999"},
      {R"("Q","","","","q",,F,10,1)", VisibleField::kExactlyOne, ""},
      {R"("Q","","","","q",0,F,10,yes)", VisibleField::kStrictInteger, "yes"},
      {R"("Q","","","","q",0,F,10,)", VisibleField::kStrictInteger, ""},
      // Cut short: the size is missing.
      {R"("Q","","","","q",0,F)", VisibleField::kExactlyOne, ""},
      // A legend holding the separator pushes the key script into the layout field.
      {R"("a","b","","","","x",1,F,12,1)", VisibleField::kExactlyOne, "\"x\""},
      // A font name with a comma pushes its tail into the size field.
      {R"("Q","","","","q",0,Sans, Bold,10,1)", VisibleField::kExactlyOne, " Bold"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    const KeyboardEntry old = Original();
    try {
      ParseKeyboardValue(c.value, old, c.rule);
      ADD_FAILURE() << "no conversion error";
    } catch (const ConversionError& e) {
      EXPECT_EQ(std::string(e.what()), "'" + std::string(c.bad_text) + "' is not a valid integer value");
    }
    EXPECT_EQ(old, Original());
  }
  // The kiosk does not convert the visibility, so the same text merely hides the key.
  EXPECT_FALSE(ParseKeyboardValue(R"("Q","","","","q",0,F,10,yes)", Original(), VisibleField::kExactlyOne).visible);
}

TEST(KeyboardValue, ComposeThenParseGivesTheSameEntry) {
  const KeyboardEntry entries[] = {
      Entry("Q", "", "", "", "q", KeyLayout::kNormal, "MS Sans Serif", 10, true),
      Entry("\xC2\xA3", "3", "", "\xE2\x82\xAC", "3", KeyLayout::kQuad, "DejaVu Sans", 10, false),
      Entry("", "", "", "", " ", KeyLayout::kLetter, "", 1, true),
      Entry("\"", "'", "{", "}", "{+}", KeyLayout::kLetterPlus, "Symbol", 72, true),
      Entry("Return", "", "", "", "~", KeyLayout::kDouble, "F", 2147483647, false),
  };
  for (const KeyboardEntry& entry : entries) {
    const std::string value = ComposeKeyboardValue(entry);
    SCOPED_TRACE(value);
    EXPECT_EQ(ParseKeyboardValue(value, Original(), VisibleField::kExactlyOne), entry);
    EXPECT_EQ(ParseKeyboardValue(value, Original(), VisibleField::kStrictInteger), entry);
  }
  EXPECT_EQ(ComposeKeyboardValue(entries[0]), R"("Q","","","","q",0,MS Sans Serif,10,1)");
}

TEST(KeyboardValue, SplitNeverFailsOnShortValues) {
  const KeyboardValueFields empty{};
  EXPECT_EQ(SplitKeyboardValue(""), empty);
  EXPECT_EQ(SplitKeyboardValue("\""), empty);
  KeyboardValueFields tail;
  tail.visible = "9";
  // Five missing legend/script separators eat 3+3+3+3+2 characters, the three
  // missing commas one each; what remains is the visibility.
  EXPECT_EQ(SplitKeyboardValue("\"abcdefghijklmnopq9"), tail);
}

TEST(StrictDecimal, AcceptsOnlyDecimalNumbersIn32Bits) {
  struct Case {
    const char* text;
    std::optional<std::int32_t> value;
  };
  const Case cases[] = {
      {"0", 0},
      {"12", 12},
      {"+7", 7},
      {"-3", -3},
      {" 5\t", 5},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"2147483648", std::nullopt},
      {"", std::nullopt},
      {"-", std::nullopt},
      {"1 2", std::nullopt},
      {"$A", std::nullopt},
      {"1.0", std::nullopt},
      {"--1", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    if (c.value) {
      EXPECT_EQ(StrictDecimalInteger(c.text), *c.value);
    } else {
      EXPECT_THROW(StrictDecimalInteger(c.text), ConversionError);
    }
  }
}

}  // namespace
}  // namespace tw
