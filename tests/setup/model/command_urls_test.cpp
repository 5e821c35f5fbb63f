#include "setup/model/command_urls.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(CommandUrls, EachCommandsAddress) {
  struct Row {
    int number;
    std::string password;
    int chosen;
    std::string url;
  };
  const Row rows[] = {
      {0, "pw", 0, ""},
      {12, "pw", 0, "tw-command:print?pw"},
      {1, "", 0, "tw-command:back?"},
      {4, "", 4, "tw-command:custom4?"},
      {6, "pw", 3, "tw-command:execute?3"},
      {15, "pw", 0, "mailto:"},
      {16, "pw", 0, ""},
  };
  for (const Row& row : rows) EXPECT_EQ(CommandUrl(row.number, row.password, row.chosen), row.url) << row.number;
}

TEST(CommandUrls, APasswordChangeRewritesTheAddressesThatCarryIt) {
  SetupConfig config(
      "[PREFERENCES]\nCommandPassword=new\n"
      "[BUTTONS]\nTWCommand1=12\nCustom1URL=tw-command:print?old\n"
      "TWCommand2=6\nCustom2URL=tw-command:execute?3\n"
      "TWCommand3=15\nCustom3URL=mailto:\n"
      "TWCommand4=4\nCustom4URL=tw-command:custom4?old?x\n"
      "BCustom2TW=14\n[URLS]\nBCustom2=tw-command:start?\n",
      "");
  EXPECT_EQ(ApplyCommandPassword(config), 3);
  EXPECT_EQ(config.Value("BUTTONS", "Custom1URL"), "tw-command:print?new");
  EXPECT_EQ(config.Value("BUTTONS", "Custom2URL"), "tw-command:execute?3");
  EXPECT_EQ(config.Value("BUTTONS", "Custom3URL"), "mailto:");
  EXPECT_EQ(config.Value("BUTTONS", "Custom4URL"), "tw-command:custom4?new");
  EXPECT_EQ(config.Value("URLS", "BCustom2"), "tw-command:start?new");
  EXPECT_EQ(CommandUrlKey("TWCommand10"), (std::pair<std::string, std::string>{"BUTTONS", "Custom10URL"}));
  EXPECT_EQ(CommandUrlKey("BCustom5TW"), (std::pair<std::string, std::string>{"URLS", "BCustom5"}));
  EXPECT_FALSE(CommandUrlKey("Custom1URL"));
}

}  // namespace
}  // namespace tw
