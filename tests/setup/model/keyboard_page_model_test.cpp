// The Keyboard page's rules over real files: key edits and what the language file cannot
// hold, layouts loaded, customised and saved into Language/, and "Synch".
#include "setup/model/keyboard_page_model.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/keyboard/keyboard_layout_names.h"
#include "support/file_text.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

const std::string kShipped = std::string(TARNWICK_SOURCE_DIR) + "/demo/Language/";

// A program folder with the demo's TWLang.ini and the shipped French and German layouts.
struct Folder {
  test::TempDir dir;
  Folder() {
    std::filesystem::create_directory(dir.File("Language"));
    for (const char* name : {"French", "German"}) {
      std::filesystem::copy_file(kShipped + name + ".ini", dir.File(std::string("Language/") + name + ".ini"));
    }
    test::Spit(dir.File("TWLang.ini"), test::Slurp(std::string(TARNWICK_SOURCE_DIR) + "/demo/TWLang.ini"));
    test::Spit(dir.File("Tarnwick.ini"), "[URLS]\nStart=http://live.example/\n");
  }
};

TEST(KeyboardPageModel, KeyEditsAndWhatTheFileCannotHold) {
  Folder folder;
  SetupSession session(folder.dir.path());
  KeyboardPageModel page(session, "English");
  EXPECT_EQ(page.SetText(KeyText::kTopLeft, "X"), "No key is selected.");
  ASSERT_TRUE(page.Select("vx4keybutton39"));  // "Q", found without regard to case
  ASSERT_EQ(page.Selected()->name, "VX4KeyButton39");

  struct Case {
    KeyText field;
    std::string text;
    bool accepted;
  };
  const Case cases[] = {
      {KeyText::kTopLeft, "Ä", true},
      {KeyText::kTopLeft, "\"", true},  // a quote alone reads back (the demo has one)
      {KeyText::kTopLeft, ",\"", true},
      {KeyText::kBottomLeft, "x\"", true},
      {KeyText::kTopLeft, "a\",\"b", false},  // holds the legend separator
      {KeyText::kTopLeft, "a\",", false},     // makes one with the next field's quote
      {KeyText::kBottomRight, "two\nlines", false},
      {KeyText::kSendString, "{Enter}\",", false},  // holds the key script's end
      {KeyText::kSendString, "+{Home}", true},
      {KeyText::kFontName, "DejaVu, Sans", false},  // a comma ends the font name
      {KeyText::kFontName, "DejaVu \"Sans\"", true},
      {KeyText::kTopRight, std::string(1100, 'x'), false},  // longer than the reader takes
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const KeyboardEntry before = page.Selected()->entry;
    const std::optional<std::string> refused = page.SetText(c.field, c.text);
    EXPECT_EQ(!refused, c.accepted) << refused.value_or("");
    if (refused) {
      EXPECT_EQ(page.Selected()->entry, before);
      continue;
    }
    // What is accepted survives the language file.
    SetupConfig reread(session.config().TarnwickText(), session.config().LanguageText());
    EXPECT_EQ(reread.Keys()[18].entry, page.Selected()->entry);
  }
  // A layout brings its font size; the size is then set on its own, from 1.
  ASSERT_TRUE(page.SetLayout(KeyLayout::kQuad));
  EXPECT_EQ(page.Selected()->entry.font_size, 10);
  EXPECT_FALSE(page.SetFontSize(0));
  EXPECT_TRUE(page.SetFontSize(22));
  EXPECT_TRUE(page.SetVisible(false));
  EXPECT_EQ(page.Selected()->entry.font_size, 22);
  EXPECT_FALSE(page.Selected()->entry.visible);
}

TEST(KeyboardPageModel, CustomisedOnlyByRealChanges) {
  Folder folder;
  SetupSession session(folder.dir.path());
  KeyboardPageModel page(session, "English");
  ASSERT_TRUE(page.Select("VX4KeyButton41"));
  EXPECT_FALSE(page.Customised());  // selecting changes nothing
  const std::string legend = page.Selected()->entry.caption;
  page.SetText(KeyText::kTopLeft, "É");
  EXPECT_TRUE(page.Customised());
  page.SetText(KeyText::kTopLeft, legend);
  EXPECT_FALSE(page.Customised());  // put back as it was
  session.config().SetMessage(5, "Mot de passe incorrect");
  EXPECT_TRUE(page.Customised());
}

