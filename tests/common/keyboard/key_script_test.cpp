#include "common/keyboard/key_script.h"

#include <gtest/gtest.h>

#include <map>

#include "fakes/fake_keyboard_layout.h"

namespace tw {
namespace {

// Renders the steps compactly: "+a" key down, "-a" key up, "*" extended,
// "Shift"/"Ctrl"/"Alt"/"AltGr"/"Enter" or "vkN" for virtual keys, "[text]" messages.
std::string Render(const KeyScriptResult& result) {
  std::string out;
  for (const KeyScriptStep& step : result.steps) {
    if (!out.empty()) out += ' ';
    switch (step.kind) {
      case KeyScriptStep::Kind::kMessage: out += "[" + step.message + "]"; continue;
      case KeyScriptStep::Kind::kToggleNumLock: out += "NumLock"; continue;
      case KeyScriptStep::Kind::kKey: break;
    }
    const KeyEvent& e = step.event;
    out += e.down ? '+' : '-';
    if (e.key.layout) {
      out += static_cast<char>(e.key.code);
    } else {
      switch (e.key.code) {
        case vk::kShift: out += "Shift"; break;
        case vk::kControl: out += "Ctrl"; break;
        case vk::kMenu: out += "Alt"; break;
        case vk::kAltGr: out += "AltGr"; break;
        case vk::kReturn: out += "Enter"; break;
        default: out += "vk" + std::to_string(e.key.code);
      }
    }
    if (e.extended) out += '*';
  }
  return out;
}

std::string Typed(std::string_view script) {
  test::FakeKeyboardLayout layout;
  KeyScriptResult result = InterpretKeyScript(script, layout);
  EXPECT_FALSE(result.bad_count) << script;
  return Render(result);
}

TEST(KeyScript, TypesScriptsAsKeyEvents) {
  struct Case {
    const char* script;
    const char* events;
  };
  const Case cases[] = {
      {"", ""},
      {"ab", "+a -a +b -b"},
      {"A", "+Shift +a -a -Shift"},
      {"{LEFT 3}", "+vk37* -vk37* +vk37* -vk37* +vk37* -vk37*"},
      {"{left}", "+vk37* -vk37*"},
      {"{Bs}", "+vk8 -vk8"},
      {"{BKSP}", "+vk8 -vk8"},
      {"{BACKSPACE 2}", "+vk8 -vk8 +vk8 -vk8"},
      {"+(ab)c", "+Shift +a -a +b -b -Shift +c -c"},
      {"+ab", "+Shift +a -a -Shift +b -b"},
      {"^+a", "+Ctrl +Shift +a -a -Shift -Ctrl"},
      {"%^x", "+Alt +Ctrl +x -x -Ctrl -Alt"},
      // Shift already held: the capital letter does not press it again.
      {"+A", "+Shift +a -a -Shift"},
      {"++a", "+Shift +a -a -Shift"},
      {"~", "+Enter -Enter"},
      {"^~x", "+Ctrl +Enter -Enter -Ctrl +x -x"},
      {"{{}", "+Shift +[ -[ -Shift"},
      {"{}}", "+Shift +] -] -Shift"},
      {"{+}", "+Shift += -= -Shift"},
      {"{a 2}", "+a -a +a -a"},
      {"{ENTER}", "+Enter -Enter"},
      {"{F1}{f16}", "+vk112 -vk112 +vk127 -vk127"},
      {"{PGUP}{PGDN}{END}{HOME}{UP}{RIGHT}{DOWN}{INS}{DEL}",
       "+vk33* -vk33* +vk34* -vk34* +vk35* -vk35* +vk36* -vk36* +vk38* -vk38* +vk39* -vk39* "
       "+vk40* -vk40* +vk45* -vk45* +vk46* -vk46*"},
      {"{TAB}{ESC}{Escape}{Break}{CapsLock}{Clear}{Help}{PrtSc}{ScrollLock}",
       "+vk9 -vk9 +vk27 -vk27 +vk27 -vk27 +vk3 -vk3 +vk20 -vk20 +vk12 -vk12 +vk47 -vk47 "
       "+vk42 -vk42 +vk145 -vk145"},
      {"{NUMLOCK}a", "NumLock +a -a"},
      {"{LEFT 0}x", "+x -x"},
      {"{LEFT -2}x", "+x -x"},
      // Unknown names and untypable characters are reported and the rest is typed.
      {"+{NOSUCH}a", "+Shift [Invalid Key Name] -Shift +a -a"},
      {"{F17}{F0}{F01}", "[Invalid Key Name] [Invalid Key Name] [Invalid Key Name]"},
      {"x\xE2\x82\xAC"
       "y",
       "+x -x [Invalid KeyName] +y -y"},
      {"+\xff"
       "a",
       "+Shift [Invalid KeyName] -Shift +a -a"},
      {"\xF0\x9F\x98\x80"
       "a",
       "[Invalid KeyName] +a -a"},                                 // one four-byte character
      {"a\xE2\x82", "+a -a [Invalid KeyName] [Invalid KeyName]"},  // cut short
      // A missing "}" stops the script and lets go of every held modifier.
      {"a{LEFT", "+a -a [No Close]"},
      {"+^{LEFT 3", "+Shift +Ctrl [No Close] -Ctrl -Shift"},
      {"+(a{", "+Shift +a -a [No Close] -Shift"},
      {"{", "[No Close]"},
      // A group left open is closed at the end.
      {"%(ab", "+Alt +a -a +b -b -Alt"},
      {")a", "+a -a"},
      // The third-level shift is held for the next key only, or for a group.
      {"{ALTGR}ex", "+AltGr +e -e -AltGr +x -x"},
      {"{altgr 2}+(4)", "+AltGr +Shift +4 -4 -Shift -AltGr"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Typed(c.script), c.events) << "script: " << c.script;
  }
}

TEST(KeyScript, CharactersUseTheModifiersOfTheLayout) {
  test::FakeKeyboardLayout layout;
  layout.Add(U'\u00A3', {{0x33, true}, true, false, false, false});  // UK: Shift+3
  layout.Add(U'\u20AC', {{0x34, true}, false, false, false, true});  // AltGr+4
  layout.Add(U'\u00E9', {{0x65, true}, false, true, true, false});   // Ctrl+Alt+e
  EXPECT_EQ(Render(InterpretKeyScript("\xC2\xA3", layout)), "+Shift +3 -3 -Shift");
  EXPECT_EQ(Render(InterpretKeyScript("\xE2\x82\xAC", layout)), "+AltGr +4 -4 -AltGr");
  EXPECT_EQ(Render(InterpretKeyScript("^\xC3\xA9", layout)), "+Ctrl +Alt +e -e -Alt -Ctrl");
  EXPECT_EQ(Render(InterpretKeyScript("{\xC2\xA3 2}", layout)), "+Shift +3 -3 -Shift +Shift +3 -3 -Shift");
  // The Alt Gr latch on the key "4" gives the layout's third level of that key, and a
  // character that needs the third-level shift does not press it twice.
  KeyLatches latches{.alt_gr = true};
  EXPECT_EQ(Render(InterpretKeyScript(AddLatchPrefixes("4", latches), layout)), "+AltGr +4 -4 -AltGr");
  EXPECT_EQ(Render(InterpretKeyScript("{ALTGR}\xE2\x82\xAC", layout)), "+AltGr +4 -4 -AltGr");
}

TEST(KeyScript, BadRepeatCountStopsWithModifiersReleased) {
  test::FakeKeyboardLayout layout;
  struct Case {
    const char* script;
    const char* events;
    const char* count;
  };
  const Case cases[] = {
      {"a+{LEFT x}b", "+a -a +Shift -Shift", "x"},
      {"{LEFT }", "", ""},
      {"{LEFT 3 }", "", "3 "},
      {"{LEFT 1.5}", "", "1.5"},
      {"{LEFT 99999999999}", "", "99999999999"},
  };
  for (const Case& c : cases) {
    KeyScriptResult result = InterpretKeyScript(c.script, layout);
    EXPECT_EQ(Render(result), c.events) << c.script;
    ASSERT_TRUE(result.bad_count) << c.script;
    EXPECT_EQ(*result.bad_count, c.count);
  }
}

TEST(KeyScript, HugeRepeatCountIsCut) {
  test::FakeKeyboardLayout layout;
  KeyScriptResult result = InterpretKeyScript("{a 2000000000}", layout);
  EXPECT_EQ(result.steps.size(), 2u * kMaxKeyRepeat);
}

TEST(KeyScript, EveryPressIsMatchedByARelease) {
  // Whatever the text, no key is left down at the end.
  test::FakeKeyboardLayout layout;
  const char* scripts[] = {"+^%(abc", "+^%{", "+({NOPE}", "%^{a x}", "((+a)b)c", "+~{{}{}}{+ 3}", "{ALTGR}({ALTGR}{"};
  for (const char* script : scripts) {
    std::map<std::uint32_t, int> down;
    for (const KeyScriptStep& step : InterpretKeyScript(script, layout).steps) {
      if (step.kind != KeyScriptStep::Kind::kKey) continue;
      std::uint32_t id = step.event.key.code | (step.event.key.layout ? 0x80000000u : 0u);
      down[id] += step.event.down ? 1 : -1;
      EXPECT_GE(down[id], 0) << script;
      EXPECT_LE(down[id], 1) << script;
    }
    for (const auto& [id, count] : down) EXPECT_EQ(count, 0) << script << " key " << id;
  }
}

TEST(KeyLatchPrefixes, AddsPrefixesAndClearsUsedLatches) {
  struct Case {
    KeyLatches latches;
    const char* script;
    const char* typed;
  };
  const Case cases[] = {
      {{}, "a", "a"},
      {{.shift = true}, "a", "+a"},
      {{.shift = true, .ctrl = true}, "a", "^+a"},
      {{.shift = true, .alt = true, .ctrl = true, .alt_gr = true}, "a", "{ALTGR}^%+a"},
      {{.alt_gr = true}, "{LEFT}", "{ALTGR}{LEFT}"},
  };
  for (const Case& c : cases) {
    KeyLatches latches = c.latches;
    EXPECT_EQ(AddLatchPrefixes(c.script, latches), c.typed);
    EXPECT_EQ(latches, KeyLatches{});
  }
  KeyLatches held{.shift = true, .alt = true};
  EXPECT_EQ(AddLatchPrefixes("", held), "");
  EXPECT_EQ(held, (KeyLatches{.shift = true, .alt = true}));
}

}  // namespace
}  // namespace tw
