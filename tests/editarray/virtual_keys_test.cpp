#include "virtual_keys.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace {

struct KeyCase {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    uint16_t code;
};

void PrintTo(const KeyCase& c, std::ostream* os) {
    *os << c.name;
}

class VirtualKey : public ::testing::TestWithParam<KeyCase> {};

TEST_P(VirtualKey, MapsToThePcCode) {
    const KeyCase& c = GetParam();
    EXPECT_EQ(VirtualKeyOf(c.key, c.modifiers), c.code);
}

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kPad = Qt::KeypadModifier;

const KeyCase kKeys[] = {
    {"Backspace", Qt::Key_Backspace, kNone, 8},
    {"Tab", Qt::Key_Tab, kNone, 9},
    {"ShiftTab", Qt::Key_Backtab, Qt::ShiftModifier, 9},
    {"Return", Qt::Key_Return, kNone, 13},
    {"KeypadEnter", Qt::Key_Enter, kPad, 13},
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
    {"KeypadLeft", Qt::Key_Left, kPad, 37},
    {"Shift", Qt::Key_Shift, Qt::ShiftModifier, 16},
    {"LetterA", Qt::Key_A, kNone, 65},
    {"F1", Qt::Key_F1, kNone, 112},
    {"Unmapped", Qt::Key_Launch0, kNone, 0},
};

INSTANTIATE_TEST_SUITE_P(Keys, VirtualKey, ::testing::ValuesIn(kKeys),
                         [](const ::testing::TestParamInfo<KeyCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
