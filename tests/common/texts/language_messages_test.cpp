#include "common/texts/language_messages.h"

#include <gtest/gtest.h>

#include <fstream>

#include "common/config/profile_file.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

class LanguageMessagesTest : public ::testing::Test {
 protected:
  void WriteFile(const std::string& text) { std::ofstream(path_, std::ios::binary) << text; }

  test::TempDir dir_;
  std::string path_ = dir_.File("TWLang.ini");
};

TEST_F(LanguageMessagesTest, KioskAndSetupFallBackToTheirOwnDefaults) {
  WriteFile("[MESSAGES]\nErrorString0=Serveur incorrect\nNewBrowserRemove=Fermer\n");
  const ProfileFile file(path_);

  const auto errors = ReadErrorStrings(file);
  EXPECT_EQ(errors[0], "Serveur incorrect");
  EXPECT_EQ(errors[1], "User Name incorrect");  // the English text, never a placeholder
  EXPECT_EQ(errors[7], "Cancelled");            // shown to visitors, and no Setup Manager writes it

  const NewBrowserMessages browser = ReadNewBrowserMessages(file);
  EXPECT_EQ(browser.title, "New Browser Window Detected!");
  EXPECT_EQ(browser.transfer, "Transfer Control");
  EXPECT_EQ(browser.remove, "Fermer");

  const SetupMessages setup = ReadSetupMessages(file);
  EXPECT_EQ(setup[2], "Fermer");
  EXPECT_EQ(setup[3], "Serveur incorrect");
  EXPECT_EQ(setup[6], "From required");  // ErrorString3 absent
  EXPECT_EQ(setup[9], "Delete Email");
}

// Every visitor message is the operator's to set, ErrorString7 and the print and
// mail-list notices included; one read from the file is written back as it was.
TEST_F(LanguageMessagesTest, SetupWritesEveryMessageAndKeepsWhatItRead) {
  WriteFile("[MESSAGES]\nErrorString7=Hand made\n");
  {
    ProfileFile file(path_);
    SetupMessages messages = ReadSetupMessages(file);
    messages[6] = "Expediteur requis";
    WriteSetupMessages(file, messages);
  }
  const ProfileFile file(path_);
  EXPECT_EQ(file.ReadSection(kMessagesSection).size(), SetupMessageList().size());
  // The names of picture-only buttons are among them, with the English the kiosk falls back to.
  EXPECT_EQ(file.ReadString(kMessagesSection, "ScrollUpName", ""), "Scroll up");
  EXPECT_EQ(file.ReadString(kMessagesSection, "StartName", ""), "Start page");
  EXPECT_EQ(file.ReadString(kMessagesSection, "ErrorString3", ""), "Expediteur requis");
  EXPECT_EQ(file.ReadString(kMessagesSection, "NewBrowserTitle", ""), "New Browser Window Detected!");
  EXPECT_EQ(ReadErrorStrings(file)[7], "Hand made");
  EXPECT_EQ(ReadPrintFailedMessage(file), "The page could not be printed. Please ask a member of staff for help.");
}

}  // namespace
}  // namespace tw
