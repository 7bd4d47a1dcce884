#include "virtual_keys.h"

#include <QKeyEvent>

#include <algorithm>
#include <array>

namespace {

uint16_t KeypadKey(int qtKey) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return static_cast<uint16_t>(vk::Numpad0 + (qtKey - Qt::Key_0));
    }
    switch (qtKey) {
    case Qt::Key_Period:
    case Qt::Key_Comma:
        return vk::Decimal;
    case Qt::Key_Asterisk:
        return vk::Multiply;
    case Qt::Key_Plus:
        return vk::Add;
    case Qt::Key_Minus:
        return vk::Subtract;
    case Qt::Key_Slash:
        return vk::Divide;
    default:
        // Keypad arrows, Home, Delete and Enter share the main codes.
        return vk::None;
    }
}

// X keycodes (evdev codes + 8) of the PC keyboard's digit row, 1 to 0, and
// of its comma and period keys.
constexpr quint32 KeycodeDigit1 = 10;
constexpr quint32 KeycodeDigit0 = 19;
constexpr quint32 KeycodeComma = 59;
constexpr quint32 KeycodePeriod = 60;

uint16_t DigitRowKey(quint32 scanCode) {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    Q_UNUSED(scanCode);
    return vk::None; // other numberings of the keys
#else
    if (scanCode >= KeycodeDigit1 && scanCode < KeycodeDigit0) {
        return static_cast<uint16_t>(vk::Digit0 + 1 + (scanCode - KeycodeDigit1));
    }
    return scanCode == KeycodeDigit0 ? vk::Digit0 : vk::None;
#endif
}

uint16_t SeparatorKeyAt(quint32 scanCode) {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    Q_UNUSED(scanCode);
    return vk::None;
#else
    return scanCode == KeycodeComma ? vk::Comma : scanCode == KeycodePeriod ? vk::Period : vk::None;
#endif
}

// The PC keyboard's shifted digits, comma and period.
uint16_t ShiftedNumberKey(int qtKey) {
    // What Shift with the digit keys 0 to 9 types on a US layout.
    constexpr std::array<int, 10> ShiftedDigits{
        Qt::Key_ParenRight, Qt::Key_Exclam,   Qt::Key_At,          Qt::Key_NumberSign,
        Qt::Key_Dollar,     Qt::Key_Percent,  Qt::Key_AsciiCircum, Qt::Key_Ampersand,
        Qt::Key_Asterisk,   Qt::Key_ParenLeft};
    const auto digit = std::find(ShiftedDigits.begin(), ShiftedDigits.end(), qtKey);
    if (digit != ShiftedDigits.end()) {
        return static_cast<uint16_t>(vk::Digit0 + (digit - ShiftedDigits.begin()));
    }
    switch (qtKey) {
    case Qt::Key_Less:
        return vk::Comma;
    case Qt::Key_Greater:
        return vk::Period;
    default:
        return vk::None;
    }
}

// The key named by the character it types unshifted, or by its name.
uint16_t CharacterKey(int qtKey) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return static_cast<uint16_t>(vk::Digit0 + (qtKey - Qt::Key_0));
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
        return static_cast<uint16_t>(vk::LetterA + (qtKey - Qt::Key_A));
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return static_cast<uint16_t>(vk::F1 + (qtKey - Qt::Key_F1));
    }
    switch (qtKey) {
    case Qt::Key_Backspace:
        return vk::Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return vk::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return vk::Return;
    case Qt::Key_Shift:
        return vk::Shift;
    case Qt::Key_Control:
        return vk::Control;
    case Qt::Key_Alt:
        return vk::Menu;
    case Qt::Key_Pause:
        return vk::Pause;
    case Qt::Key_CapsLock:
        return vk::Capital;
    case Qt::Key_Escape:
        return vk::Escape;
    case Qt::Key_Space:
        return vk::Space;
    case Qt::Key_PageUp:
        return vk::Prior;
    case Qt::Key_PageDown:
        return vk::Next;
    case Qt::Key_End:
        return vk::End;
    case Qt::Key_Home:
        return vk::Home;
    case Qt::Key_Left:
        return vk::Left;
    case Qt::Key_Up:
        return vk::Up;
    case Qt::Key_Right:
        return vk::Right;
    case Qt::Key_Down:
        return vk::Down;
    case Qt::Key_Insert:
        return vk::Insert;
    case Qt::Key_Delete:
        return vk::Delete;
    case Qt::Key_NumLock:
        return vk::NumLock;
    case Qt::Key_ScrollLock:
        return vk::Scroll;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        return vk::OemPlus;
    case Qt::Key_Comma:
        return vk::Comma;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        return vk::OemMinus;
    case Qt::Key_Period:
        return vk::Period;
    default:
        return vk::None;
    }
}

} // namespace

bool IsNumberKey(uint16_t key) {
    return (key >= vk::Digit0 && key <= vk::Digit0 + 9) || key == vk::Comma || key == vk::Period;
}

uint16_t VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode) {
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        if (const uint16_t code = KeypadKey(qtKey); code != vk::None) {
            return code;
        }
    }
    if (const uint16_t digit = DigitRowKey(nativeScanCode); digit != vk::None) {
        return digit;
    }
    if (const uint16_t code = CharacterKey(qtKey); code != vk::None) {
        return code;
    }
    if (nativeScanCode != 0) {
        return SeparatorKeyAt(nativeScanCode);
    }
    return ShiftedNumberKey(qtKey);
}

uint16_t VirtualKeyOf(const QKeyEvent& event) {
    return VirtualKeyOf(event.key(), event.modifiers(), event.nativeScanCode());
}
