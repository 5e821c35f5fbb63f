#include "common/config/password_sequence.h"

#include <gtest/gtest.h>

#include <string>

namespace tw {
namespace {

TEST(PasswordSequence, LettersNameTheirObjects) {
  struct Case {
    char letter;
    PasswordObject object;
    const char* description;
  };
  const Case cases[] = {
      {'A', PasswordObject::kClock, "clock"},
      {'C', PasswordObject::kLogo, "logo"},
      {'D', PasswordObject::kCustom1, "custom button 1"},
      {'M', PasswordObject::kCustom10, "custom button 10"},
      {'N', PasswordObject::kUp, "up button"},
      {'Q', PasswordObject::kRight, "right button"},
      {'R', PasswordObject::kStart, "Start button"},
      {'Y', PasswordObject::kEmail, "Email button"},
      {'Z', PasswordObject::kKeyboard, "Keyboard button"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(1, c.letter));
    EXPECT_EQ(PasswordObjectOf(c.letter), c.object);
    EXPECT_EQ(PasswordLetterOf(c.object), c.letter);
    EXPECT_EQ(PasswordLetters()[static_cast<std::size_t>(c.letter - 'A')].description, c.description);
  }
  // A to Z in order, each object once.
  ASSERT_EQ(PasswordLetters().size(), 26u);
  for (std::size_t i = 0; i < 26; ++i) {
    EXPECT_EQ(PasswordLetters()[i].letter, static_cast<char>('A' + i));
    EXPECT_EQ(static_cast<std::size_t>(PasswordLetters()[i].object), i);
  }
  for (char c : std::string("az@[ 1")) EXPECT_FALSE(PasswordObjectOf(c).has_value()) << c;
}

TEST(PasswordSequence, Validity) {
  EXPECT_TRUE(IsValidPasswordSequence("A"));
  EXPECT_TRUE(IsValidPasswordSequence("ABZZM"));
  EXPECT_TRUE(IsValidPasswordSequence(std::string(kMaxPasswordSteps, 'Q')));
  EXPECT_FALSE(IsValidPasswordSequence(std::string(kMaxPasswordSteps + 1, 'Q')));
  EXPECT_FALSE(IsValidPasswordSequence(""));
  EXPECT_FALSE(IsValidPasswordSequence("ABc"));
  EXPECT_FALSE(IsValidPasswordSequence("AB C"));
}

}  // namespace
}  // namespace tw
