// What a screen reader says for a button that shows only its picture (its caption left
// empty): MESSAGES/<key> in the language file, English by default. A button with a
// caption is named by its caption.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "common/config/toolbar_buttons.h"

namespace tw {

class ProfileFile;

struct ButtonName {
  std::string key;  // MESSAGES/<key>
  std::string english;
};

ButtonName ToolbarButtonName(const ToolbarButtonInfo& info);  // "StartName": "Start page"
ButtonName ScrollArrowName(std::size_t arrow);                // 0 Up .. 3 Right: "ScrollUpName"
ButtonName SidePageButtonName(std::size_t index);             // 0 ..: "PageButton1Name"

// The name the file gives, or the English one.
std::string ReadButtonName(const ProfileFile& language, const ButtonName& name);

inline constexpr std::size_t kSidePanelPageButtons = 10;

// Every button name the kiosk reads, for the Setup Manager and the documentation.
std::vector<ButtonName> AllButtonNames();

}  // namespace tw
