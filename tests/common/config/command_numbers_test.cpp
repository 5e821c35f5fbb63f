#include "common/config/command_numbers.h"

#include <gtest/gtest.h>

#include <string>

namespace tw {
namespace {

TEST(ButtonCommands, NumbersAndNames) {
  const char* const names[] = {"NONE",    "back", "banner", "close", "custom", "email", "execute", "feedback",
                               "forward", "help", "hide",   "logo",  "print",  "show",  "start",   "Send Mail"};
  ASSERT_EQ(ButtonCommands().size(), std::size(names));
  for (int number = 0; number < static_cast<int>(std::size(names)); ++number) {
    SCOPED_TRACE(number);
    const ButtonCommandEntry& entry = ButtonCommands()[static_cast<std::size_t>(number)];
    EXPECT_EQ(entry.number, number);
    EXPECT_EQ(static_cast<int>(entry.command), number);
    EXPECT_EQ(entry.name, names[number]);
    EXPECT_EQ(FindButtonCommand(number), &entry);
    EXPECT_EQ(FindButtonCommand(std::string_view(names[number])), &entry);
  }
  EXPECT_EQ(FindButtonCommand(-1), nullptr);
  EXPECT_EQ(FindButtonCommand(16), nullptr);
  EXPECT_EQ(FindButtonCommand(std::string_view("Back")), nullptr);
  EXPECT_EQ(FindButtonCommand(std::string_view("send mail")), nullptr);
}

}  // namespace
}  // namespace tw
