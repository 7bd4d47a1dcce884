// The per-unit view of a circuit against the base power (MVA), base voltage
// (kV) and frequency (Hz) that the user typed as texts. The window shows the
// pieces in this order: validity of the three boxes, the base impedance,
// then the five values one by one, so that an error in one value leaves the
// ones before it shown. CalcPerUnit makes the whole set in one call.
#pragma once

#include "motor_model.h"

#include <array>
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

struct PerUnitDisplay {
    PerUnitBases Bases;
    bool Shown = false; // all three bases valid; the rest is empty otherwise
    float Zb = 0;
    std::string ZLabelText;
    std::array<std::string, 5> Texts; // in PerUnitDisplayOrder
};

// All of the above; any error ends it and passes through.
PerUnitDisplay CalcPerUnit(std::string_view mvaText, std::string_view kvText,
                           std::string_view freqText, const TEquivalentCircuit& circuit);
