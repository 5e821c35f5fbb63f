#include "common/texts/rtf_reader.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(RtfReader, TextAndHtml) {
  struct Case {
    const char* rtf;
    const char* text;
    const char* html;
  };
  const Case cases[] = {
      {R"({\rtf1\ansi{\fonttbl{\f0\fswiss Arial;}}{\colortbl;\red0\green0\blue0;}\f0 Hello\par World})", "Hello\nWorld",
       "Hello<br>\nWorld"},
      {R"({\rtf1 {\b Bold} and {\i it\i0 al} \b on\b0  off})", "Bold and ital on off",
       "<b>Bold</b> and <i>it</i>al <b>on</b> off"},
      {R"({\rtf1 caf\'e9 \'80 a\tab b\line c})", "caf\xc3\xa9 \xe2\x82\xac a\tb\nc",
       "caf\xc3\xa9 \xe2\x82\xac a\tb<br>\nc"},
      // "\u" with its one-character fallback, and "\uc2" with a two-character one.
      {R"({\rtf1 \u8364?x {\uc2\u-3913 ??}y})", "\xe2\x82\xacx \xef\x82\xb7y", "\xe2\x82\xacx \xef\x82\xb7y"},
      {R"({\rtf1 {\*\generator Writer;}{\*\unknown skipped}{\pict 0102}a\{b\}c\\ <x>&})", "a{b}c\\ <x>&",
       "a{b}c\\ &lt;x&gt;&amp;"},
      // Unbalanced and cut-off input still gives what it can.
      {R"({\rtf1 open {\b never closed)", "open never closed", "open <b>never closed</b>"},
      {"}}}{\\rtf1 a\\", "a", "a"},
      {"plain text, no rtf", "plain text, no rtf", "plain text, no rtf"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RtfToText(c.rtf), c.text) << c.rtf;
    EXPECT_EQ(RtfToHtml(c.rtf), c.html) << c.rtf;
  }
  EXPECT_TRUE(LooksLikeRtf("{\\rtf1 x}"));
  EXPECT_FALSE(LooksLikeRtf("<html>"));
}

TEST(RtfReader, DeepNestingNeitherCrashesNorLosesTheText) {
  const std::string rtf = std::string(100000, '{') + "deep" + std::string(100000, '}') + "after";
  EXPECT_EQ(RtfToText(rtf), "deepafter");
}

}  // namespace
}  // namespace tw