TEST(KeyboardPageModel, LoadEditSaveAsLoadAgain) {
  Folder folder;
  const std::string french = test::Slurp(folder.dir.File("Language/French.ini"));
  const std::string live_language = test::Slurp(folder.dir.File("TWLang.ini"));
  const std::string live_settings = test::Slurp(folder.dir.File("Tarnwick.ini"));
  SetupSession session(folder.dir.path());
  KeyboardPageModel page(session, "French");
  EXPECT_EQ(page.VirtualKeyboardName(), "English");
  EXPECT_EQ(page.ProposedFileName(), "Custom English.ini");
  EXPECT_FALSE(page.Loaded());

  page.ChooseLayout("French");
  EXPECT_TRUE(page.Loaded());
  EXPECT_EQ(page.Selected(), nullptr);
  EXPECT_EQ(page.VirtualKeyboardName(), "French");
  EXPECT_EQ(page.ProposedFileName(), "Custom French.ini");
  EXPECT_EQ(session.config().Value("KEYBOARD", "Associated"), folder.dir.File("Language/French.ini"));
  EXPECT_EQ(session.config().Keys()[18].entry.caption, "A");  // AZERTY
  EXPECT_FALSE(page.Customised());

  ASSERT_TRUE(page.Select("VX4KeyButton39"));
  ASSERT_FALSE(page.SetText(KeyText::kTopLeft, "Å"));
  ASSERT_TRUE(page.SetLayout(KeyLayout::kLetterPlus));
  EXPECT_TRUE(page.Customised());

  // Saved into Language/ whatever folder the dialog was in; only the edited key differs.
  const std::string saved = page.SaveLayout("/somewhere/else/Custom French.ini");
  EXPECT_EQ(saved, folder.dir.File("Language/Custom French.ini"));
  EXPECT_EQ(page.SavePath("Mine"), folder.dir.File("Language/Mine.ini"));
  const ProfileText written(test::Slurp(saved));
  const ProfileText original(french);
  for (const NamedKeyboardEntry& key : session.config().Keys()) {
    if (key.name == "VX4KeyButton39") {
      EXPECT_EQ(written.Get("KEYBOARD", key.name), "\"Å\",\"\",\"\",\"\",\"a\",4,DejaVu Sans,16,1");
    } else {
      EXPECT_EQ(written.Get("KEYBOARD", key.name), original.Get("KEYBOARD", key.name)) << key.name;
    }
  }
  EXPECT_EQ(written.Get("LANGUAGE", "CurKB"), "French");
  // Nothing else was written: not the shipped layout, not the live files.
  EXPECT_EQ(test::Slurp(folder.dir.File("Language/French.ini")), french);
  EXPECT_EQ(test::Slurp(folder.dir.File("TWLang.ini")), live_language);
  EXPECT_EQ(test::Slurp(folder.dir.File("Tarnwick.ini")), live_settings);

  page.ChooseLayout("German");
  EXPECT_EQ(session.config().Keys()[18].entry.caption, "Q");
  page.ChooseLayout("Custom French");
  EXPECT_EQ(page.ProposedFileName(), "Custom French.ini");
  EXPECT_EQ(session.config().Keys()[18].entry.caption, "Å");
  EXPECT_EQ(session.config().Keys()[18].entry.key_layout, KeyLayout::kLetterPlus);
  EXPECT_FALSE(page.Customised());
  EXPECT_THROW(page.ChooseLayout("Klingon"), SetupFileError);
}

TEST(KeyboardPageModel, Synch) {
  const std::vector<std::string> layouts = {"American", "English", "French", "German"};
  Folder folder;
  SetupSession session(folder.dir.path());
  struct Case {
    std::string system;
    std::optional<std::string> chosen;
  };
  const Case cases[] = {
      {"German", "German"},
      {"Swiss [French]", std::nullopt},  // no such file
      {std::string(kUnknownKeyboardLayout), std::nullopt},
  };
  for (const Case& c : cases) {
    KeyboardPageModel page(session, c.system);
    EXPECT_EQ(page.CanSynch(), c.system != kUnknownKeyboardLayout) << c.system;
    EXPECT_EQ(page.SynchChoice(layouts), c.chosen) << c.system;
  }
}

}  // namespace
}  // namespace tw
