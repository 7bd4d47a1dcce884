// The PC keyboard numbering (Windows virtual-key codes) in which the edit
// array and the main window's key handling are written, and the one mapping
// of the toolkit's keys onto it.
#pragma once

#include <Qt>
#include <cstdint>

class QKeyEvent;

namespace vk {

constexpr uint16_t None = 0;
constexpr uint16_t Back = 8;
constexpr uint16_t Tab = 9;
constexpr uint16_t Return = 13;
constexpr uint16_t Shift = 16;
constexpr uint16_t Control = 17;
constexpr uint16_t Menu = 18; // Alt
constexpr uint16_t Pause = 19;
constexpr uint16_t Capital = 20;
constexpr uint16_t Escape = 27;
constexpr uint16_t Space = 32;
constexpr uint16_t Prior = 33; // Page Up
constexpr uint16_t Next = 34;  // Page Down
constexpr uint16_t End = 35;
constexpr uint16_t Home = 36;
constexpr uint16_t Left = 37;
constexpr uint16_t Up = 38;
constexpr uint16_t Right = 39;
constexpr uint16_t Down = 40;
constexpr uint16_t Insert = 45;
constexpr uint16_t Delete = 46;
constexpr uint16_t Digit0 = 48;  // main keyboard; '1' is 49 ... '9' is 57
constexpr uint16_t LetterA = 65; // 'A' to 'Z' are 65 to 90
constexpr uint16_t Numpad0 = 96; // keypad digits 96 to 105
constexpr uint16_t Multiply = 106;
constexpr uint16_t Add = 107;
constexpr uint16_t Subtract = 109;
constexpr uint16_t Decimal = 110; // the keypad's decimal key, '.' or ',' alike
constexpr uint16_t Divide = 111;
constexpr uint16_t F1 = 112; // F1 to F24 are 112 to 135
constexpr uint16_t NumLock = 144;
constexpr uint16_t Scroll = 145;
constexpr uint16_t OemPlus = 187;
constexpr uint16_t Comma = 188;
constexpr uint16_t OemMinus = 189;
constexpr uint16_t Period = 190;

} // namespace vk

// The virtual-key code of a toolkit key; vk::None for keys without one here.
// Keypad digits and the keypad decimal key keep their own codes, so they never
// count as main-keyboard digits or separators.
//
// The code names the key, not the character it types: Shift+1 is still the
// digit key 1, and so is the key that types a symbol in its place on other
// layouts. The toolkit names keys by their character, so the key's position
// (nativeScanCode, an X keycode on X11 and Wayland; 0 when unknown) decides
// for the digit row, and for the comma and period keys where the character
// names no key; without a position the shifted characters of the PC
// keyboard name their keys.
uint16_t VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode = 0);
uint16_t VirtualKeyOf(const QKeyEvent& event);

// Main-keyboard digits, comma and period: the keys that type numbers.
bool IsNumberKey(uint16_t key);
