// The exit password sequence: one capital letter per step, each naming the screen
// object that must be clicked at that step (PREFERENCES/Password).
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace tw {

// The clickable objects in letter order: kClock is "A", kKeyboard is "Z". The custom
// buttons are those of the side panel.
enum class PasswordObject {
  kClock,
  kBanner,
  kLogo,
  kCustom1,
  kCustom2,
  kCustom3,
  kCustom4,
  kCustom5,
  kCustom6,
  kCustom7,
  kCustom8,
  kCustom9,
  kCustom10,
  kUp,
  kDown,
  kLeft,
  kRight,
  kStart,
  kBack,
  kForward,
  kHelp,
  kPrint,
  kStop,
  kReload,
  kEmail,
  kKeyboard,
};

struct PasswordLetter {
  char letter;
  PasswordObject object;
  std::string_view description;  // what the operator is told to click
};

inline constexpr std::size_t kMaxPasswordSteps = 255;

// All 26 letters, "A" to "Z".
std::span<const PasswordLetter> PasswordLetters();

char PasswordLetterOf(PasswordObject object);
// Only capital letters name objects.
std::optional<PasswordObject> PasswordObjectOf(char letter);

// True for 1 to kMaxPasswordSteps capital letters.
bool IsValidPasswordSequence(std::string_view sequence);

}  // namespace tw
