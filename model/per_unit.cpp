#include "per_unit.h"

#include "format_value.h"
#include "number_parse.h"

namespace {

BaseBox ReadBaseBox(std::string_view text) {
    BaseBox box;
    int32_t count = 0;
    float unused2 = 0;
    float unused3 = 0;
    float unused4 = 0;
    ParseNumbers(text, 1, count, box.Value, unused2, unused3, unused4, box.ErrorCount);
    return box;
}

} // namespace

PerUnitBases ReadPerUnitBases(std::string_view mvaText, std::string_view kvText,
                              std::string_view freqText) {
    PerUnitBases bases;
    bases.MVA = ReadBaseBox(mvaText);
    bases.kV = ReadBaseBox(kvText);
    bases.Freq = ReadBaseBox(freqText);
    return bases;
}

float BaseImpedance(const PerUnitBases& bases) {
    const FloatEnvironmentScope environment;
    return StoreSingle(
        CheckedDivide(Wide(bases.kV.Value) * Wide(bases.kV.Value), Wide(bases.MVA.Value)));
}

std::string BaseImpedanceText(float Zb) {
    return "base Z = " + StripBlanks(FormatValue(Zb)) + " Ohm";
}

float PerUnitValue(PerUnitQuantity quantity, const TEquivalentCircuit& circuit, float frequency,
                   float Zb) {
    const FloatEnvironmentScope environment;
    // Here 2*pi to eight digits, not the factor the inductances were made with.
    constexpr Extended TwoPi = 6.2831853L;
    const auto reactance = [&](float inductance) {
        return StoreSingle(CheckedDivide(TwoPi * Wide(frequency) * Wide(inductance), Wide(Zb)));
    };
    const auto resistance = [&](float ohms) {
        return StoreSingle(CheckedDivide(Wide(ohms), Wide(Zb)));
    };
    switch (quantity) {
    case PerUnitQuantity::Magnetizing:
        return reactance(circuit.Magnetizing);
    case PerUnitQuantity::StatorLeakage:
        return reactance(circuit.StatorLeakage);
    case PerUnitQuantity::StatorResistance:
        return resistance(circuit.StatorResistance);
    case PerUnitQuantity::RotorResistance:
        return resistance(circuit.RotorResistance);
    case PerUnitQuantity::RotorLeakage:
        return reactance(circuit.RotorLeakage);
    }
    return 0;
}

std::string PerUnitText(float value) {
    return FormatValue(value) + " pu";
}

PerUnitDisplay CalcPerUnit(std::string_view mvaText, std::string_view kvText,
                           std::string_view freqText, const TEquivalentCircuit& circuit) {
    PerUnitDisplay display;
    display.Bases = ReadPerUnitBases(mvaText, kvText, freqText);
    if (!display.Bases.AllValid()) {
        return display;
    }
    display.Shown = true;
    display.Zb = BaseImpedance(display.Bases);
    display.ZLabelText = BaseImpedanceText(display.Zb);
    for (std::size_t i = 0; i < PerUnitDisplayOrder.size(); ++i) {
        display.Texts[i] = PerUnitText(
            PerUnitValue(PerUnitDisplayOrder[i], circuit, display.Bases.Freq.Value, display.Zb));
    }
    return display;
}
