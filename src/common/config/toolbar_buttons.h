// The tool bar's buttons: one table that the kiosk's tool bar and its actions, the key
// table of Tarnwick.ini, the Setup Manager's pages and its preview all read, so that a
// button is added in one place: an id here, a row in toolbar_buttons.cpp (and, for a
// picture of its own, a drawing in the panels' built-in glyphs).
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "common/config/page_operation.h"
#include "common/config/password_sequence.h"

namespace tw {

// The tool bar's buttons in creation order: a later button lies on top of an earlier
// one in the same slot and receives the clicks.
enum class ToolbarButtonId {
  kStart,
  kBack,
  kForward,
  kHelp,
  kPrint,
  kEmail,
  kStop,
  kReload,
  kKeyboard,
  kBack2,  // the e-mail window's previous-message button, on Back's slot
  kForward2,
  kCustom1,
  kCustom2,
  kCustom3,
  kCustom4,
  kCustom5,
  kZoomIn,
  kZoomOut,
  kHighContrast,
};

inline constexpr std::size_t kToolbarButtonCount = 19;

// What a press does; the kiosk's tool-bar actions carry it out.
enum class ButtonAction {
  kStartPage,  // URLS/Start
  kHelpPage,   // URLS/Help
  kOwnPage,    // the button's own URLS/<text_key>; nothing while it is empty
  kOnPage,     // an operation on the browser's page: the row's on_page
  kEmail,      // opens the e-mail window
  kKeyboard,
  kPreviousMessage,  // in the e-mail window
  kNextMessage,
  kHighContrast,  // the kiosk's windows and the page in the high-contrast look, or no longer
};

// What a press that runs an operation on the page does with the e-mail window.
enum class WithEmailWindow {
  kNothing,       // it stays as it is
  kHideAfter,     // hidden after the operation: it changes the page, and a change of page leaves the window
  kPrintItsText,  // while it is open, its text is printed instead and the page is left alone
};

struct PagePress {
  PageOperation operation;
  WithEmailWindow email_window = WithEmailWindow::kNothing;
};

struct ToolbarButtonInfo {
  ToolbarButtonId id;
  std::string_view name;      // "BStart": the control's name
  PasswordObject object;      // what the exit password sees (its tag)
  std::string_view text_key;  // TEXT/<key>, also GLYPH/<key> (the Keyboard button: "Show")
  std::string_view caption;   // default caption
  // What a screen reader says for it while it shows only its picture (MESSAGES/<name
  // without its B>Name in the language file, this by default).
  std::string_view spoken_name;
  std::string_view glyph_count_key;  // GLYPHNUM/<key>
  std::string_view setting;          // SOUNDS/<setting>Source, <setting>Wav; BUTTONS/<setting>On
  // How the Setup Manager lists it: the label of its controls ("" for the Keyboard button,
  // which has a group of its own); unlisted, a button that shares another's settings.
  std::optional<std::string_view> setup_label;
  // Its page's address is URLS/<text_key>, and a command may stand there (<text_key>TW).
  bool has_url = false;
  ButtonAction action = ButtonAction::kStartPage;
  // The log line of a press ("" for buttons that change the page: the page change is
  // logged by its reason).
  std::string_view pressed_log = {};
  // The slot the Setup Manager offers for BUTTONS/<setting>On while the file has none.
  std::string_view setup_slot = "0";
  // ButtonAction::kOnPage: the operation a press runs on the page, and what else it does.
  std::optional<PagePress> on_page = std::nullopt;
};

// All buttons in creation order.
std::span<const ToolbarButtonInfo> ToolbarButtons();
const ToolbarButtonInfo& ToolbarButton(ToolbarButtonId id);
// The tool-bar button that a tagged kiosk button names (Start .. Keyboard), if any.
std::optional<ToolbarButtonId> ToolbarButtonFor(PasswordObject button);

}  // namespace tw
