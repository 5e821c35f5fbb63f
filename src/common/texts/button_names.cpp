#include "common/texts/button_names.h"

#include <array>

#include "common/config/profile_file.h"
#include "common/texts/language_messages.h"

namespace tw {

ButtonName ToolbarButtonName(const ToolbarButtonInfo& info) {
  std::string_view name = info.name;
  if (name.starts_with('B')) name.remove_prefix(1);
  return {std::string(name) + "Name", std::string(info.spoken_name)};
}

ButtonName ScrollArrowName(std::size_t arrow) {
  static constexpr std::array<const char*, 4> kKeys{"ScrollUpName", "ScrollDownName", "ScrollLeftName",
                                                    "ScrollRightName"};
  static constexpr std::array<const char*, 4> kEnglish{"Scroll up", "Scroll down", "Scroll left", "Scroll right"};
  return {kKeys.at(arrow), kEnglish.at(arrow)};
}

ButtonName SidePageButtonName(std::size_t index) {
  const std::string number = std::to_string(index + 1);
  return {"PageButton" + number + "Name", "Page button " + number};
}

std::string ReadButtonName(const ProfileFile& language, const ButtonName& name) {
  return language.ReadString(kMessagesSection, name.key, name.english);
}

std::vector<ButtonName> AllButtonNames() {
  std::vector<ButtonName> names;
  for (const ToolbarButtonInfo& info : ToolbarButtons()) names.push_back(ToolbarButtonName(info));
  for (std::size_t i = 0; i < 4; ++i) names.push_back(ScrollArrowName(i));
  for (std::size_t i = 0; i < kSidePanelPageButtons; ++i) names.push_back(SidePageButtonName(i));
  return names;
}

}  // namespace tw
