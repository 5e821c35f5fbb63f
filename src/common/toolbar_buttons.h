// The tool bar's buttons: one table that the kiosk's tool bar, the Setup Manager's pages
// and its preview all read, so that a button is added in one place.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "common/password_sequence.h"

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
};

inline constexpr std::size_t kToolbarButtonCount = 16;
inline constexpr std::size_t kToolbarCustomCount = 5;

struct ToolbarButtonInfo {
  ToolbarButtonId id;
  std::string_view name;             // "BStart": the control's name
  PasswordObject object;             // what the exit password sees (its tag)
  std::string_view text_key;         // TEXT/<key>, also GLYPH/<key> (the Keyboard button: "Show")
  std::string_view caption;          // default caption
  std::string_view glyph_count_key;  // GLYPHNUM/<key>
  std::string_view setting;          // SOUNDS/<setting>Source, <setting>Wav; BUTTONS/<setting>On
  // How the Setup Manager lists it: the label of its controls ("" for the Keyboard button,
  // which has a group of its own); unlisted, a button that shares another's settings.
  std::optional<std::string_view> setup_label;
  // Its page's address is URLS/<text_key>, and a command may stand there (<text_key>TW).
  bool has_url = false;
};

// All buttons in creation order.
std::span<const ToolbarButtonInfo> ToolbarButtons();
const ToolbarButtonInfo& ToolbarButton(ToolbarButtonId id);
// The tool-bar button that a tagged kiosk button names (Start .. Keyboard), if any.
std::optional<ToolbarButtonId> ToolbarButtonFor(PasswordObject button);

}  // namespace tw
