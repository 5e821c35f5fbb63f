#include "common/config/password_sequence.h"

#include <array>

namespace tw {
namespace {

constexpr std::array kLetters = std::to_array<PasswordLetter>({
    {'A', PasswordObject::kClock, "clock"},
    {'B', PasswordObject::kBanner, "banner"},
    {'C', PasswordObject::kLogo, "logo"},
    {'D', PasswordObject::kCustom1, "custom button 1"},
    {'E', PasswordObject::kCustom2, "custom button 2"},
    {'F', PasswordObject::kCustom3, "custom button 3"},
    {'G', PasswordObject::kCustom4, "custom button 4"},
    {'H', PasswordObject::kCustom5, "custom button 5"},
    {'I', PasswordObject::kCustom6, "custom button 6"},
    {'J', PasswordObject::kCustom7, "custom button 7"},
    {'K', PasswordObject::kCustom8, "custom button 8"},
    {'L', PasswordObject::kCustom9, "custom button 9"},
    {'M', PasswordObject::kCustom10, "custom button 10"},
    {'N', PasswordObject::kUp, "up button"},
    {'O', PasswordObject::kDown, "down button"},
    {'P', PasswordObject::kLeft, "left button"},
    {'Q', PasswordObject::kRight, "right button"},
    {'R', PasswordObject::kStart, "Start button"},
    {'S', PasswordObject::kBack, "Back button"},
    {'T', PasswordObject::kForward, "Forward button"},
    {'U', PasswordObject::kHelp, "Help button"},
    {'V', PasswordObject::kPrint, "Print button"},
    {'W', PasswordObject::kStop, "Stop button"},
    {'X', PasswordObject::kReload, "Reload button"},
    {'Y', PasswordObject::kEmail, "Email button"},
    {'Z', PasswordObject::kKeyboard, "Keyboard button"},
});

}  // namespace

std::span<const PasswordLetter> PasswordLetters() { return kLetters; }

char PasswordLetterOf(PasswordObject object) {
  for (const PasswordLetter& entry : kLetters) {
    if (entry.object == object) return entry.letter;
  }
  return '\0';
}

std::optional<PasswordObject> PasswordObjectOf(char letter) {
  for (const PasswordLetter& entry : kLetters) {
    if (entry.letter == letter) return entry.object;
  }
  return std::nullopt;
}

bool IsValidPasswordSequence(std::string_view sequence) {
  if (sequence.empty() || sequence.size() > kMaxPasswordSteps) return false;
  for (char c : sequence) {
    if (!PasswordObjectOf(c)) return false;
  }
  return true;
}

}  // namespace tw
