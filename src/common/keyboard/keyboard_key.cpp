#include "common/keyboard/keyboard_key.h"

#include <array>

#include "common/config/profile_file.h"

namespace tw {
namespace {

// The arrow keys show the Unicode arrows. Page "ABCDE" keys that type a character
// have that character as their one legend; "+", "(" and ")" mean something in a key
// script and are typed in braces.
constexpr std::array<KeyboardKey, kKeyboardKeyCount> kKeys = {{
    // Page "QWERT".
    {"VX4KeyButton17", KeyboardPage::kQwert, 40, 8, 40, 40, KeyType::kNormal, KeyColour::kLight, "¬", "`", "`",
     KeyLayout::kDouble, true},
    {"VX4KeyButton18", KeyboardPage::kQwert, 80, 8, 40, 40, KeyType::kNormal, KeyColour::kLight, "!", "1", "1",
     KeyLayout::kDouble, true},
    {"VX4KeyButton19", KeyboardPage::kQwert, 120, 8, 40, 40, KeyType::kNormal, KeyColour::kLight, "\"", "2", "2",
     KeyLayout::kDouble, true},
    {"VX4KeyButton20", KeyboardPage::kQwert, 160, 8, 40, 40, KeyType::kNormal, KeyColour::kLight, "£", "3", "3",
     KeyLayout::kDouble, true},
    {"VX4KeyButton21", KeyboardPage::kQwert, 200, 8, 40, 40, KeyType::kNormal, KeyColour::kLight, "$", "4", "4",
     KeyLayout::kDouble, true},
    {"VX4KeyButton22", KeyboardPage::kQwert, 240, 8, 40, 40, KeyType::kNormal, KeyColour::kLight, "%", "5", "5",
     KeyLayout::kDouble, true},
    {"VX4KeyButton23", KeyboardPage::kQwert, 280, 8, 40, 40, KeyType::kNormal, KeyColour::kLight, "^", "6", "6",
     KeyLayout::kDouble, true},
    {"VX4KeyButton24", KeyboardPage::kQwert, 320, 8, 40, 40, KeyType::kNormal, KeyColour::kLight, "&", "7", "7",
     KeyLayout::kDouble, true},
    {"VX4KeyButton25", KeyboardPage::kQwert, 360, 8, 40, 40, KeyType::kNormal, KeyColour::kLight, "*", "8", "8",
     KeyLayout::kDouble, true},
    {"VX4KeyButton26", KeyboardPage::kQwert, 400, 8, 40, 40, KeyType::kNormal, KeyColour::kLight, "(", "9", "9",
     KeyLayout::kDouble, true},
    {"VX4KeyButton27", KeyboardPage::kQwert, 440, 8, 40, 40, KeyType::kNormal, KeyColour::kLight, ")", "0", "0",
     KeyLayout::kDouble, true},
    {"VX4KeyButton28", KeyboardPage::kQwert, 480, 8, 40, 40, KeyType::kNormal, KeyColour::kLight, "_", "-", "-",
     KeyLayout::kDouble, true},
    {"VX4KeyButton29", KeyboardPage::kQwert, 520, 8, 40, 40, KeyType::kNormal, KeyColour::kLight, "+", "=", "=",
     KeyLayout::kDouble, true},
    {"VX4KeyButton30", KeyboardPage::kQwert, 560, 8, 88, 40, KeyType::kNormal, KeyColour::kDark, "Backspace", "",
     "{Backspace}", KeyLayout::kNormal, true},
    {"VX4KeyButton31", KeyboardPage::kQwert, 664, 88, 40, 40, KeyType::kNormal, KeyColour::kDark, "Cut", "", "^x",
     KeyLayout::kNormal, true},
    {"VX4KeyButton32", KeyboardPage::kQwert, 704, 48, 40, 40, KeyType::kNormal, KeyColour::kDark, "Home", "", "{Home}",
     KeyLayout::kNormal, true},
    {"VX4KeyButton33", KeyboardPage::kQwert, 704, 88, 40, 40, KeyType::kNormal, KeyColour::kDark, "Copy", "", "^c",
     KeyLayout::kNormal, true},
    {"VX4KeyButton38", KeyboardPage::kQwert, 16, 48, 80, 40, KeyType::kNormal, KeyColour::kDark, "Tab", "", "{Tab}",
     KeyLayout::kNormal, true},
    {"VX4KeyButton39", KeyboardPage::kQwert, 96, 48, 40, 40, KeyType::kNormal, KeyColour::kLight, "Q", "", "q",
     KeyLayout::kLetter, true},
    {"VX4KeyButton40", KeyboardPage::kQwert, 136, 48, 40, 40, KeyType::kNormal, KeyColour::kLight, "W", "", "w",
     KeyLayout::kLetter, true},
    {"VX4KeyButton41", KeyboardPage::kQwert, 176, 48, 40, 40, KeyType::kNormal, KeyColour::kLight, "E", "", "e",
     KeyLayout::kLetter, true},
    {"VX4KeyButton42", KeyboardPage::kQwert, 216, 48, 40, 40, KeyType::kNormal, KeyColour::kLight, "R", "", "r",
     KeyLayout::kLetter, true},
    {"VX4KeyButton43", KeyboardPage::kQwert, 256, 48, 40, 40, KeyType::kNormal, KeyColour::kLight, "T", "", "t",
     KeyLayout::kLetter, true},
    {"VX4KeyButton44", KeyboardPage::kQwert, 296, 48, 40, 40, KeyType::kNormal, KeyColour::kLight, "Y", "", "y",
     KeyLayout::kLetter, true},
    {"VX4KeyButton45", KeyboardPage::kQwert, 336, 48, 40, 40, KeyType::kNormal, KeyColour::kLight, "U", "", "u",
     KeyLayout::kLetter, true},
    {"VX4KeyButton46", KeyboardPage::kQwert, 376, 48, 40, 40, KeyType::kNormal, KeyColour::kLight, "I", "", "i",
     KeyLayout::kLetter, true},
    {"VX4KeyButton47", KeyboardPage::kQwert, 416, 48, 40, 40, KeyType::kNormal, KeyColour::kLight, "O", "", "o",
     KeyLayout::kLetter, true},
    {"VX4KeyButton48", KeyboardPage::kQwert, 456, 48, 40, 40, KeyType::kNormal, KeyColour::kLight, "P", "", "p",
     KeyLayout::kLetter, true},
    {"VX4KeyButton49", KeyboardPage::kQwert, 496, 48, 40, 40, KeyType::kNormal, KeyColour::kLight, "{", "[", "[",
     KeyLayout::kDouble, true},
    {"VX4KeyButton50", KeyboardPage::kQwert, 536, 48, 48, 40, KeyType::kNormal, KeyColour::kLight, "}", "]", "]",
     KeyLayout::kDouble, true},
    {"VX4KeyButton51", KeyboardPage::kQwert, 584, 48, 64, 80, KeyType::kNormal, KeyColour::kDark, "Return", "", "~",
     KeyLayout::kNormal, true},
    {"VX4KeyButton52", KeyboardPage::kQwert, 664, 48, 40, 40, KeyType::kNormal, KeyColour::kDark, "Delete", "", "{Del}",
     KeyLayout::kNormal, true},
    {"VX4KeyButton53", KeyboardPage::kQwert, 744, 48, 40, 40, KeyType::kNormal, KeyColour::kDark, "End", "", "{End}",
     KeyLayout::kNormal, true},
    {"VX4KeyButton54", KeyboardPage::kQwert, 744, 88, 40, 40, KeyType::kNormal, KeyColour::kDark, "Paste", "", "^v",
     KeyLayout::kNormal, true},
    {"KCapsLock", KeyboardPage::kQwert, 16, 88, 88, 40, KeyType::kNormal, KeyColour::kDark, "Caps", "Lock",
     "{CapsLock}", KeyLayout::kNormal, true},
    {"VX4KeyButton60", KeyboardPage::kQwert, 104, 88, 40, 40, KeyType::kNormal, KeyColour::kLight, "A", "", "a",
     KeyLayout::kLetter, true},
    {"VX4KeyButton61", KeyboardPage::kQwert, 144, 88, 40, 40, KeyType::kNormal, KeyColour::kLight, "S", "", "s",
     KeyLayout::kLetter, true},
    {"VX4KeyButton62", KeyboardPage::kQwert, 184, 88, 40, 40, KeyType::kNormal, KeyColour::kLight, "D", "", "d",
     KeyLayout::kLetter, true},
    {"VX4KeyButton63", KeyboardPage::kQwert, 224, 88, 40, 40, KeyType::kNormal, KeyColour::kLight, "F", "", "f",
     KeyLayout::kLetter, true},
    {"VX4KeyButton64", KeyboardPage::kQwert, 264, 88, 40, 40, KeyType::kNormal, KeyColour::kLight, "G", "", "g",
     KeyLayout::kLetter, true},
    {"VX4KeyButton65", KeyboardPage::kQwert, 304, 88, 40, 40, KeyType::kNormal, KeyColour::kLight, "H", "", "h",
     KeyLayout::kLetter, true},
    {"VX4KeyButton66", KeyboardPage::kQwert, 344, 88, 40, 40, KeyType::kNormal, KeyColour::kLight, "J", "", "j",
     KeyLayout::kLetter, true},
    {"VX4KeyButton67", KeyboardPage::kQwert, 384, 88, 40, 40, KeyType::kNormal, KeyColour::kLight, "K", "", "k",
     KeyLayout::kLetter, true},
    {"VX4KeyButton68", KeyboardPage::kQwert, 424, 88, 40, 40, KeyType::kNormal, KeyColour::kLight, "L", "", "l",
     KeyLayout::kLetter, true},
    {"VX4KeyButton69", KeyboardPage::kQwert, 464, 88, 40, 40, KeyType::kNormal, KeyColour::kLight, ":", ";", ";",
     KeyLayout::kDouble, true},
    {"VX4KeyButton70", KeyboardPage::kQwert, 504, 88, 40, 40, KeyType::kNormal, KeyColour::kLight, "@", "'", "'",
     KeyLayout::kDouble, true},
    {"VX4KeyButton71", KeyboardPage::kQwert, 544, 88, 40, 40, KeyType::kNormal, KeyColour::kLight, "~", "#", "#",
     KeyLayout::kDouble, true},
    {"KShiftLeft", KeyboardPage::kQwert, 16, 128, 72, 40, KeyType::kShift, KeyColour::kDark, "Shift", "", "",
     KeyLayout::kNormal, true},
    {"VX4KeyButton76", KeyboardPage::kQwert, 88, 128, 40, 40, KeyType::kNormal, KeyColour::kLight, "|", "\\", "\\",
     KeyLayout::kDouble, true},
    {"VX4KeyButton77", KeyboardPage::kQwert, 128, 128, 40, 40, KeyType::kNormal, KeyColour::kLight, "Z", "", "z",
     KeyLayout::kLetter, true},
    {"VX4KeyButton78", KeyboardPage::kQwert, 168, 128, 40, 40, KeyType::kNormal, KeyColour::kLight, "X", "", "x",
     KeyLayout::kLetter, true},
    {"VX4KeyButton79", KeyboardPage::kQwert, 208, 128, 40, 40, KeyType::kNormal, KeyColour::kLight, "C", "", "c",
     KeyLayout::kLetter, true},
    {"VX4KeyButton80", KeyboardPage::kQwert, 248, 128, 40, 40, KeyType::kNormal, KeyColour::kLight, "V", "", "v",
     KeyLayout::kLetter, true},
    {"VX4KeyButton81", KeyboardPage::kQwert, 288, 128, 40, 40, KeyType::kNormal, KeyColour::kLight, "B", "", "b",
     KeyLayout::kLetter, true},
    {"VX4KeyButton82", KeyboardPage::kQwert, 328, 128, 40, 40, KeyType::kNormal, KeyColour::kLight, "N", "", "n",
     KeyLayout::kLetter, true},
    {"VX4KeyButton83", KeyboardPage::kQwert, 368, 128, 40, 40, KeyType::kNormal, KeyColour::kLight, "M", "", "m",
     KeyLayout::kLetter, true},
    {"VX4KeyButton84", KeyboardPage::kQwert, 408, 128, 40, 40, KeyType::kNormal, KeyColour::kLight, "<", ",", ",",
     KeyLayout::kDouble, true},
    {"VX4KeyButton85", KeyboardPage::kQwert, 448, 128, 40, 40, KeyType::kNormal, KeyColour::kLight, ">", ".", ".",
     KeyLayout::kDouble, true},
    {"VX4KeyButton86", KeyboardPage::kQwert, 488, 128, 40, 40, KeyType::kNormal, KeyColour::kLight, "?", "/", "/",
     KeyLayout::kDouble, true},
    {"KShiftRight", KeyboardPage::kQwert, 528, 128, 120, 40, KeyType::kShift, KeyColour::kDark, "Shift", "", "",
     KeyLayout::kNormal, true},
    {"VX4KeyButton88", KeyboardPage::kQwert, 704, 128, 40, 40, KeyType::kNormal, KeyColour::kDark, "↑", "", "{Up}",
     KeyLayout::kNormal, true},
    {"VX4KeyButton95", KeyboardPage::kQwert, 112, 168, 392, 40, KeyType::kNormal, KeyColour::kLight, "", "", " ",
     KeyLayout::kLetter, true},
    {"VX4KeyButton98", KeyboardPage::kQwert, 664, 168, 40, 40, KeyType::kNormal, KeyColour::kDark, "←", "", "{Left}",
     KeyLayout::kNormal, true},
    {"VX4KeyButton99", KeyboardPage::kQwert, 704, 168, 40, 40, KeyType::kNormal, KeyColour::kDark, "↓", "", "{Down}",
     KeyLayout::kNormal, true},
    {"VX4KeyButton100", KeyboardPage::kQwert, 744, 168, 40, 40, KeyType::kNormal, KeyColour::kDark, "→", "", "{Right}",
     KeyLayout::kNormal, true},
    {"KABCDE", KeyboardPage::kQwert, 664, 8, 120, 40, KeyType::kNormal, KeyColour::kDark, "ABCDE...", "", "",
     KeyLayout::kNormal, true},
    {"KAltGrLeft", KeyboardPage::kQwert, 40, 168, 72, 40, KeyType::kAltGr, KeyColour::kDark, "Alt Gr", "", "",
     KeyLayout::kNormal, false},
    {"KAltGrRight", KeyboardPage::kQwert, 504, 168, 72, 40, KeyType::kAltGr, KeyColour::kDark, "Alt Gr", "", "",
     KeyLayout::kNormal, false},
    // Page "ABCDE".
    {"VX4KeyButton1", KeyboardPage::kAbcde, 16, 8, 40, 40, KeyType::kNormal, KeyColour::kLight, "1", "", "1",
     KeyLayout::kLetter, true},
    {"VX4KeyButton2", KeyboardPage::kAbcde, 56, 8, 40, 40, KeyType::kNormal, KeyColour::kLight, "2", "", "2",
     KeyLayout::kLetter, true},
    {"VX4KeyButton3", KeyboardPage::kAbcde, 96, 8, 40, 40, KeyType::kNormal, KeyColour::kLight, "3", "", "3",
     KeyLayout::kLetter, true},
    {"VX4KeyButton4", KeyboardPage::kAbcde, 136, 8, 40, 40, KeyType::kNormal, KeyColour::kLight, "4", "", "4",
     KeyLayout::kLetter, true},
    {"VX4KeyButton5", KeyboardPage::kAbcde, 176, 8, 40, 40, KeyType::kNormal, KeyColour::kLight, "5", "", "5",
     KeyLayout::kLetter, true},
    {"VX4KeyButton6", KeyboardPage::kAbcde, 216, 8, 40, 40, KeyType::kNormal, KeyColour::kLight, "6", "", "6",
     KeyLayout::kLetter, true},
    {"VX4KeyButton7", KeyboardPage::kAbcde, 256, 8, 40, 40, KeyType::kNormal, KeyColour::kLight, "7", "", "7",
     KeyLayout::kLetter, true},
    {"VX4KeyButton8", KeyboardPage::kAbcde, 296, 8, 40, 40, KeyType::kNormal, KeyColour::kLight, "8", "", "8",
     KeyLayout::kLetter, true},
    {"VX4KeyButton9", KeyboardPage::kAbcde, 336, 8, 40, 40, KeyType::kNormal, KeyColour::kLight, "9", "", "9",
     KeyLayout::kLetter, true},
    {"VX4KeyButton10", KeyboardPage::kAbcde, 376, 8, 40, 40, KeyType::kNormal, KeyColour::kLight, "0", "", "0",
     KeyLayout::kLetter, true},
    {"VX4KeyButton11", KeyboardPage::kAbcde, 416, 8, 40, 40, KeyType::kNormal, KeyColour::kLight, "-", "", "-",
     KeyLayout::kLetter, true},
    {"VX4KeyButton12", KeyboardPage::kAbcde, 456, 8, 40, 40, KeyType::kNormal, KeyColour::kLight, "+", "", "{+}",
     KeyLayout::kLetter, true},
    {"VX4KeyButton13", KeyboardPage::kAbcde, 496, 8, 40, 40, KeyType::kNormal, KeyColour::kLight, "=", "", "=",
     KeyLayout::kLetter, true},
    {"VX4KeyButton14", KeyboardPage::kAbcde, 552, 8, 96, 40, KeyType::kNormal, KeyColour::kDark, "Backspace", "",
     "{Backspace}", KeyLayout::kNormal, true},
    {"VX4KeyButton16", KeyboardPage::kAbcde, 632, 112, 40, 40, KeyType::kNormal, KeyColour::kDark, "→", "", "{Right}",
     KeyLayout::kNormal, true},
    {"VX4KeyButton34", KeyboardPage::kAbcde, 296, 168, 40, 40, KeyType::kNormal, KeyColour::kLight, "@", "", "@",
     KeyLayout::kLetter, true},
    {"VX4KeyButton35", KeyboardPage::kAbcde, 336, 168, 40, 40, KeyType::kNormal, KeyColour::kLight, "&", "", "&",
     KeyLayout::kLetter, true},
    {"VX4KeyButton36", KeyboardPage::kAbcde, 376, 168, 40, 40, KeyType::kNormal, KeyColour::kLight, "(", "", "{(}",
     KeyLayout::kLetter, true},
    {"VX4KeyButton37", KeyboardPage::kAbcde, 416, 168, 40, 40, KeyType::kNormal, KeyColour::kLight, ")", "", "{)}",
     KeyLayout::kLetter, true},
    {"VX4KeyButton55", KeyboardPage::kAbcde, 336, 112, 40, 40, KeyType::kNormal, KeyColour::kLight, "V", "", "v",
     KeyLayout::kLetter, true},
    {"VX4KeyButton56", KeyboardPage::kAbcde, 376, 112, 40, 40, KeyType::kNormal, KeyColour::kLight, "W", "", "w",
     KeyLayout::kLetter, true},
    {"VX4KeyButton57", KeyboardPage::kAbcde, 416, 112, 40, 40, KeyType::kNormal, KeyColour::kLight, "X", "", "x",
     KeyLayout::kLetter, true},
    {"VX4KeyButton58", KeyboardPage::kAbcde, 456, 112, 40, 40, KeyType::kNormal, KeyColour::kLight, "Y", "", "y",
     KeyLayout::kLetter, true},
    {"VX4KeyButton59", KeyboardPage::kAbcde, 496, 112, 40, 40, KeyType::kNormal, KeyColour::kLight, "Z", "", "z",
     KeyLayout::kLetter, true},
    {"VX4KeyButton72", KeyboardPage::kAbcde, 552, 112, 40, 40, KeyType::kNormal, KeyColour::kDark, "←", "", "{Left}",
     KeyLayout::kNormal, true},
    {"VX4KeyButton73", KeyboardPage::kAbcde, 592, 112, 40, 40, KeyType::kNormal, KeyColour::kDark, "↓", "", "{Down}",
     KeyLayout::kNormal, true},
    {"VX4KeyButton74", KeyboardPage::kAbcde, 688, 72, 96, 136, KeyType::kNormal, KeyColour::kDark, "Return", "", "~",
     KeyLayout::kNormal, true},
    {"VX4KeyButton89", KeyboardPage::kAbcde, 16, 112, 40, 40, KeyType::kNormal, KeyColour::kLight, "N", "", "n",
     KeyLayout::kLetter, true},
    {"VX4KeyButton90", KeyboardPage::kAbcde, 56, 112, 40, 40, KeyType::kNormal, KeyColour::kLight, "O", "", "o",
     KeyLayout::kLetter, true},
    {"VX4KeyButton91", KeyboardPage::kAbcde, 96, 112, 40, 40, KeyType::kNormal, KeyColour::kLight, "P", "", "p",
     KeyLayout::kLetter, true},
    {"VX4KeyButton92", KeyboardPage::kAbcde, 136, 112, 40, 40, KeyType::kNormal, KeyColour::kLight, "Q", "", "q",
     KeyLayout::kLetter, true},
    {"VX4KeyButton93", KeyboardPage::kAbcde, 176, 112, 40, 40, KeyType::kNormal, KeyColour::kLight, "R", "", "r",
     KeyLayout::kLetter, true},
    {"VX4KeyButton94", KeyboardPage::kAbcde, 216, 112, 40, 40, KeyType::kNormal, KeyColour::kLight, "S", "", "s",
     KeyLayout::kLetter, true},
    {"VX4KeyButton96", KeyboardPage::kAbcde, 256, 112, 40, 40, KeyType::kNormal, KeyColour::kLight, "T", "", "t",
     KeyLayout::kLetter, true},
    {"VX4KeyButton97", KeyboardPage::kAbcde, 296, 112, 40, 40, KeyType::kNormal, KeyColour::kLight, "U", "", "u",
     KeyLayout::kLetter, true},
    {"VX4KeyButton101", KeyboardPage::kAbcde, 16, 168, 40, 40, KeyType::kNormal, KeyColour::kLight, ",", "", ",",
     KeyLayout::kLetter, true},
    {"VX4KeyButton102", KeyboardPage::kAbcde, 56, 168, 40, 40, KeyType::kNormal, KeyColour::kLight, ".", "", ".",
     KeyLayout::kLetter, true},
    {"VX4KeyButton103", KeyboardPage::kAbcde, 96, 168, 40, 40, KeyType::kNormal, KeyColour::kLight, "?", "", "?",
     KeyLayout::kLetter, true},
    {"VX4KeyButton104", KeyboardPage::kAbcde, 136, 168, 40, 40, KeyType::kNormal, KeyColour::kLight, "!", "", "!",
     KeyLayout::kLetter, true},
    {"VX4KeyButton105", KeyboardPage::kAbcde, 472, 168, 128, 40, KeyType::kNormal, KeyColour::kLight, "Space", "", " ",
     KeyLayout::kLetter, true},
    {"VX4KeyButton106", KeyboardPage::kAbcde, 176, 168, 40, 40, KeyType::kNormal, KeyColour::kLight, "\"", "", "\"",
     KeyLayout::kLetter, true},
    {"VX4KeyButton107", KeyboardPage::kAbcde, 216, 168, 40, 40, KeyType::kNormal, KeyColour::kLight, "£", "", "£",
     KeyLayout::kLetter, true},
    {"VX4KeyButton108", KeyboardPage::kAbcde, 256, 168, 40, 40, KeyType::kNormal, KeyColour::kLight, "$", "", "$",
     KeyLayout::kLetter, true},
    {"VX4KeyButton111", KeyboardPage::kAbcde, 16, 72, 40, 40, KeyType::kNormal, KeyColour::kLight, "A", "", "a",
     KeyLayout::kLetter, true},
    {"VX4KeyButton112", KeyboardPage::kAbcde, 56, 72, 40, 40, KeyType::kNormal, KeyColour::kLight, "B", "", "b",
     KeyLayout::kLetter, true},
    {"VX4KeyButton113", KeyboardPage::kAbcde, 96, 72, 40, 40, KeyType::kNormal, KeyColour::kLight, "C", "", "c",
     KeyLayout::kLetter, true},
    {"VX4KeyButton114", KeyboardPage::kAbcde, 136, 72, 40, 40, KeyType::kNormal, KeyColour::kLight, "D", "", "d",
     KeyLayout::kLetter, true},
    {"VX4KeyButton115", KeyboardPage::kAbcde, 176, 72, 40, 40, KeyType::kNormal, KeyColour::kLight, "E", "", "e",
     KeyLayout::kLetter, true},
    {"VX4KeyButton116", KeyboardPage::kAbcde, 216, 72, 40, 40, KeyType::kNormal, KeyColour::kLight, "F", "", "f",
     KeyLayout::kLetter, true},
    {"VX4KeyButton117", KeyboardPage::kAbcde, 256, 72, 40, 40, KeyType::kNormal, KeyColour::kLight, "G", "", "g",
     KeyLayout::kLetter, true},
    {"VX4KeyButton118", KeyboardPage::kAbcde, 296, 72, 40, 40, KeyType::kNormal, KeyColour::kLight, "H", "", "h",
     KeyLayout::kLetter, true},
    {"VX4KeyButton119", KeyboardPage::kAbcde, 336, 72, 40, 40, KeyType::kNormal, KeyColour::kLight, "I", "", "i",
     KeyLayout::kLetter, true},
    {"VX4KeyButton120", KeyboardPage::kAbcde, 376, 72, 40, 40, KeyType::kNormal, KeyColour::kLight, "J", "", "j",
     KeyLayout::kLetter, true},
    {"VX4KeyButton121", KeyboardPage::kAbcde, 416, 72, 40, 40, KeyType::kNormal, KeyColour::kLight, "K", "", "k",
     KeyLayout::kLetter, true},
    {"VX4KeyButton122", KeyboardPage::kAbcde, 456, 72, 40, 40, KeyType::kNormal, KeyColour::kLight, "L", "", "l",
     KeyLayout::kLetter, true},
    {"VX4KeyButton123", KeyboardPage::kAbcde, 496, 72, 40, 40, KeyType::kNormal, KeyColour::kLight, "M", "", "m",
     KeyLayout::kLetter, true},
    {"VX4KeyButton124", KeyboardPage::kAbcde, 592, 72, 40, 40, KeyType::kNormal, KeyColour::kDark, "↑", "", "{Up}",
     KeyLayout::kNormal, true},
    {"KQWERT", KeyboardPage::kAbcde, 664, 8, 120, 40, KeyType::kNormal, KeyColour::kDark, "QWERT...", "", "",
     KeyLayout::kNormal, true},
    {"KShiftLock", KeyboardPage::kAbcde, 616, 168, 56, 40, KeyType::kNormal, KeyColour::kDark, "Shift", "Lock",
     "{CapsLock}", KeyLayout::kNormal, true},
}};

constexpr bool CountsMatch() {
  std::size_t qwert = 0;
  for (std::size_t i = 0; i < kKeys.size(); ++i) {
    if (kKeys[i].page == KeyboardPage::kQwert) {
      if (i != qwert) return false;  // page "QWERT" comes first, unbroken
      ++qwert;
    }
  }
  return qwert == kQwertKeyCount;
}
static_assert(CountsMatch());

}  // namespace

std::span<const KeyboardKey> KeyboardKeys() { return kKeys; }

std::span<const KeyboardKey> KeyboardKeys(KeyboardPage page) {
  const std::span<const KeyboardKey> all = kKeys;
  return page == KeyboardPage::kQwert ? all.first(kQwertKeyCount) : all.subspan(kQwertKeyCount);
}

const KeyboardKey* FindKeyboardKey(std::string_view name) {
  for (const KeyboardKey& key : kKeys) {
    if (SameName(key.name, name)) return &key;
  }
  return nullptr;
}

std::int32_t DefaultKeyFontSize(KeyLayout layout) {
  switch (layout) {
    case KeyLayout::kNormal: return 8;
    case KeyLayout::kDouble:
    case KeyLayout::kQuad: return 10;
    case KeyLayout::kLetter:
    case KeyLayout::kLetterPlus: return 16;
  }
  return 8;
}

KeyboardEntry BuiltInEntry(const KeyboardKey& key) {
  KeyboardEntry entry;
  entry.caption = key.caption;
  entry.caption2 = key.caption2;
  entry.send_string = key.send_string;
  entry.key_layout = key.key_layout;
  entry.font_name = kKeyFontName;
  entry.font_size = DefaultKeyFontSize(key.key_layout);
  entry.visible = key.visible;
  return entry;
}

std::vector<NamedKeyboardEntry> BuiltInKeyboard() {
  std::vector<NamedKeyboardEntry> keys;
  keys.reserve(kKeys.size());
  for (const KeyboardKey& key : kKeys) keys.push_back({std::string(key.name), BuiltInEntry(key)});
  return keys;
}

}  // namespace tw
