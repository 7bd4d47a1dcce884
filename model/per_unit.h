// The per-unit view of a circuit against the base power (MVA), base voltage
// (kV) and frequency (Hz) that the user typed as texts. One routine,
// WritePerUnitDisplay, makes the display for the window and the batch command
// alike: the base impedance, then the five values one by one, each written
// as soon as it is made, so that an error in one value leaves the ones before
// it written.
#pragma once

#include "motor_model.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// One base box as read: valid when its text is well formed and its first
// number is above 0.
struct BaseBox {
    int32_t ErrorCount = 0;
    float Value = 0;
    bool Valid() const { return ErrorCount == 0 && Value > 0; }
};

struct PerUnitBases {
    BaseBox MVA;
    BaseBox kV;
    BaseBox Freq;
    bool AllValid() const { return MVA.Valid() && kV.Valid() && Freq.Valid(); }
};

// Display order of the five per-unit boxes.
enum class PerUnitQuantity {
    Magnetizing,
    StatorLeakage,
    StatorResistance,
    RotorResistance,
    RotorLeakage
};
inline constexpr std::array<PerUnitQuantity, 5> PerUnitDisplayOrder{
    PerUnitQuantity::Magnetizing, PerUnitQuantity::StatorLeakage, PerUnitQuantity::StatorResistance,
    PerUnitQuantity::RotorResistance, PerUnitQuantity::RotorLeakage};

// Parses MVA, then kV, then frequency; the number-text errors pass through.
PerUnitBases ReadPerUnitBases(std::string_view mvaText, std::string_view kvText,
                              std::string_view freqText);

// kV * kV / MVA, stored; FloatOverflowError beyond the 32-bit range.
float BaseImpedance(const PerUnitBases& bases);

// "base Z = 1.0 Ohm".
std::string BaseImpedanceText(float Zb);

// One per-unit value; reactances at the typed frequency. A Zb of 0 raises
// FloatZeroDivideError, a value beyond the 32-bit range FloatOverflowError.
float PerUnitValue(PerUnitQuantity quantity, const TEquivalentCircuit& circuit, float frequency,
                   float Zb);

// The text of a per-unit box: the display form and " pu".
std::string PerUnitText(float value);

// Where the display goes: the window's label and boxes, or a list of texts.
class PerUnitSink {
public:
    virtual void WriteBaseImpedance(const std::string& text) = 0;
    // position: the place of the value in PerUnitDisplayOrder.
    virtual void WritePerUnit(std::size_t position, const std::string& text) = 0;

protected:
    ~PerUnitSink() = default;
};

// With all three bases valid: the base-impedance text, then the five
// per-unit texts in display order. Otherwise the same six places get the
// empty text. An error (the base impedance or a value beyond the 32-bit
// range, a base impedance of 0) ends it where it arises and passes through;
// what was written before it stays written.
void WritePerUnitDisplay(const PerUnitBases& bases, const TEquivalentCircuit& circuit,
                         PerUnitSink& sink);

// A sink that keeps the texts, for callers without a window.
class PerUnitTexts final : public PerUnitSink {
public:
    void WriteBaseImpedance(const std::string& text) override { baseImpedance = text; }
    void WritePerUnit(std::size_t position, const std::string& text) override {
        perUnit[position] = text;
    }
    void Clear() {
        baseImpedance.clear();
        for (std::string& text : perUnit) {
            text.clear();
        }
    }

    std::string baseImpedance;
    std::array<std::string, PerUnitDisplayOrder.size()> perUnit; // in display order
};
