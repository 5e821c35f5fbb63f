#include "setup/model/command_urls.h"

#include <gtest/gtest.h>

#include <functional>

#include "setup/model/list_edit.h"
#include "setup/model/setup_fields.h"
#include "setup/model/setup_problems.h"

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

// A new password goes only into addresses that still have the form the command list
// built for the button's command; tool-bar custom buttons are rewritten too.
TEST(CommandUrls, APasswordChangeRewritesOnlyTheBuiltAddresses) {
  struct Row {
    std::string command_key;  // BUTTONS/TWCommandN or BCustomNTW
    std::string number;
    std::string url;
    std::string rewritten;
  };
  const Row rows[] = {
      {"TWCommand1", "12", "tw-command:print?old", "tw-command:print?new"},
      {"TWCommand2", "12", "tw-command:print?old?more", "tw-command:print?new"},
      {"TWCommand3", "4", "tw-command:custom10?old", "tw-command:custom10?new"},
      {"TWCommand4", "12", "http://intranet/print?job=1", "http://intranet/print?job=1"},  // the operator's own
      {"TWCommand5", "12", "tw-command:start?old", "tw-command:start?old"},                // not what "print" builds
      {"TWCommand6", "12", "tw-command:print", "tw-command:print"},                        // no "?"
      {"TWCommand7", "4", "tw-command:custom11?old", "tw-command:custom11?old"},
      {"TWCommand8", "6", "tw-command:execute?3", "tw-command:execute?3"},  // no password
      {"TWCommand9", "15", "mailto:", "mailto:"},
      {"TWCommand10", "0", "tw-command:print?old", "tw-command:print?old"},
      {"BCustom2TW", "14", "tw-command:start?", "tw-command:start?new"},
      {"BCustom3TW", "14", "file:///srv/start.html?x", "file:///srv/start.html?x"},
  };
  SetupConfig config;
  config.SetValue("PREFERENCES", "CommandPassword", "new");
  for (const Row& row : rows) {
    config.SetValue("BUTTONS", row.command_key, row.number);
    const auto url_key = CommandUrlKey(row.command_key);
    ASSERT_TRUE(url_key) << row.command_key;
    config.SetValue(url_key->first, url_key->second, row.url);
  }
  EXPECT_EQ(ApplyCommandPassword(config), 4);
  for (const Row& row : rows) {
    const auto url_key = CommandUrlKey(row.command_key);
    EXPECT_EQ(config.Value(url_key->first, url_key->second), row.rewritten) << row.command_key;
  }
  EXPECT_EQ(CommandUrlKey("TWCommand10"), (std::pair<std::string, std::string>{"BUTTONS", "Custom10URL"}));
  EXPECT_EQ(CommandUrlKey("BCustom5TW"), (std::pair<std::string, std::string>{"URLS", "BCustom5"}));
  EXPECT_FALSE(CommandUrlKey("Custom1URL"));
}

// Buttons that run a program by its position keep running it when the program list is
// reordered or changed; one whose program is deleted runs nothing and is reported.
TEST(CommandUrls, ProgramAddressesFollowTheProgramList) {
  SetupConfig config;
  config.SetList(ConfigListId::kPrograms, {{"/bin/a"}, {"/bin/b"}, {"/bin/c"}});
  const std::pair<std::string, std::string> keys[] = {
      {"BUTTONS", "Custom1URL"}, {"BUTTONS", "Custom2URL"}, {"BUTTONS", "Custom3URL"},
      {"URLS", "BCustom1"},      {"BUTTONS", "Custom4URL"}, {"BUTTONS", "Custom5URL"},
  };
  const std::vector<std::string> start = {"tw-command:execute?1", "tw-command:execute?2#x y", "tw-command:execute?3",
                                          "tw-command:execute?2", "http://host/execute?1",    "tw-command:execute?"};
  for (std::size_t i = 0; i < start.size(); ++i) config.SetValue(keys[i].first, keys[i].second, start[i]);
  ListEdit programs(config.List(ConfigListId::kPrograms));

  struct Row {
    std::string what;
    std::function<void()> edit;
    std::vector<std::string> urls;  // the first four keys; the last two never change
  };
  const Row rows[] = {
      {"c moved up",
       [&] {
         programs.Select(2);
         programs.MoveUp();
       },
       {"tw-command:execute?1", "tw-command:execute?3#x y", "tw-command:execute?2", "tw-command:execute?3"}},
      {"a moved down",
       [&] {
         programs.Select(0);
         programs.MoveDown();
       },
       {"tw-command:execute?2", "tw-command:execute?3#x y", "tw-command:execute?1", "tw-command:execute?3"}},
      {"d inserted before c",
       [&] {
         programs.Select(0);
         programs.Insert({"/bin/d"});
       },
       {"tw-command:execute?3", "tw-command:execute?4#x y", "tw-command:execute?2", "tw-command:execute?4"}},
      {"e added, a field edited",
       [&] {
         programs.Add({"/bin/e"});
         programs.SetField(0, "/bin/e2");
       },
       {"tw-command:execute?3", "tw-command:execute?4#x y", "tw-command:execute?2", "tw-command:execute?4"}},
      {"b deleted",
       [&] {
         programs.Select(3);
         programs.Delete();
       },
       {"tw-command:execute?3", "tw-command:execute?0#x y", "tw-command:execute?2", "tw-command:execute?0"}},
  };
  for (const Row& row : rows) {
    row.edit();
    config.SetList(ConfigListId::kPrograms, programs.rows());
    RenumberProgramAddresses(config, programs.moves());
    for (std::size_t i = 0; i < row.urls.size(); ++i) {
      EXPECT_EQ(config.Value(keys[i].first, keys[i].second), row.urls[i]) << row.what << ", " << keys[i].second;
    }
    for (std::size_t i = row.urls.size(); i < start.size(); ++i) {
      EXPECT_EQ(config.Value(keys[i].first, keys[i].second), start[i]) << row.what;
    }
  }
  EXPECT_EQ(programs.rows(), (ConfigRows{{"/bin/d"}, {"/bin/c"}, {"/bin/a"}, {"/bin/e2"}}));

  // The deleted program's buttons are reported with their page and field; so is a number
  // beyond the list.
  config.SetValue("BUTTONS", "Custom6URL", "tw-command:execute?5");
  std::vector<std::string> reported;
  for (const SetupProblem& p : ValidateSetup(config)) {
    if (p.text.find("Program Files") == std::string::npos) continue;
    EXPECT_EQ(p.page, kButtonsPage);
    reported.push_back(p.field + ": " + p.text);
  }
  const std::string deleted =
      ": URL: The program this button ran was deleted from the Program Files list (Command page): the button runs "
      "nothing. Choose its command or program again.";
  EXPECT_EQ(reported, (std::vector<std::string>{
                          "Custom Buttons, Button 2" + deleted,
                          "Custom Buttons, Button 6: URL: The button runs program 5, but the Program Files list "
                          "(Command page) holds 4: the button runs nothing.",
                          "Standard Buttons, Custom Button 1" + deleted,
                      }));
}

}  // namespace
}  // namespace tw
