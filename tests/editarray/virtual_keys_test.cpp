#include "named_rows.h"
#include "virtual_keys.h"

#include <gtest/gtest.h>

namespace {

struct KeyRow {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    uint16_t code;
    quint32 keycode = 0; // the key's X keycode; 0 unknown
};

class VirtualKey : public ::testing::TestWithParam<KeyRow> {};

TEST_P(VirtualKey, MapsToThePcCode) {
    const KeyRow& r = GetParam();
    EXPECT_EQ(VirtualKeyOf(r.key, r.modifiers, r.keycode), r.code);
}

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kPad = Qt::KeypadModifier;
constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;

// The keys the edit array and the window's key filter tell apart. Keypad
// digits and the keypad decimal key must never pass for editing keys. Keys,
// not characters: shifted, and on layouts that type symbols on the digit row
// (the keycode is known on a real display).
const KeyRow kKeys[] = {{"Backspace", Qt::Key_Backspace, kNone, 8},
                        {"Delete", Qt::Key_Delete, kNone, 46},
                        {"KeypadDelete", Qt::Key_Delete, kPad, 46},
                        {"Digit0", Qt::Key_0, kNone, 48},
                        {"Digit9", Qt::Key_9, kNone, 57},
                        {"Keypad0", Qt::Key_0, kPad, 96},
                        {"Keypad9", Qt::Key_9, kPad, 105},
                        {"Comma", Qt::Key_Comma, kNone, 188},
                        {"Period", Qt::Key_Period, kNone, 190},
                        {"KeypadPeriod", Qt::Key_Period, kPad, 110},
                        {"KeypadComma", Qt::Key_Comma, kPad, 110},
                        {"Left", Qt::Key_Left, kNone, 37},
                        {"Up", Qt::Key_Up, kNone, 38},
                        {"Right", Qt::Key_Right, kNone, 39},
                        {"Down", Qt::Key_Down, kNone, 40},
                        {"PageUp", Qt::Key_PageUp, kNone, 33},
                        {"KeypadLeft", Qt::Key_Left, kPad, 37},
                        {"Unmapped", Qt::Key_Launch0, kNone, 0},
                        {"ShiftedDigit1", Qt::Key_Exclam, kShift, 49},
                        {"ShiftedDigit0", Qt::Key_ParenRight, kShift, 48},
                        {"ShiftedComma", Qt::Key_Less, kShift, 188},
                        {"ShiftedPeriod", Qt::Key_Greater, kShift, 190},
                        {"ShiftedDigit1AtItsKeycode", Qt::Key_Exclam, kShift, 49, 10},
                        {"AccentedLetterOnDigitKey2", Qt::Key_Eacute, kNone, 50, 11},
                        {"ParenthesisOnDigitKey5", Qt::Key_ParenLeft, kNone, 53, 14},
                        {"MinusOnDigitKey6", Qt::Key_Minus, kNone, 54, 15},
                        {"SemicolonOnTheCommaKey", Qt::Key_Semicolon, kShift, 188, 59},
                        {"CommaAwayFromTheCommaKey", Qt::Key_Comma, kNone, 188, 58},
                        {"KeypadDigitWithItsKeycode", Qt::Key_5, kPad, 101, 84},
                        {"LetterWithItsKeycode", Qt::Key_Q, kNone, 81, 24}};

INSTANTIATE_TEST_SUITE_P(Keys, VirtualKey, ::testing::ValuesIn(kKeys), RowName);

} // namespace
