#include "test_support.h"
#include "virtual_keys.h"

#include <gtest/gtest.h>

namespace {

struct KeyRow {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    uint16_t code;
};

class VirtualKey : public ::testing::TestWithParam<KeyRow> {};

TEST_P(VirtualKey, MapsToThePcCode) {
    EXPECT_EQ(VirtualKeyOf(GetParam().key, GetParam().modifiers), GetParam().code);
}

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kPad = Qt::KeypadModifier;

// The keys the edit array and the window's key filter tell apart. Keypad
// digits and the keypad decimal key must never pass for editing keys.
const KeyRow kKeys[] = {
    {"Backspace", Qt::Key_Backspace, kNone, 8},
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
    {"Unmapped", Qt::Key_Launch0, kNone, 0},
};

INSTANTIATE_TEST_SUITE_P(Keys, VirtualKey, ::testing::ValuesIn(kKeys), RowName);

} // namespace
